// Runs the table of cases against every linker: the fast engine (through LinkInserter where
// the case uses no option), and the plain reference.
#include "LinkCases.h"
#include "LinkInserter.h"
#include "ReferenceLinker.h"

#include <gtest/gtest.h>

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
