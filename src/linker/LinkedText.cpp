#include "LinkedText.h"

#include <cstring>

namespace LinkEngineDetail {
namespace {

constexpr std::string_view anchorOpen = "<a href=\"", anchorMiddle = "\">", anchorClose = "</a>";

}  // namespace

LinkedText::LinkedText(std::string_view text, const std::vector<KeywordEntry>& entries,
                       const std::vector<LinkEngine::Match>& matches, std::size_t pieceBytes)
    : text_(text), entries_(entries), matches_(matches) {
    heads_.reserve(entries.size());
    for (const KeywordEntry& e : entries) {
        std::string& head = heads_.emplace_back(anchorOpen);
        head.append(e.link).append(anchorMiddle);
    }

    // Plain text runs from `copied` to the next match; a piece that it would fill is cut
    // inside it.
    Piece piece{0, 0, 0, 0, 0};
    std::size_t copied = 0;
    auto cut = [&](std::size_t at, std::size_t nextMatch) {
        piece.textEnd = at;
        piece.endMatch = nextMatch;
        pieces_.push_back(piece);
        piece = {at, at, nextMatch, nextMatch, 0};
    };
    auto plainUpTo = [&](std::size_t end, std::size_t nextMatch) {
        while (piece.bytes + (end - copied) >= pieceBytes) {
            copied += pieceBytes - piece.bytes;
            piece.bytes = pieceBytes;
            cut(copied, nextMatch);
        }
        piece.bytes += end - copied;
        copied = end;
    };
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const LinkEngine::Match& m = matches[i];
        const std::size_t length = entries[m.entry].keyword.size();
        plainUpTo(m.begin, i);
        piece.bytes += heads_[m.entry].size() + length + anchorClose.size();
        copied = m.begin + length;
        if (piece.bytes >= pieceBytes) cut(copied, i + 1);
    }
    plainUpTo(text.size(), matches.size());
    if (piece.bytes > 0) cut(text.size(), matches.size());
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
    for (std::size_t k = piece.firstMatch; k < piece.endMatch; ++k) {
        const LinkEngine::Match& m = matches_[k];
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
