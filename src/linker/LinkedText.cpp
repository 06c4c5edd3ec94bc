#include "LinkedText.h"

#include <cstring>

namespace LinkEngineDetail {
namespace {

constexpr std::string_view anchorOpen = "<a href=\"", anchorMiddle = "\">", anchorClose = "</a>";
constexpr std::size_t smallCopy = 64;

}  // namespace

LinkedText::LinkedText(std::string_view text, const std::vector<KeywordEntry>& entries, const MatchList& matches,
                       std::size_t pieceBytes)
    : text_(text) {
    entries_.reserve(entries.size());
    for (const KeywordEntry& e : entries) {
        const std::size_t head = heads_.size();
        heads_.append(anchorOpen).append(e.link).append(anchorMiddle);
        entries_.push_back({head, heads_.size() - head, e.keyword.size()});
    }
    heads_.append(smallCopy, '\0');  // so that a small copy may read on past the last head

    // Plain text runs from `copied` to the next match; a piece that it would fill is cut
    // inside it.
    MatchList::Cursor next = matches.begin();
    Piece piece{0, 0, next, 0, 0};
    std::size_t copied = 0;
    auto cut = [&](std::size_t at) {
        piece.textEnd = at;
        pieces_.push_back(piece);
        piece = {at, at, next, 0, 0};
    };
    auto plainUpTo = [&](std::size_t end) {
        while (piece.bytes + (end - copied) >= pieceBytes) {
            copied += pieceBytes - piece.bytes;
            piece.bytes = pieceBytes;
            cut(copied);
        }
        piece.bytes += end - copied;
        copied = end;
    };
    for (; !next.atEnd();) {
        const LinkEngine::Match m = *next;
        const std::size_t length = entries_[m.entry].keywordSize;
        plainUpTo(m.begin);
        piece.bytes += entries_[m.entry].headSize + length + anchorClose.size();
        ++piece.matches;
        copied = m.begin + length;
        ++next;
        if (piece.bytes >= pieceBytes) cut(copied);
    }
    plainUpTo(text.size());
    if (piece.bytes > 0) cut(text.size());
}

// Most of what a piece is made of is short: words of text, keywords, links. Those are copied
// in one move of a fixed size, reading and writing a little past their end, which costs less
// than a call to memcpy for each; the output has room for that, and the sources are read past
// their end only where they go on for that long.
void LinkedText::makePiece(std::size_t i, std::string& out) const {
    const Piece& piece = pieces_[i];
    out.resize(piece.bytes + smallCopy);
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
    MatchList::Cursor next = piece.first;
    for (std::size_t k = 0; k < piece.matches; ++k, ++next) {
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
    out.resize(piece.bytes);
}

}  // namespace LinkEngineDetail

void LinkEngine::appendAnchor(std::string& out, std::string_view anchorText, std::string_view link) {
    out.append(LinkEngineDetail::anchorOpen).append(link).append(LinkEngineDetail::anchorMiddle).append(anchorText).append(LinkEngineDetail::anchorClose);
}
