// Runs the table of cases against every linker: the fast engine (through LinkInserter where
// the case uses no option), and the plain reference.
#include "LinkCases.h"
#include "LinkInserter.h"
#include "ReferenceLinker.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

CodePage codePageOf(unsigned number) { return number == 0 ? CodePage::singleByte() : CodePage::byNumber(number); }

bool usesOptions(const LinkEngine::Options& o) {
    return o.ignoreCase || o.wholeWords || o.maxPerEntry != LinkEngine::Options::unlimited || !o.protectedRanges.empty();
}

template <class Case>
std::string nameOf(const testing::TestParamInfo<Case>& info) { return info.param.name; }

class LinkCaseTest : public testing::TestWithParam<LinkCase> {};

TEST_P(LinkCaseTest, FastEngine) {
    const LinkCase& c = GetParam();
    EXPECT_EQ(LinkEngine::insertLinks(c.text, c.entries, codePageOf(c.codePage), c.options), c.expected);
    if (!usesOptions(c.options)) {
        EXPECT_EQ(LinkInserter::insertLinks(c.text, c.entries, codePageOf(c.codePage)), c.expected);
    }
}

TEST_P(LinkCaseTest, Reference) {
    const LinkCase& c = GetParam();
    EXPECT_EQ(ReferenceLinker::insertLinks(c.text, c.entries, codePageOf(c.codePage), c.options), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, LinkCaseTest, testing::ValuesIn(linkCases()), nameOf<LinkCase>);

// Every case's output comes out of writeLinks whole and in order.
TEST(LinkCaseTable, WriteLinksGivesTheSameText) {
    for (const LinkCase& c : linkCases()) {
        std::string written;
        LinkEngine::writeLinks(c.text, c.entries, codePageOf(c.codePage), c.options, [&](std::string_view piece) { written += piece; });
        EXPECT_EQ(written, c.expected) << c.name;
    }
}

// Outputs of several mebibytes come in pieces, made on other threads while the ones before
// are written: a stretch of plain text longer than a piece, then anchors close together,
// then plain text to the end.
TEST(WriteLinks, LongOutputInPieces) {
    const std::string text = std::string(3 << 20, 'x') + [] {
        std::string s;
        for (int i = 0; i < 200000; ++i) s += "cat dog ";
        return s;
    }() + std::string(1 << 20, 'y');
    const std::vector<KeywordEntry> entries = {{"cat", "/c"}, {"dog", "/d"}};
    const std::string whole = LinkEngine::insertLinks(text, entries, CodePage::singleByte(), {});
    for (const std::size_t threads : {1, 3}) {
        LinkEngine::Options options;
        options.threads = threads;
        std::string written;
        std::size_t pieces = 0;
        LinkEngine::writeLinks(text, entries, CodePage::singleByte(), options, [&](std::string_view piece) {
            EXPECT_FALSE(piece.empty());
            written += piece;
            ++pieces;
        });
        EXPECT_GT(pieces, 3u);
        EXPECT_EQ(written, whole) << threads << " threads";
    }
}

// One entry alone links exactly as replaceAll with the entry's anchor.
TEST(LinkCaseTable, SingleEntryIsReplaceAll) {
    for (const LinkCase& c : linkCases()) {
        if (c.entries.size() != 1 || usesOptions(c.options)) continue;
        const KeywordEntry& e = c.entries.front();
        EXPECT_EQ(LinkInserter::replaceAll(c.text, e.keyword, LinkInserter::makeAnchor(e.keyword, e.link), codePageOf(c.codePage)),
                  c.expected)
            << c.name;
    }
}

class ReplaceCaseTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceCaseTest, FastEngine) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(LinkInserter::replaceAll(c.text, c.keyword, c.replacement, codePageOf(c.codePage)), c.expected);
}

TEST_P(ReplaceCaseTest, Reference) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReferenceLinker::replaceAll(c.text, c.keyword, c.replacement, codePageOf(c.codePage)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceCaseTest, testing::ValuesIn(replaceCases()), nameOf<ReplaceCase>);

TEST(MakeAnchor, FivePiecesNothingEscaped) {
    EXPECT_EQ(LinkInserter::makeAnchor("cat", "/c.html"), R"(<a href="/c.html">cat</a>)");
    EXPECT_EQ(LinkInserter::makeAnchor("a&<b", "x\"y"), R"(<a href="x"y">a&<b</a>)");
    EXPECT_EQ(LinkInserter::makeAnchor("", ""), R"(<a href=""></a>)");
}

}  // namespace
