// roundTripLoss: what a save and reload would change about one entry.
#include "TableBytes.h"
#include "TableFormat.h"

namespace TableFormat {

RoundTripLoss roundTripLoss(const KeywordEntry& entry) {
    using namespace internal;
    const auto eitherHolds = [&entry](char byte) {
        return entry.keyword.find(byte) != std::string::npos || entry.link.find(byte) != std::string::npos;
    };
    const auto endsInWhiteSpace = [](std::string_view value) {
        return !value.empty() && isTrimmedWhiteSpace(value.back());
    };

    if (eitherHolds(endOfFileByte)) return RoundTripLoss::endOfFileByte;
    if (eitherHolds(lineFeed)) return RoundTripLoss::lineFeed;
    if (eitherHolds(nulByte)) return RoundTripLoss::nulByte;
    if (trimTrailingWhiteSpace(entry.keyword).empty()) return RoundTripLoss::blankKeyword;
    if (endsInWhiteSpace(entry.keyword) || endsInWhiteSpace(entry.link)) return RoundTripLoss::trailingWhiteSpace;
    return RoundTripLoss::none;
}

}  // namespace TableFormat
