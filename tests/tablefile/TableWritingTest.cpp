// The exact bytes written for a table.
#include "TableRows.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

TEST(TableWriting, TwoRowExampleIsExactly111Bytes) {
    // The window's list shows "blue paint" above "widgets"; the file lists the bottom row first.
    const std::string bytes = TableFormat::formatTable(
        entriesOf({{"widgets", "/catalog/widgets.html"}, {"blue paint", "/paint/blue.html"}}));
    EXPECT_EQ(bytes,
              "CREATOR=TAGLOOM 1.0\r\n"
              "KEYWORD=widgets\r\n"
              "LINK=/catalog/widgets.html\r\n"
              "\r\n"
              "KEYWORD=blue paint\r\n"
              "LINK=/paint/blue.html\r\n");
    EXPECT_EQ(bytes.size(), 111u);
}

struct WritingCase {
    const char* what;
    Rows fileOrder;
    std::string_view bytes;
};

const WritingCase writingCases[] = {
    {"an empty table is an empty file", {}, ""sv},
    {"one entry: no empty line, a line end after the last line", {{"k", "l"}},
     "CREATOR=TAGLOOM 1.0\r\nKEYWORD=k\r\nLINK=l\r\n"sv},
    {"an empty link still gets its LINK line", {{"a", ""}, {"b", "/b"}},
     "CREATOR=TAGLOOM 1.0\r\nKEYWORD=a\r\nLINK=\r\n\r\nKEYWORD=b\r\nLINK=/b\r\n"sv},
    {"an LF inside a value is written as CR LF, a CR before it stays", {{"a\nb", "x\r\ny"}},
     "CREATOR=TAGLOOM 1.0\r\nKEYWORD=a\r\nb\r\nLINK=x\r\r\ny\r\n"sv},
    {"every other byte is written as it is", {{"  k=\t\r ", "\x1A\xFF\0"s}},
     "CREATOR=TAGLOOM 1.0\r\nKEYWORD=  k=\t\r \r\nLINK=\x1A\xFF\0\r\n"sv},
};

TEST(TableWriting, WritesEveryValueAndLineEnd) {
    for (const WritingCase& c : writingCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TableFormat::formatTable(entriesOf(c.fileOrder)), c.bytes);
    }
}

}  // namespace
