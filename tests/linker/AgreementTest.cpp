// The fast engine against the plain reference on many generated cases: small alphabets, so
// that keywords overlap, nest and repeat; duplicate, empty and prefix keywords; empty links;
// code page 932 with lead bytes everywhere, the last byte included; NUL bytes; options.
#include "LinkInserter.h"
#include "ReferenceLinker.h"
#include "SeededRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Alphabet {
    std::string bytes;
    unsigned codePage;  // 0: single-byte
};

// 0x81 and 0x83 are lead bytes in code page 932, '\\' (0x5C) and '@' are possible second bytes.
const Alphabet alphabets[] = {
    {"ab", 0},
    {"abc", 0},
    {"aA b_", 0},
    {std::string("a\0b", 3), 0},
    {"\x81\\a", 932},
    {"\x81\x83\\", 932},
    {"\x81" "aA@ ", 932},
    {std::string("\x81\0\\", 3), 932},
};

struct GeneratedCase {
    std::string text;
    std::vector<KeywordEntry> entries;
    CodePage cp;
    LinkEngine::Options options;
};

std::string randomString(SeededRandom& random, const std::string& alphabet, std::size_t maxLength) {
    std::string s(random.below(maxLength + 1), ' ');
    for (char& c : s) c = alphabet[random.below(alphabet.size())];
    return s;
}

std::string randomKeyword(SeededRandom& random, const std::string& alphabet, const std::string& text,
                          const std::vector<KeywordEntry>& earlier) {
    const std::size_t kind = random.below(10);
    if (kind < 2 && !earlier.empty()) return earlier[random.below(earlier.size())].keyword;  // duplicate
    if (kind < 4 && !earlier.empty()) {  // prefix or suffix of an earlier one
        const std::string& k = earlier[random.below(earlier.size())].keyword;
        const std::size_t cut = random.below(k.size() + 1);
        return random.chance(50) ? k.substr(0, cut) : k.substr(cut);
    }
    if (kind < 6 && !text.empty()) {  // a piece of the text, so that it surely occurs
        const std::size_t begin = random.below(text.size());
        return text.substr(begin, 1 + random.below(4));
    }
    return randomString(random, alphabet, 4);
}

GeneratedCase generate(std::uint64_t seed, bool withOptions) {
    SeededRandom random(seed);
    const Alphabet& alphabet = alphabets[random.below(std::size(alphabets))];
    GeneratedCase c{randomString(random, alphabet.bytes, 40), {}, CodePage::byNumber(alphabet.codePage), {}};
    const char* links[] = {"", "L", "a\"b", "<a>"};
    const std::size_t entries = random.below(8);
    for (std::size_t i = 0; i < entries; ++i)
        c.entries.push_back({randomKeyword(random, alphabet.bytes, c.text, c.entries), links[random.below(std::size(links))]});
    if (withOptions) {
        c.options.ignoreCase = random.chance(40);
        c.options.wholeWords = random.chance(40);
        if (random.chance(40)) c.options.maxPerEntry = random.below(4);
        for (std::size_t i = random.below(3); i > 0; --i) {
            const std::size_t begin = random.below(c.text.size() + 2);
            c.options.protectedRanges.push_back({begin, begin + random.below(6)});
        }
        c.options.threads = 1 + random.below(4);
    }
    return c;
}

std::string describe(const GeneratedCase& c) {
    auto quoted = [](const std::string& s) {
        std::string q = "\"";
        for (unsigned char b : s) {
            static const char hex[] = "0123456789ABCDEF";
            if (b >= 0x20 && b < 0x7F && b != '\\' && b != '"') q += static_cast<char>(b);
            else q += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        }
        return q + "\"";
    };
    std::string d = "text " + quoted(c.text) + (c.cp.isLeadByte(0x81) ? " cp932" : "") + "\nentries";
    for (const KeywordEntry& e : c.entries) d += " (" + quoted(e.keyword) + ", " + quoted(e.link) + ")";
    d += "\noptions: ignoreCase " + std::to_string(c.options.ignoreCase) + " wholeWords " +
         std::to_string(c.options.wholeWords) + " max " + std::to_string(c.options.maxPerEntry) + " threads " +
         std::to_string(c.options.threads) + " protected";
    for (const LinkEngine::ByteRange& r : c.options.protectedRanges)
        d += " [" + std::to_string(r.begin) + "," + std::to_string(r.end) + ")";
    return d;
}

constexpr std::uint64_t caseCount = 20000;

TEST(Agreement, InsertLinksMatchesReference) {
    for (std::uint64_t seed = 0; seed < caseCount; ++seed) {
        const GeneratedCase c = generate(seed, false);
        const std::string expected = ReferenceLinker::insertLinks(c.text, c.entries, c.cp);
        ASSERT_EQ(LinkInserter::insertLinks(c.text, c.entries, c.cp), expected) << "seed " << seed << "\n" << describe(c);
    }
}

TEST(Agreement, OptionsMatchReference) {
    for (std::uint64_t seed = 0; seed < caseCount; ++seed) {
        const GeneratedCase c = generate(seed, true);
        const std::string expected = ReferenceLinker::insertLinks(c.text, c.entries, c.cp, c.options);
        ASSERT_EQ(LinkEngine::insertLinks(c.text, c.entries, c.cp, c.options), expected)
            << "seed " << seed << "\n" << describe(c);
    }
}

