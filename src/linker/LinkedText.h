#pragma once
// The linked text, made from the input and the chosen matches in pieces, each from a stretch
// of the text of about a given size, so that it can be written while the next pieces are
// being made, on other threads, without ever being held whole.
#include "LinkEngine.h"
#include "MatchList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace LinkEngineDetail {

class LinkedText {
public:
    static constexpr std::size_t wholeText = static_cast<std::size_t>(-1);  // one piece

    // `matches` none overlapping another; the text and the matches must outlive the object.
    // Pieces are cut every `textBytes` bytes of the text, or just behind the match there.
    LinkedText(std::string_view text, const std::vector<KeywordEntry>& entries, const MatchList& matches,
               std::size_t textBytes);

    std::size_t pieceCount() const { return pieces_.size(); }
    // Puts piece i in `out`, replacing what it held; may run on several threads at once.
    void makePiece(std::size_t i, std::string& out) const;

private:
    // The text [textBegin, textEnd) with an anchor around each match that begins in it,
    // from `first` on.
    struct Piece {
        std::size_t textBegin, textEnd;
        MatchList::Cursor first;
    };

    // What an entry's anchors need: where its <a href="LINK"> lies in heads_, and the length
    // of that and of its keyword.
    struct EntryParts {
        std::size_t head, headSize, keywordSize;
    };

    std::string_view text_;
    std::vector<EntryParts> entries_;
    std::string heads_;  // every entry's <a href="LINK">, one after the other
    std::vector<Piece> pieces_;
};

}  // namespace LinkEngineDetail
