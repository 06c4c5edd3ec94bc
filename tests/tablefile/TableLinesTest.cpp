// The table file's lines as they stand: where each line ends, what its name and untrimmed
// value are, and whether the loader reads it.
#include "TableLines.h"
#include "TableRows.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <tuple>

using namespace std::string_view_literals;
using TableFormat::LineFate;

namespace {

// A line as (text, fate, name, value, loaded value); its number is its place in the list.
using Line = std::tuple<std::string_view, LineFate, std::string_view, std::string_view, std::string_view>;

std::vector<Line> linesOf(std::string_view bytes) {
    std::vector<Line> lines;
    for (const TableFormat::TableLine& line : TableFormat::splitTableLines(bytes)) {
        EXPECT_EQ(line.number, lines.size() + 1);
        lines.emplace_back(line.text, line.fate, line.name, line.value, line.loadedValue);
    }
    return lines;
}

struct LinesCase {
    const char* what;
    std::string_view bytes;
    std::vector<Line> expected;
};

constexpr LineFate read = LineFate::read, noLineEnd = LineFate::noLineEnd,
                   holdsEnd = LineFate::holdsEndOfFileByte, afterEnd = LineFate::afterEndOfFileByte;

const LinesCase linesCases[] = {
    {"an empty file has no line", ""sv, {}},
    {"nothing follows a final LF", "KEYWORD=a\n"sv, {{"KEYWORD=a", read, "KEYWORD", "a", "a"}}},
    {"CR LF and LF both end a line; only the CR before the LF goes",
     "LINK=a\r\r\nLINK=b\rc\n"sv,
     {{"LINK=a\r", read, "LINK", "a\r", "a"}, {"LINK=b\rc", read, "LINK", "b\rc", "b\rc"}}},
    {"values keep their trailing white space; loaded values lose it",
     "KEYWORD=  cat \t\v\f\n"sv, {{"KEYWORD=  cat \t\v\f", read, "KEYWORD", "  cat \t\v\f", "  cat"}}},
    {"bytes of 0x80 and above are no white space", "LINK=\xA0\n"sv, {{"LINK=\xA0", read, "LINK", "\xA0", "\xA0"}}},
    {"an empty line", "\n"sv, {{"", read, "", "", ""}}},
    {"only the first = splits", "LINK=/q?a=b\n"sv, {{"LINK=/q?a=b", read, "LINK", "/q?a=b", "/q?a=b"}}},
    // The loader trims before it splits: that shortens a name only when there is no "=".
    {"a name without = loses its trailing white space", "KEYWORD \t\n"sv, {{"KEYWORD \t", read, "KEYWORD", "", ""}}},
    {"a name before = keeps it", "KEYWORD =x\n"sv, {{"KEYWORD =x", read, "KEYWORD ", "x", "x"}}},
    {"a last line without an LF is not read", "KEYWORD=a\nLINK=b"sv,
     {{"KEYWORD=a", read, "KEYWORD", "a", "a"}, {"LINK=b", noLineEnd, "LINK", "b", "b"}}},
    {"a last CR without an LF stays in the line", "LINK=b\r"sv, {{"LINK=b\r", noLineEnd, "LINK", "b\r", "b"}}},
    {"0x1A: its line and every later one are not read",
     "KEYWORD=a\nLINK=/a\x1A" "b\r\nKEYWORD=c\nLINK"sv,
     {{"KEYWORD=a", read, "KEYWORD", "a", "a"},
      {"LINK=/a\x1A" "b", holdsEnd, "LINK", "/a\x1A" "b", "/a\x1A" "b"},
      {"KEYWORD=c", afterEnd, "KEYWORD", "c", "c"},
      {"LINK", afterEnd, "LINK", "", ""}}},
    {"0x1A at the very start", "\x1A\nKEYWORD=a\n"sv,
     {{"\x1A", holdsEnd, "\x1A", "", ""}, {"KEYWORD=a", afterEnd, "KEYWORD", "a", "a"}}},
    {"0x1A as the last byte, after a final LF", "KEYWORD=a\n\x1A"sv,
     {{"KEYWORD=a", read, "KEYWORD", "a", "a"}, {"\x1A", holdsEnd, "\x1A", "", ""}}},
    {"only the first 0x1A counts", "a\x1A\n\x1A\n"sv,
     {{"a\x1A", holdsEnd, "a\x1A", "", ""}, {"\x1A", afterEnd, "\x1A", "", ""}}},
};

TEST(TableLines, SplitsAndJudgesEachLine) {
    for (const LinesCase& c : linesCases) EXPECT_EQ(linesOf(c.bytes), c.expected) << c.what;
}

TEST(TableLines, BlankLinesAreThoseThatTrimToNothing) {
    const auto lines = TableFormat::splitTableLines("\n \t\r\n=\n \x0B=\nKEYWORD\n"sv);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].isBlank());
    EXPECT_TRUE(lines[1].isBlank());
    EXPECT_FALSE(lines[2].isBlank());
    EXPECT_FALSE(lines[3].isBlank());
    EXPECT_FALSE(lines[4].isBlank());
}

// The lines marked `read` are all that the loader uses: rebuilt from them alone, any file
// loads the same entries.
TEST(TableLines, TheReadLinesLoadLikeTheWholeFile) {
    static constexpr std::string_view pieces[] = {"KEYWORD=", "LINK=", "KEYWORD", "LINK", "=", "a", "b ", "\r", "\r\n",
                                                  "\n", "\n", "\x1A", "\t", "\0"sv};
    std::mt19937 random(7);
    for (int file = 0; file < 5000; ++file) {
        std::string bytes;
        for (int n = std::uniform_int_distribution(0, 30)(random); n > 0; --n)
            bytes.append(pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)]);

        std::string readLines;
        for (const TableFormat::TableLine& line : TableFormat::splitTableLines(bytes))
            if (line.fate == LineFate::read) readLines.append(line.text).append("\n");
        ASSERT_EQ(rowsOf(TableFormat::parseTable(readLines)), rowsOf(TableFormat::parseTable(bytes)))
            << ::testing::PrintToString(bytes);
    }
}

}  // namespace
