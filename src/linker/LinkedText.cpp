#include "LinkedText.h"

#include <cstring>

namespace LinkEngineDetail {
namespace {

constexpr std::string_view anchorOpen = "<a href=\"", anchorMiddle = "\">", anchorClose = "</a>";

}  // namespace

LinkedText::LinkedText(std::string_view text, const std::vector<KeywordEntry>& entries, const MatchList& matches,
                       std::size_t pieceBytes)
    : text_(text), entries_(entries) {
    heads_.reserve(entries.size());
    for (const KeywordEntry& e : entries) {
        std::string& head = heads_.emplace_back(anchorOpen);
        head.append(e.link).append(anchorMiddle);
    }

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
        const std::size_t length = entries[m.entry].keyword.size();
        plainUpTo(m.begin);
        piece.bytes += heads_[m.entry].size() + length + anchorClose.size();
        ++piece.matches;
        copied = m.begin + length;
        ++next;
        if (piece.bytes >= pieceBytes) cut(copied);
    }
    plainUpTo(text.size());
    if (piece.bytes > 0) cut(text.size());
}

void LinkedText::makePiece(std::size_t i, std::string& out) const {
    const Piece& piece = pieces_[i];
    out.resize(piece.bytes);
    char* at = out.data();
    auto put = [&](std::string_view bytes) {
        std::memcpy(at, bytes.data(), bytes.size());
        at += bytes.size();
    };
    std::size_t copied = piece.textBegin;
    MatchList::Cursor next = piece.first;
    for (std::size_t k = 0; k < piece.matches; ++k, ++next) {
        const LinkEngine::Match m = *next;
        const std::size_t length = entries_[m.entry].keyword.size();
        put(text_.substr(copied, m.begin - copied));
        put(heads_[m.entry]);
        put(text_.substr(m.begin, length));
        put(anchorClose);
        copied = m.begin + length;
    }
    put(text_.substr(copied, piece.textEnd - copied));
}

}  // namespace LinkEngineDetail

void LinkEngine::appendAnchor(std::string& out, std::string_view anchorText, std::string_view link) {
    out.append(LinkEngineDetail::anchorOpen).append(link).append(LinkEngineDetail::anchorMiddle).append(anchorText).append(LinkEngineDetail::anchorClose);
}
