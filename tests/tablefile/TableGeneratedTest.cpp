// Generated tables and bytes, from fixed seeds so that a failure repeats.
#include "TableRows.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

namespace {

// Values are drawn from pieces that the reader treats specially, so that short random
// values still hit names, separators, white space, line ends and the bytes that end data.
constexpr std::string_view valuePieces[] = {
    "a", "Z", "0", "/", "?", "=", "KEYWORD", "LINK", "CREATOR", " ", "\t", "\r", "\v", "\f",
    "\x80", "\xA0", "\xFF", "\n", "\x1A", std::string_view("\0", 1),
};

class TableGenerator {
public:
    explicit TableGenerator(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

    std::string value(std::size_t maxPieces) {
        std::string text;
        for (std::size_t n = below(maxPieces + 1); n > 0; --n) text.append(valuePieces[below(std::size(valuePieces))]);
        return text;
    }

    KeywordEntry entry() { return {value(6), value(6)}; }

    // An entry that a save and reload keeps, drawn until one is found.
    KeywordEntry survivingEntry() {
        for (;;) {
            KeywordEntry candidate = entry();
            if (TableFormat::survivesRoundTrip(candidate)) return candidate;
        }
    }

    std::string bytes(std::size_t maxLength) {
        // Mostly whole format tokens, with raw bytes of every value between them.
        static constexpr std::string_view tokens[] = {"KEYWORD=", "LINK=", "KEYWORD", "LINK", "\r\n", "\n", "=", " "};
        std::string text;
        while (text.size() < maxLength) {
            if (below(2) == 0)
                text.append(tokens[below(std::size(tokens))]);
            else
                text.push_back(static_cast<char>(below(256)));
        }
        return text;
    }

private:
    std::mt19937 random_;
};

// For single entries, survivesRoundTrip is exactly "the entry comes back unchanged".
TEST(TableGenerated, SurvivesRoundTripTellsTheTruth) {
    TableGenerator generate(1);
    for (int i = 0; i < 20000; ++i) {
        const KeywordEntry entry = generate.entry();
        const bool cameBack = rowsOf(TableFormat::parseTable(TableFormat::formatTable({entry}))) == rowsOf({entry});
        ASSERT_EQ(TableFormat::survivesRoundTrip(entry), cameBack) << ::testing::PrintToString(rowsOf({entry}));
    }
}

TEST(TableGenerated, TablesOfSurvivingEntriesComeBackTheSame) {
    TableGenerator generate(2);
    for (int table = 0; table < 300; ++table) {
        std::vector<KeywordEntry> entries;
        for (std::size_t n = generate.below(20); n > 0; --n) entries.push_back(generate.survivingEntry());
        const Rows rows = rowsOf(entries);
        ASSERT_EQ(rowsOf(TableFormat::parseTable(TableFormat::formatTable(entries))), rows)
            << ::testing::PrintToString(rows);
    }
}

// A NUL put into one value of a saved table costs that entry and no other.
TEST(TableGenerated, ANulByteInAValueLosesOnlyItsEntry) {
    TableGenerator generate(3);
    for (int table = 0; table < 300; ++table) {
        std::vector<KeywordEntry> entries;
        for (std::size_t n = 1 + generate.below(10); n > 0; --n) entries.push_back(generate.survivingEntry());
        const std::size_t damaged = generate.below(entries.size());

        std::vector<KeywordEntry> withNul = entries;
        std::string& value = generate.below(2) == 0 ? withNul[damaged].keyword : withNul[damaged].link;
        value.insert(generate.below(value.size() + 1), 1, '\0');

        std::vector<KeywordEntry> expected = entries;
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(damaged));
        ASSERT_EQ(rowsOf(TableFormat::parseTable(TableFormat::formatTable(withNul))), rowsOf(expected))
            << ::testing::PrintToString(rowsOf(withNul));
    }
}

// Any bytes at all read without a crash (the sanitizers watch), into entries that are
// already in their saved form: each one survives a round trip, and so does the table.
TEST(TableGenerated, AnyBytesReadIntoEntriesThatSaveAndReloadUnchanged) {
    TableGenerator generate(4);
    for (int run = 0; run < 3000; ++run) {
        const std::string bytes = generate.bytes(generate.below(400));
        const std::vector<KeywordEntry> entries = TableFormat::parseTable(bytes);
        for (const KeywordEntry& entry : entries)
            ASSERT_TRUE(TableFormat::survivesRoundTrip(entry)) << ::testing::PrintToString(rowsOf({entry}));
        ASSERT_EQ(rowsOf(TableFormat::parseTable(TableFormat::formatTable(entries))), rowsOf(entries));
    }
}

}  // namespace
