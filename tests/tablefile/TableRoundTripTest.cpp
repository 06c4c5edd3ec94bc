// Saving and loading together: order, and what a reload keeps or loses of each entry.
#include "TableRows.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using TableFormat::RoundTripLoss;

namespace {

std::vector<KeywordEntry> reload(const std::vector<KeywordEntry>& fileOrder) {
    return TableFormat::parseTable(TableFormat::formatTable(fileOrder));
}

TEST(TableRoundTrip, SaveThenLoadKeepsOrderAndValues) {
    const Rows rows = {{"third", "/3"},          {"second", "/2?a=b&c=d"}, {"first", ""},
                       {"  lead=ing", " /x\ry"}, {"\x82\xA0", "\xFF"},     {"second", "/dup"}};
    EXPECT_EQ(rowsOf(reload(entriesOf(rows))), rows);
}

TEST(TableRoundTrip, LoadThenSaveWritesTheSurvivingEntriesInFileOrder) {
    const std::string messy =
        "KEYWORD=first  \n"
        "LINK=/1\n"
        "KEYWORD=   \n"      // dropped, but its link is carried to "second"
        "LINK=/blank\n"
        "junk\n"
        "KEYWORD=second\n"
        "\n\n"
        "KEYWORD=third\r\n"
        "LINK=/3\r\n"
        "LINK=/3b\r\n"
        "KEYWORD=unterminated";
    EXPECT_EQ(TableFormat::formatTable(TableFormat::parseTable(messy)),
              "CREATOR=TAGLOOM 1.0\r\n"
              "KEYWORD=first\r\nLINK=/1\r\n\r\n"
              "KEYWORD=second\r\nLINK=/blank\r\n\r\n"
              "KEYWORD=third\r\nLINK=/3b\r\n");
}

struct LossCase {
    const char* what;
    Rows entry;  // the one entry under test
    RoundTripLoss loss;
    Rows reloaded;  // what a reload gives for that entry followed by {"z", "/z"}
};

const LossCase lossCases[] = {
    {"= in both values", {{"a=b", "/q?x=1"}}, RoundTripLoss::none, {{"a=b", "/q?x=1"}, {"z", "/z"}}},
    {"leading white space and an inner CR", {{" \ta\rb", " \r/x"}}, RoundTripLoss::none,
     {{" \ta\rb", " \r/x"}, {"z", "/z"}}},
    {"an empty link and bytes of 0x80 and above", {{"\x82\xA0\x85", ""}}, RoundTripLoss::none,
     {{"\x82\xA0\x85", ""}, {"z", "/z"}}},
    {"0x1A in a keyword loses it and every later entry", {{"a\x1A", "/a"}}, RoundTripLoss::endOfFileByte, {}},
    {"0x1A in a link loses the link and every later entry", {{"a", "/a\x1A"}}, RoundTripLoss::endOfFileByte,
     {{"a", ""}}},
    {"an LF in a keyword cuts it there", {{"a\nb", "/a"}}, RoundTripLoss::lineFeed, {{"a", "/a"}, {"z", "/z"}}},
    {"an LF in a link can start an entry of its own", {{"a", "/a\nKEYWORD=b"}}, RoundTripLoss::lineFeed,
     {{"a", "/a"}, {"b", "/a"}, {"z", "/z"}}},
    {"a NUL in a keyword drops the entry", {{"a\0b"s, "/a"}}, RoundTripLoss::nulByte, {{"z", "/z"}}},
    {"a NUL in a link drops the entry", {{"a", "/\0"s}}, RoundTripLoss::nulByte, {{"z", "/z"}}},
    {"a keyword of blanks drops the entry", {{" \t\r", "/a"}}, RoundTripLoss::blankKeyword, {{"z", "/z"}}},
    {"an empty keyword drops the entry", {{"", "/a"}}, RoundTripLoss::blankKeyword, {{"z", "/z"}}},
    {"a trailing space of a keyword is trimmed", {{"cat ", "/c"}}, RoundTripLoss::trailingWhiteSpace,
     {{"cat", "/c"}, {"z", "/z"}}},
    {"a trailing tab or CR of a link is trimmed", {{"cat", "/c\t\r"}}, RoundTripLoss::trailingWhiteSpace,
     {{"cat", "/c"}, {"z", "/z"}}},
    {"the worst loss is named first", {{"a \n", "/a\x1A"}}, RoundTripLoss::endOfFileByte, {{"a", ""}}},
};

TEST(TableRoundTrip, NamesWhatAReloadLosesAndDoesExactlyThat) {
    for (const LossCase& c : lossCases) {
        SCOPED_TRACE(c.what);
        const KeywordEntry entry = entriesOf(c.entry).front();
        EXPECT_EQ(TableFormat::roundTripLoss(entry), c.loss);
        EXPECT_EQ(TableFormat::survivesRoundTrip(entry), c.loss == RoundTripLoss::none);

        const Rows reloaded = rowsOf(reload({entry, {"z", "/z"}}));
        EXPECT_EQ(reloaded, c.reloaded);
        EXPECT_EQ(reloaded == Rows({c.entry.front(), {"z", "/z"}}), c.loss == RoundTripLoss::none);
    }
}

}  // namespace
