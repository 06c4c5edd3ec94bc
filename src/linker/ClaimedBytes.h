#pragma once
// The byte positions of a text that are no longer plain text: inserted anchors and ranges
// the caller put off limits. A 64-ary tree of bit sets: level 0 holds one bit per byte,
// each higher level one bit per word of the level below (set when that word is not zero),
// up to a single word. Finding the nearest claimed byte on either side of a position
// therefore looks at a few words per level, whatever the distance.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace LinkEngineDetail {

class ClaimedBytes {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    explicit ClaimedBytes(std::size_t size);

    // Claims the positions [begin, end), which must lie inside the set's size.
    void claim(std::size_t begin, std::size_t end);
    // The first claimed position at or after `pos`, or `none`.
    std::size_t nextClaimed(std::size_t pos) const;
    // The last claimed position at or before `pos`, or `none`.
    std::size_t lastClaimed(std::size_t pos) const;

private:
    void setBits(std::size_t level, std::size_t begin, std::size_t end);

    std::vector<std::vector<std::uint64_t>> levels_;
};

}  // namespace LinkEngineDetail
