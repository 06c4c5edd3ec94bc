#include "LinkedText.h"

#include <algorithm>
#include <cstring>

namespace LinkEngineDetail {
namespace {

constexpr std::string_view anchorOpen = "<a href=\"", anchorMiddle = "\">", anchorClose = "</a>";
constexpr std::size_t smallCopy = 64;

}  // namespace

LinkedText::LinkedText(std::string_view text, const std::vector<KeywordEntry>& entries, const MatchList& matches,
                       std::size_t textBytes)
    : text_(text) {
    entries_.reserve(entries.size());
    for (const KeywordEntry& e : entries) {
        const std::size_t head = heads_.size();
        heads_.append(anchorOpen).append(e.link).append(anchorMiddle);
        entries_.push_back({head, heads_.size() - head, e.keyword.size()});
    }
    heads_.append(smallCopy, '\0');  // so that a small copy may read on past the last head

    // A cut that would fall inside a match moves behind it: such a match begins less than
    // the longest keyword before the cut.
    std::size_t longestKeyword = 0;
    for (const EntryParts& e : entries_) longestKeyword = std::max(longestKeyword, e.keywordSize);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = textBytes >= text.size() - begin ? text.size() : begin + textBytes;
        for (MatchList::Cursor c = matches.seek(end > longestKeyword ? end - longestKeyword : 0); !c.atEnd() && (*c).begin < end; ++c)
            end = std::max(end, (*c).begin + entries_[(*c).entry].keywordSize);
        pieces_.push_back({begin, end, matches.seek(begin)});
        begin = end;
    }
}

// Most of what a piece is made of is short: words of text, keywords, links. Those are copied
// in one move of a fixed size, reading and writing a little past their end, which costs less
// than a call to memcpy for each; the output has room for that, and the sources are read past
// their end only where they go on for that long.
void LinkedText::makePiece(std::size_t i, std::string& out) const {
    const Piece& piece = pieces_[i];
    std::size_t bytes = piece.textEnd - piece.textBegin;
    for (MatchList::Cursor next = piece.first; !next.atEnd() && (*next).begin < piece.textEnd; ++next)
        bytes += entries_[(*next).entry].headSize + anchorClose.size();
    out.resize(bytes + smallCopy);
    char* at = out.data();
    auto put = [&](const char* from, std::size_t size, const char* sourceEnd) {
        if (size <= smallCopy && sourceEnd - from >= static_cast<std::ptrdiff_t>(smallCopy))
            std::memcpy(at, from, smallCopy);
        else
            std::memcpy(at, from, size);
        at += size;
    };
    const char* const text = text_.data();
    const char* const textEnd = text + text_.size();
    const char* const headsEnd = heads_.data() + heads_.size();
    std::size_t copied = piece.textBegin;
    for (MatchList::Cursor next = piece.first; !next.atEnd() && (*next).begin < piece.textEnd; ++next) {
        const LinkEngine::Match m = *next;
        const EntryParts& entry = entries_[m.entry];
        put(text + copied, m.begin - copied, textEnd);
        put(heads_.data() + entry.head, entry.headSize, headsEnd);
        put(text + m.begin, entry.keywordSize, textEnd);
        std::memcpy(at, anchorClose.data(), anchorClose.size());
        at += anchorClose.size();
        copied = m.begin + entry.keywordSize;
    }
    std::memcpy(at, text + copied, piece.textEnd - copied);
    out.resize(bytes);
}

}  // namespace LinkEngineDetail

void LinkEngine::appendAnchor(std::string& out, std::string_view anchorText, std::string_view link) {
    out.append(LinkEngineDetail::anchorOpen).append(link).append(LinkEngineDetail::anchorMiddle).append(anchorText).append(LinkEngineDetail::anchorClose);
}
