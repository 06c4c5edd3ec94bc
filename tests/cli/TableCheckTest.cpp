// --check's findings: one per damaged entry or stray line, each with its line number.
#include "TableCheck.h"
#include "TableFormat.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

using namespace std::string_view_literals;

namespace {

using Findings = std::vector<std::pair<std::size_t, std::string>>;

Findings findingsOf(std::string_view bytes) {
    Findings findings;
    for (const TableFinding& f : checkTable(bytes)) findings.emplace_back(f.line, f.message);
    return findings;
}

const std::string trimmed = ": trailing white space, trimmed away when the table is loaded";
const std::string blank = ": a blank keyword: the entry is dropped when the table is loaded";

struct CheckCase {
    const char* what;
    std::string_view bytes;
    Findings expected;
};

const CheckCase checkCases[] = {
    // Clean tables.
    {"an empty file", ""sv, {}},
    {"what the window writes, with CR LF", "CREATOR=TAGLOOM 1.0\r\nKEYWORD=a b\r\nLINK=/q?x=1\r\n\r\nKEYWORD= lead\r\nLINK=\r\n"sv, {}},
    {"LF line ends, a carried link, a CR inside a value", "KEYWORD=a\rb\nLINK=/a\nKEYWORD=c\n"sv, {}},

    // What loading trims or drops.
    {"trailing white space in a keyword", "KEYWORD=cat \nLINK=/c\n"sv, {{1, R"(entry "cat " -> "/c")" + trimmed}}},
    {"a CR before the CR LF is trailing white space", "KEYWORD=cat\r\r\nLINK=/c\r\n"sv, {{1, R"(entry "cat\r" -> "/c")" + trimmed}}},
    {"trailing white space in a link, for every entry that takes it", "KEYWORD=a\nLINK=/a\t\nKEYWORD=b\n"sv,
     {{1, R"(entry "a" -> "/a\t")" + trimmed}, {3, R"(entry "b" -> "/a\t")" + trimmed}}},
    {"an all-blank keyword", "KEYWORD=  \nLINK=/x\n"sv, {{1, R"(entry "  " -> "/x")" + blank}}},
    {"an empty keyword, and KEYWORD without =", "KEYWORD=\nKEYWORD\n"sv,
     {{1, R"(entry "" -> "")" + blank}, {2, R"(entry "" -> "")" + blank}}},
    {"a NUL byte", "KEYWORD=a\0b\nLINK=/x\n"sv,
     {{1, R"(entry "a\0b" -> "/x": a NUL byte: the entry is dropped when the table is loaded)"}}},
    {"a 0x1A byte in a keyword", "KEYWORD=a\nLINK=/a\nKEYWORD=b\x1A" "c\nLINK=/b\nKEYWORD=d\n"sv,
     {{3, R"(entry "b\x1Ac" -> "/a": a 0x1A byte, where loading stops: the rest of the file is lost)"}}},
    {"a 0x1A byte in a link", "KEYWORD=a\nLINK=/a\x1A\n"sv,
     {{1, R"(entry "a" -> "/a\x1A": a 0x1A byte, where loading stops: the rest of the file is lost)"}}},
    {"a 0x1A byte on a line of its own", "KEYWORD=a\n\x1A\nKEYWORD=b\n"sv,
     {{2, R"(line "\x1A" holds a 0x1A byte, where loading stops: the rest of the file is lost)"}}},
    {"a last line without a line end", "KEYWORD=a\nLINK=/a"sv,
     {{2, R"(last line "LINK=/a" has no line end: it is never loaded)"}}},
    {"a last line of blanks without a line end is harmless", "KEYWORD=a\n  "sv, {}},
    {"lines that are neither KEYWORD nor LINK", "CREATOR=OTHER\n\njunk\nkeyword=x\nKEYWORD =y\n \t\n"sv,
     {{3, R"(line "junk" is ignored: it is no KEYWORD or LINK line)"},
      {4, R"(line "keyword=x" is ignored: it is no KEYWORD or LINK line)"},
      {5, R"(line "KEYWORD =y" is ignored: it is no KEYWORD or LINK line)"}}},
    {"a second LINK line replaces the first", "KEYWORD=a\nLINK=/1\nLINK=/2\n"sv,
     {{2, R"(entry "a" -> "/1": its link is replaced by the LINK line 3)"}}},

    // Duplicates, compared as loaded.
    {"duplicate keywords", "KEYWORD=cat\nLINK=/1\n\nKEYWORD=dog\nLINK=/d\nKEYWORD=cat\nLINK=/2\n"sv,
     {{6, R"(entry "cat" -> "/2": duplicate keyword, also on line 1; the entry lower in the file is applied first)"}}},
    {"a duplicate once trimmed", "KEYWORD=cat\nKEYWORD=cat \n"sv,
     {{2, R"(entry "cat " -> "")" + trimmed},
      {2, R"(entry "cat " -> "": duplicate keyword, also on line 1; the entry lower in the file is applied first)"}}},
    {"case counts: no duplicate", "KEYWORD=cat\nKEYWORD=Cat\n"sv, {}},
    {"a dropped entry is no duplicate", "KEYWORD=cat\nKEYWORD=cat\0\nKEYWORD=cat\x1A\n"sv,
     {{2, R"(entry "cat\0" -> "": a NUL byte: the entry is dropped when the table is loaded)"},
      {3, R"(entry "cat\x1A" -> "": a 0x1A byte, where loading stops: the rest of the file is lost)"}}},

    // Findings come in the order of their lines.
    {"in line order", "junk\nKEYWORD=a \nLINK=/1\nLINK=/2\n"sv,
     {{1, R"(line "junk" is ignored: it is no KEYWORD or LINK line)"},
      {2, R"(entry "a " -> "/2")" + trimmed},
      {3, R"(entry "a " -> "/1": its link is replaced by the LINK line 4)"}}},
};

TEST(TableCheck, ReportsWhatLoadingLosesOrChanges) {
    for (const CheckCase& c : checkCases) EXPECT_EQ(findingsOf(c.bytes), c.expected) << c.what;
}

// A table that the window writes from entries that survive a reload is always clean.
TEST(TableCheck, WhatTheWindowSavesIsClean) {
    const std::vector<KeywordEntry> entries = {{"widgets", "/catalog/widgets.html"}, {" x=y", ""}, {"\x82\xA0", "/j?a=b"}};
    EXPECT_EQ(findingsOf(TableFormat::formatTable(entries)), Findings{});
}

TEST(TableCheck, QuotesBytesOnOneLine) {
    EXPECT_EQ(quotedForMessage("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(quotedForMessage("\t\r\n"sv), R"("\t\r\n")");
    EXPECT_EQ(quotedForMessage("\x01\x1A\x7F"sv), R"("\x01\x1A\x7F")");
    EXPECT_EQ(quotedForMessage("\0"sv), R"("\0")");
    EXPECT_EQ(quotedForMessage("\x82\xA0\xFF"), "\"\x82\xA0\xFF\"");
}

}  // namespace
