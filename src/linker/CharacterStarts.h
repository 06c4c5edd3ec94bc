#pragma once
// Where a scan over a text in a multi-byte code page can stand.
//
// A scan steps one character at a time: two bytes from a lead byte, one byte otherwise.
// Take a position q and let r(q) be the first byte of the run of lead bytes that ends just
// before q (r(q) = q when the byte before q is no lead byte, or q = 0). A scan that starts
// at s <= r(q) stands on r(q): the byte before r(q) is no lead byte, so whatever stands on
// r(q) - 1 steps onto r(q), and whatever stands on r(q) - 2 steps over r(q) - 1 onto it.
// From there on it steps over the lead bytes two at a time. So q is a character start of
// the scan from s exactly when q - max(s, r(q)) is even.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CodePage;

namespace LinkEngineDetail {

class CharacterStarts {
public:
    CharacterStarts(std::string_view text, const CodePage& cp);

    // r(q) above, for 0 <= q <= text size.
    std::size_t leadRunStart(std::size_t q) const;
    // Whether a scan that starts at `scanStart` stands on q (scanStart <= q).
    bool isStart(std::size_t q, std::size_t scanStart) const;

private:
    static constexpr std::uint8_t saturated = 255;
    // runLength_[q]: length of the lead-byte run that ends just before q, up to `saturated`.
    std::vector<std::uint8_t> runLength_;
    // First bytes of the runs of `saturated` or more lead bytes, ascending.
    std::vector<std::size_t> longRunStarts_;
};

}  // namespace LinkEngineDetail
