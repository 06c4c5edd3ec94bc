#include "ClaimedBytes.h"

#include <bit>

namespace LinkEngineDetail {
namespace {

constexpr std::size_t wordBits = 64;
constexpr std::uint64_t allBits = ~std::uint64_t{0};

std::size_t wordsFor(std::size_t bits) { return (bits + wordBits - 1) / wordBits; }

}  // namespace

ClaimedBytes::ClaimedBytes(std::size_t size) {
    std::size_t words = wordsFor(size == 0 ? 1 : size);
    levels_.emplace_back(words);
    while (words > 1) {
        words = wordsFor(words);
        levels_.emplace_back(words);
    }
}

void ClaimedBytes::claim(std::size_t begin, std::size_t end) {
    if (begin < end) setBits(0, begin, end);
}

void ClaimedBytes::setBits(std::size_t level, std::size_t begin, std::size_t end) {
    std::vector<std::uint64_t>& words = levels_[level];
    const std::size_t first = begin / wordBits, last = (end - 1) / wordBits;
    const std::uint64_t headMask = allBits << (begin % wordBits);
    const std::uint64_t tailMask = allBits >> (wordBits - 1 - (end - 1) % wordBits);
    if (first == last) {
        words[first] |= headMask & tailMask;
    } else {
        words[first] |= headMask;
        for (std::size_t w = first + 1; w < last; ++w) words[w] = allBits;
        words[last] |= tailMask;
    }
    if (level + 1 < levels_.size()) setBits(level + 1, first, last + 1);
}

std::size_t ClaimedBytes::nextClaimed(std::size_t pos) const {
    // Climb until a word holds a set bit at or after the position, then descend along
    // the lowest set bits.
    std::size_t level = 0, index = pos;
    for (;; ++level) {
        if (level == levels_.size()) return none;
        const std::vector<std::uint64_t>& words = levels_[level];
        const std::size_t w = index / wordBits;
        if (w >= words.size()) return none;
        const std::uint64_t bits = words[w] & (allBits << (index % wordBits));
        if (bits != 0) {
            index = w * wordBits + static_cast<std::size_t>(std::countr_zero(bits));
            break;
        }
        index = w + 1;
    }
    while (level-- > 0)
        index = index * wordBits + static_cast<std::size_t>(std::countr_zero(levels_[level][index]));
    return index;
}

std::size_t ClaimedBytes::lastClaimed(std::size_t pos) const {
    // Climb until a word holds a set bit at or before the position, then descend along
    // the highest set bits.
    std::size_t level = 0, index = pos;
    for (;; ++level) {
        if (level == levels_.size()) return none;
        const std::vector<std::uint64_t>& words = levels_[level];
        std::size_t w = index / wordBits;
        std::uint64_t bits;
        if (w >= words.size()) {
            w = words.size() - 1;
            bits = words[w];
        } else {
            bits = words[w] & (allBits >> (wordBits - 1 - index % wordBits));
        }
        if (bits != 0) {
            index = w * wordBits + wordBits - 1 - static_cast<std::size_t>(std::countl_zero(bits));
            break;
        }
        if (w == 0) return none;
        index = w - 1;
    }
    while (level-- > 0) {
        const std::uint64_t bits = levels_[level][index];
        index = index * wordBits + wordBits - 1 - static_cast<std::size_t>(std::countl_zero(bits));
    }
    return index;
}

}  // namespace LinkEngineDetail
