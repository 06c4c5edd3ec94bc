#include "CharacterStarts.h"

#include "LinkInserter.h"

#include <algorithm>

namespace LinkEngineDetail {

CharacterStarts::CharacterStarts(std::string_view text, const CodePage& cp) : runLength_(text.size() + 1) {
    unsigned length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        length = cp.isLeadByte(static_cast<unsigned char>(text[i])) ? length + 1 : 0;
        if (length == saturated) longRunStarts_.push_back(i + 1 - saturated);
        runLength_[i + 1] = static_cast<std::uint8_t>(std::min<unsigned>(length, saturated));
    }
}

std::size_t CharacterStarts::leadRunStart(std::size_t q) const {
    if (runLength_[q] < saturated) return q - runLength_[q];
    // Byte q - 1 lies in a long run: the last one that starts before q.
    auto after = std::upper_bound(longRunStarts_.begin(), longRunStarts_.end(), q - 1);
    return *(after - 1);
}

bool CharacterStarts::isStart(std::size_t q, std::size_t scanStart) const {
    return (q - std::max(scanStart, leadRunStart(q))) % 2 == 0;
}

}  // namespace LinkEngineDetail
