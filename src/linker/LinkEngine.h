#pragma once
// The engine behind LinkInserter, with the options that a command-line front end offers on
// top of the plain rules (see LinkInserter.h). Internal to the linker and its tools.
//
// The working text is a sequence of plain segments and opaque regions: the anchors that
// earlier entries inserted, and the caller's protected ranges. Each entry, in list order,
// scans every plain segment as replaceAll scans a whole text: from the segment's first byte,
// one character at a time, going on behind each match; no match crosses a segment's end.
// Each match becomes an opaque anchor and splits its segment.
//
// Options, each off by default:
//   ignoreCase      ASCII letters match whatever their case; the anchor's text keeps the
//                   letters of the text. The second byte of a two-byte character is never
//                   folded: it is not a letter. ("cat" on "a Cat" -> a <a href="L">Cat</a>)
//   wholeWords      a match counts only where neither neighbouring byte of the input text
//                   continues a word (ASCII letters, digits, '_', bytes of 0x80 and above).
//                   Neighbours are the input's bytes, whatever earlier entries made of them.
//   maxPerEntry     each entry links only its first N matches (0: none).
//   protectedRanges byte ranges [begin, end) of the input that behave as anchors already
//                   inserted: never matched, and they bound the segments around them. Any
//                   order, overlaps allowed; parts beyond the text are ignored.
// And one that changes nothing in the result:
//   threads         how many threads scan the text; 0: as many as the machine runs at
//                   once, for texts of some MiB.
//
// Cost: about the text's length plus the number of keyword occurrences, whatever the number
// of entries: one Aho-Corasick pass over the text, split over the machine's threads for long
// texts, and a few more only where keywords occur more often than the text has bytes; each
// occurrence is then taken or ruled out in a few steps. See DESIGN.md beside this file.
#include "LinkInserter.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace LinkEngine {

struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct Options {
    static constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

    bool ignoreCase = false;
    bool wholeWords = false;
    std::size_t maxPerEntry = unlimited;
    std::vector<ByteRange> protectedRanges = {};
    std::size_t threads = 0;
};

// One chosen match: the keyword of entry `entry` stands in the input at `begin`.
struct Match {
    std::size_t begin;
    std::size_t entry;
};

// The matches that the keywords, applied in order, take in `text`, in the order of their
// positions. An empty keyword takes none.
std::vector<Match> findMatches(std::string_view text, std::span<const std::string_view> keywords, const CodePage& cp,
                               const Options& options);

// The text with an anchor around each match of findMatches over the entries' keywords;
// the anchor's text is the matched bytes of the input.
std::string insertLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                        const Options& options);

// The same text as insertLinks, handed to write() in order in pieces, each made from about
// 256 KiB of the text, so that the whole output is never held at once. The pieces are made on
// other threads (options.threads) while write() takes the ones before.
void writeLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                const Options& options, const std::function<void(std::string_view)>& write);

// Appends <a href="LINK">TEXT</a>.
void appendAnchor(std::string& out, std::string_view anchorText, std::string_view link);

// Whether a byte continues a word, for wholeWords.
bool isWordByte(unsigned char b);

}  // namespace LinkEngine