TEST(Agreement, ReplaceAllMatchesReference) {
    for (std::uint64_t seed = 0; seed < caseCount; ++seed) {
        GeneratedCase c = generate(seed, false);
        if (c.entries.empty()) continue;
        const KeywordEntry& e = c.entries.front();
        ASSERT_EQ(LinkInserter::replaceAll(c.text, e.keyword, e.link, c.cp), ReferenceLinker::replaceAll(c.text, e.keyword, e.link, c.cp))
            << "seed " << seed << "\n" << describe(c);
    }
}

// Runs of lead bytes longer than the engine keeps count of byte by byte, with segments that
// start inside them.
TEST(Agreement, LongLeadByteRuns) {
    SeededRandom random(7);
    const CodePage cp = CodePage::byNumber(932);
    for (int round = 0; round < 40; ++round) {
        std::string text;
        while (text.size() < 3000) {
            text.append(random.below(700), '\x81');
            text += "\\a"[random.below(2)];
        }
        std::vector<KeywordEntry> entries = {{"\\", "x"}, {"\x81\\", "y"}, {"a\x81", "z"}, {"\x81\x81\x81", "w"}};
        for (std::size_t i = random.below(4); i > 0; --i) entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(random.below(entries.size())));
        LinkEngine::Options options;
        for (std::size_t i = random.below(12); i > 0; --i) {
            const std::size_t begin = random.below(text.size());
            options.protectedRanges.push_back({begin, begin + 1 + random.below(3)});
        }
        ASSERT_EQ(LinkEngine::insertLinks(text, entries, cp, options), ReferenceLinker::insertLinks(text, entries, cp, options))
            << "round " << round;
    }
}

// Many short keywords over two letters occur more often than the text has bytes, several
// times over, so the engine lists their occurrences in several passes.
TEST(Agreement, DenseOverlapsInSeveralPasses) {
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
        SeededRandom random(seed);
        const std::string text = randomString(random, "ab", 150);
        std::vector<KeywordEntry> entries;
        for (std::size_t i = 10 + random.below(30); i > 0; --i)
            entries.push_back({randomKeyword(random, "ab", text, entries), "L"});
        LinkEngine::Options options;
        if (random.chance(50)) options.maxPerEntry = 1 + random.below(3);
        const CodePage cp = CodePage::singleByte();
        ASSERT_EQ(LinkEngine::insertLinks(text, entries, cp, options), ReferenceLinker::insertLinks(text, entries, cp, options))
            << "seed " << seed;
    }
}

// Texts of 160 KiB, which the engine scans in several runs of blocks, on one thread and on
// three: one where occurrences are few, and one where every byte ends several, so that
// stretches for the threads are hard to find.
TEST(Agreement, LongTexts) {
    struct LongCase { const char* alphabet; std::size_t keywordLength; };
    for (const LongCase& c : {LongCase{"abcdefgh ", 5}, LongCase{"ab", 3}}) {
        for (std::uint64_t seed = 0; seed < 2; ++seed) {
            SeededRandom random(seed);
            std::string text;
            while (text.size() < (160 << 10)) text += randomString(random, c.alphabet, 64);
            std::vector<KeywordEntry> entries;
            for (std::size_t i = 8; i > 0; --i) {
                const std::size_t begin = random.below(text.size());
                entries.push_back({text.substr(begin, 1 + random.below(c.keywordLength)), std::to_string(i)});
            }
            const CodePage cp = CodePage::singleByte();
            const std::string expected = ReferenceLinker::insertLinks(text, entries, cp, {});
            for (const std::size_t threads : {1, 3}) {
                LinkEngine::Options options;
                options.threads = threads;
                ASSERT_EQ(LinkEngine::insertLinks(text, entries, cp, options), expected)
                    << c.alphabet << " seed " << seed << " threads " << threads;
            }
        }
    }
}

// Longer texts where stretches of words with few occurrences alternate with stretches over
// two letters where occurrences overlap everywhere, so that one text mixes occurrences that
// stand apart, small clusters of overlapping ones, and clusters too large to settle apart.
TEST(Agreement, SparseAndDenseStretches) {
    for (std::uint64_t seed = 0; seed < 2000; ++seed) {
        SeededRandom random(seed);
        std::string text;
        while (text.size() < 300) text += random.chance(30) ? randomString(random, "ab", 40) : randomString(random, "abcdefgh  _", 30);
        std::vector<KeywordEntry> entries;
        for (std::size_t i = 5 + random.below(20); i > 0; --i) {
            std::string link = "L";
            link += std::to_string(i);
            entries.push_back({randomKeyword(random, "abcdefgh ", text, entries), link});
        }
        LinkEngine::Options options;
        options.ignoreCase = random.chance(30);
        options.wholeWords = random.chance(30);
        if (random.chance(20)) options.maxPerEntry = 1 + random.below(3);
        for (std::size_t i = random.below(3); i > 0; --i) {
            const std::size_t begin = random.below(text.size());
            options.protectedRanges.push_back({begin, begin + random.below(8)});
        }
        options.threads = 1 + random.below(4);
        const CodePage cp = CodePage::singleByte();
        ASSERT_EQ(LinkEngine::insertLinks(text, entries, cp, options), ReferenceLinker::insertLinks(text, entries, cp, options))
            << "seed " << seed;
    }
}

}  // namespace
