// The linked text cut into pieces of any size gives the same bytes as in one piece: cuts in
// plain text, inside anchors (moved behind them), between anchors that touch, at the text's
// ends; and the list of matches it reads them from.
#include "LinkedText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using LinkEngineDetail::LinkedText;
using LinkEngineDetail::MatchList;

std::string piecesJoined(const LinkedText& linked) {
    std::string joined, piece;
    for (std::size_t i = 0; i < linked.pieceCount(); ++i) {
        linked.makePiece(i, piece);
        EXPECT_FALSE(piece.empty()) << "piece " << i;
        joined += piece;
    }
    return joined;
}

TEST(LinkedText, AnyPieceSizeGivesTheWholeText) {
    struct Case {
        std::string text;
        std::vector<LinkEngine::Match> matches;
    };
    const std::vector<KeywordEntry> entries = {{"ab", "L"}, {"c", "/long/link"}};
    const Case cases[] = {
        {"ab plain c text ab", {{0, 0}, {9, 1}, {16, 0}}},  // anchors at both ends
        {"abcab", {{0, 0}, {2, 1}, {3, 0}}},               // anchors that touch
        {"only plain text here", {}},
        {"c", {{0, 1}}},
    };
    for (const Case& c : cases) {
        const MatchList matches(c.matches);
        const LinkedText whole(c.text, entries, matches, LinkedText::wholeText);
        ASSERT_EQ(whole.pieceCount(), 1u);
        std::string expected;
        whole.makePiece(0, expected);
        for (std::size_t textBytes = 1; textBytes <= c.text.size() + 1; ++textBytes) {
            const LinkedText linked(c.text, entries, matches, textBytes);
            EXPECT_LE(linked.pieceCount(), (c.text.size() + textBytes - 1) / textBytes) << c.text << ", pieces of " << textBytes;
            EXPECT_EQ(piecesJoined(linked), expected) << c.text << ", pieces of " << textBytes;
        }
    }
}

// The settled lists and the chosen matches read as one list in the order of positions, the
// chosen ones before, between and after the settled ones, empty lists left out, from the
// start or from any position.
TEST(MatchList, ReadsSettledAndChosenInOrder) {
    const auto packed = [](std::size_t begin) { return MatchList::pack(begin, begin % 3); };
    const MatchList list({{packed(2), packed(5)}, {}, {packed(9)}}, {{0, 0}, {7, 1}, {8, 2}, {12, 0}});
    std::vector<std::size_t> positions;
    for (MatchList::Cursor c = list.begin(); !c.atEnd(); ++c) positions.push_back((*c).begin);
    EXPECT_EQ(positions, (std::vector<std::size_t>{0, 2, 5, 7, 8, 9, 12}));
    for (std::size_t at = 0; at <= 13; ++at) {
        const MatchList::Cursor c = list.seek(at);
        const auto first = std::find_if(positions.begin(), positions.end(), [&](std::size_t p) { return p >= at; });
        ASSERT_EQ(c.atEnd(), first == positions.end()) << "seek " << at;
        if (!c.atEnd()) {
            EXPECT_EQ((*c).begin, *first) << "seek " << at;
        }
    }
    EXPECT_EQ(list.size(), 7u);
    const std::vector<LinkEngine::Match> all = list.toVector();
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(all[2].begin, 5u);
    EXPECT_EQ(all[2].entry, 2u);  // unpacked as it was packed
}

TEST(LinkedText, EmptyTextHasNoPieces) {
    const std::vector<KeywordEntry> entries = {{"a", "L"}};
    const MatchList none(std::vector<LinkEngine::Match>{});
    EXPECT_EQ(LinkedText("", entries, none, 4).pieceCount(), 0u);
    EXPECT_EQ(LinkedText("", entries, none, LinkedText::wholeText).pieceCount(), 0u);
}

}  // namespace
