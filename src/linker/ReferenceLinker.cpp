#include "ReferenceLinker.h"

namespace ReferenceLinker {
namespace {

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Scans text[begin, end) one character at a time from `begin`; where isMatch(x) holds it
// calls onMatch(x) and goes on behind the match, `length` bytes further. Ends when fewer
// than `length` bytes remain.
template <class IsMatch, class OnMatch>
void scanSegment(std::string_view text, std::size_t begin, std::size_t end, std::size_t length, const CodePage& cp,
                 IsMatch&& isMatch, OnMatch&& onMatch) {
    std::size_t x = begin;
    while (x <= end && end - x >= length) {
        if (isMatch(x)) {
            onMatch(x);
            x += length;
        } else {
            x += cp.isLeadByte(byteAt(text, x)) && x + 1 < text.size() ? 2 : 1;
        }
    }
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the keyword stands at x, comparing letters without case when asked; the second
// byte of a two-byte character always compares exactly.
bool equalsAt(std::string_view text, std::size_t x, std::string_view keyword, const CodePage& cp, bool ignoreCase) {
    bool trailByte = false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        const char t = text[x + i], k = keyword[i];
        if (ignoreCase && !trailByte ? lowerAscii(t) != lowerAscii(k) : t != k) return false;
        trailByte = !trailByte && cp.isLeadByte(byteAt(keyword, i));
    }
    return true;
}

struct Piece {
    bool plain;
    std::size_t begin, end;  // of a plain piece, in the input
    std::string anchor;      // of an anchor
};

std::vector<Piece> initialPieces(std::string_view text, const LinkEngine::Options& options) {
    std::vector<bool> isProtected(text.size(), false);
    for (const LinkEngine::ByteRange& r : options.protectedRanges)
        for (std::size_t i = r.begin; i < r.end && i < text.size(); ++i) isProtected[i] = true;
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t j = i;
        while (j < text.size() && isProtected[j] == isProtected[i]) ++j;
        if (isProtected[i])
            pieces.push_back({false, i, j, std::string(text.substr(i, j - i))});
        else
            pieces.push_back({true, i, j, {}});
        i = j;
    }
    return pieces;
}

}  // namespace

std::string replaceAll(std::string_view text, std::string_view keyword, std::string_view replacement,
                       const CodePage& cp) {
    if (keyword.empty()) return std::string(text);
    std::string out;
    std::size_t copied = 0;
    scanSegment(
        text, 0, text.size(), keyword.size(), cp, [&](std::size_t x) { return text.substr(x, keyword.size()) == keyword; },
        [&](std::size_t x) {
            out.append(text.substr(copied, x - copied)).append(replacement);
            copied = x + keyword.size();
        });
    return out.append(text.substr(copied));
}

std::string insertLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                        const LinkEngine::Options& options) {
    std::vector<Piece> pieces = initialPieces(text, options);
    for (const KeywordEntry& entry : entries) {
        const std::string_view keyword = entry.keyword;
        if (keyword.empty()) continue;
        std::size_t taken = 0;
        auto isMatch = [&](std::size_t x) {
            if (taken == options.maxPerEntry || !equalsAt(text, x, keyword, cp, options.ignoreCase)) return false;
            if (!options.wholeWords) return true;
            const std::size_t after = x + keyword.size();
            return (x == 0 || !LinkEngine::isWordByte(byteAt(text, x - 1))) &&
                   (after == text.size() || !LinkEngine::isWordByte(byteAt(text, after)));
        };
        std::vector<Piece> next;
        for (Piece& piece : pieces) {
            if (!piece.plain) {
                next.push_back(std::move(piece));
                continue;
            }
            std::size_t rest = piece.begin;
            scanSegment(text, piece.begin, piece.end, keyword.size(), cp, isMatch, [&](std::size_t x) {
                if (x > rest) next.push_back({true, rest, x, {}});
                next.push_back({false, x, x + keyword.size(), LinkInserter::makeAnchor(std::string(text.substr(x, keyword.size())), entry.link)});
                rest = x + keyword.size();
                ++taken;
            });
            if (rest < piece.end) next.push_back({true, rest, piece.end, {}});
        }
        pieces = std::move(next);
    }
    std::string out;
    for (const Piece& piece : pieces)
        out.append(piece.plain ? text.substr(piece.begin, piece.end - piece.begin) : std::string_view(piece.anchor));
    return out;
}

}  // namespace ReferenceLinker
