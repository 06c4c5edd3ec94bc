// The reading rules, one row per rule or edge case. Every row is written with LF line
// ends and runs twice: as written, and with every LF turned into CR LF, which must read
// the same.
#include "TableRows.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace std::string_view_literals;

namespace {

struct ReadingCase {
    const char* what;
    std::string_view bytes;
    Rows expected;  // in file order
};

const ReadingCase readingCases[] = {
    // Nothing to load.
    {"an empty file loads nothing", ""sv, {}},
    {"the CREATOR line alone loads nothing", "CREATOR=TAGLOOM 1.0\n"sv, {}},
    {"LINK lines without a KEYWORD line load nothing", "LINK=/a\nLINK=/b\n"sv, {}},

    // Order, splitting and the pending entry.
    {"the two-row example, in file order",
     "CREATOR=TAGLOOM 1.0\nKEYWORD=widgets\nLINK=/catalog/widgets.html\n\nKEYWORD=blue paint\nLINK=/paint/blue.html\n"sv,
     {{"widgets", "/catalog/widgets.html"}, {"blue paint", "/paint/blue.html"}}},
    {"entries come back in file order",
     "KEYWORD=first\nLINK=1\nKEYWORD=second\nLINK=2\nKEYWORD=third\nLINK=3\n"sv,
     {{"first", "1"}, {"second", "2"}, {"third", "3"}}},
    {"only the first = splits: = in a keyword and a query string",
     "KEYWORD=a=b\nLINK=/q?x=1&y=2\n"sv, {{"a=b", "/q?x=1&y=2"}}},
    {"an empty value after = is an empty link", "KEYWORD=k\nLINK=\n"sv, {{"k", ""}}},
    {"duplicate keywords are all loaded", "KEYWORD=k\nLINK=1\nKEYWORD=k\nLINK=2\n"sv, {{"k", "1"}, {"k", "2"}}},
    {"two LINK lines for one entry: the second wins", "KEYWORD=k\nLINK=1\nLINK=2\n"sv, {{"k", "2"}}},
    {"an entry without a LINK line takes the link of the one before",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\n"sv, {{"a", "1"}, {"b", "1"}}},
    {"a first entry without a LINK line gets empty text", "KEYWORD=a\n"sv, {{"a", ""}}},
    {"a first entry takes a LINK line above it", "LINK=/early\nKEYWORD=a\n"sv, {{"a", "/early"}}},
    {"KEYWORD without = completes the pending entry and starts none",
     "KEYWORD=a\nLINK=1\nKEYWORD\nLINK=2\nKEYWORD=b\n"sv, {{"a", "1"}, {"b", "2"}}},
    {"LINK without = sets the link to empty text", "LINK=/x\nKEYWORD=a\nLINK\n"sv, {{"a", ""}}},
    {"an empty keyword is skipped but its LINK line is carried",
     "KEYWORD=a\nLINK=1\nKEYWORD=\nLINK=2\nKEYWORD=b\n"sv, {{"a", "1"}, {"b", "2"}}},

    // Names match exactly; everything else is ignored.
    {"lower case, a leading space, a space before =, a longer name: all ignored",
     "keyword=x\n KEYWORD=x\nKEYWORD =x\nKEYWORDS=x\nKEYWORD=k\nlink=x\n LINK=x\nLINK =x\nLINKS=x\n"sv,
     {{"k", ""}}},
    {"CREATOR lines, missing, repeated or different, and stray lines are ignored",
     "CREATOR=SOMETHING ELSE\n\njunk\nKEYWORD=k\nCREATOR=TAGLOOM 1.0\n=x\nLINK=l\n\n\n"sv, {{"k", "l"}}},

    // Trailing white space.
    {"trailing spaces and tabs are trimmed, leading ones stay",
     "KEYWORD=  cat \t \nLINK= /c\t\n"sv, {{"  cat", " /c"}}},
    {"vertical tab, form feed and CR are white space too", "KEYWORD=k\v\f\r\nLINK=l \r\r\n"sv, {{"k", "l"}}},
    {"bytes of 0x80 and above are never trimmed", "KEYWORD=k\xA0\x85\nLINK=l\xFF\n"sv, {{"k\xA0\x85", "l\xFF"}}},
    {"a keyword of blanks trims to empty and the entry is dropped",
     "KEYWORD=a\nLINK=1\nKEYWORD=   \t\nLINK=2\n"sv, {{"a", "1"}}},
    {"a line of KEYWORD and blanks is KEYWORD without =",
     "KEYWORD=a\nLINK=1\nKEYWORD  \nLINK=2\nKEYWORD=b\n"sv, {{"a", "1"}, {"b", "2"}}},

    // CR bytes.
    {"a CR inside a value is an ordinary byte", "KEYWORD=a\rb\nLINK=\r/x\n"sv, {{"a\rb", "\r/x"}}},
    {"a CR not before an LF ends no line", "KEYWORD=a\rLINK=x\n"sv, {{"a\rLINK=x", ""}}},

    // Where the data ends.
    {"a last line without a line end is dropped",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\nLINK=2"sv, {{"a", "1"}, {"b", "1"}}},
    {"an unterminated last KEYWORD line adds nothing", "KEYWORD=a\nLINK=1\nKEYWORD=b"sv, {{"a", "1"}}},
    {"0x1A ends the file: its line and all later ones are not loaded",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\x1A\nLINK=2\nKEYWORD=c\n"sv, {{"a", "1"}}},
    {"0x1A inside a LINK line: the pending entry keeps the earlier link",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\nLINK=2\x1A\n"sv, {{"a", "1"}, {"b", "1"}}},
    {"0x1A at the very start loads nothing", "\x1AKEYWORD=a\nLINK=1\n"sv, {}},

    // NUL bytes: no entry is built from a value that holds one; the others still load.
    {"a NUL in a keyword drops that entry only; its link does not reach the entry above",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\0c\nLINK=2\nKEYWORD=d\nLINK=3\n"sv, {{"a", "1"}, {"d", "3"}}},
    {"a NUL in a link drops the entry it belongs to",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\nLINK=2\0\nKEYWORD=c\nLINK=3\n"sv, {{"a", "1"}, {"c", "3"}}},
    {"a link left unknown by a NUL is not carried over",
     "KEYWORD=a\nLINK=1\nKEYWORD=b\nLINK=\0\nKEYWORD=c\nKEYWORD=d\nLINK=4\n"sv, {{"a", "1"}, {"d", "4"}}},
    {"a later LINK line without a NUL sets the link again", "KEYWORD=b\nLINK=\0x\nLINK=2\n"sv, {{"b", "2"}}},
    {"a NUL in the name makes the line unknown", "KEYWORD=a\nLINK=1\nKEY\0WORD=b\nLINK\0=2\n"sv, {{"a", "1"}}},
    {"a NUL in an ignored line changes nothing", "CREATOR=\0\0\0\nKEYWORD=a\nLINK=1\n\0\n"sv, {{"a", "1"}}},
};

std::string withCrLf(std::string_view lfOnly) {
    std::string bytes;
    for (char byte : lfOnly) {
        if (byte == '\n') bytes.push_back('\r');
        bytes.push_back(byte);
    }
    return bytes;
}

TEST(TableReading, FollowsEveryRule) {
    for (const ReadingCase& c : readingCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(rowsOf(TableFormat::parseTable(c.bytes)), c.expected) << "with LF line ends";
        EXPECT_EQ(rowsOf(TableFormat::parseTable(withCrLf(c.bytes))), c.expected) << "with CR LF line ends";
    }
}

}  // namespace
