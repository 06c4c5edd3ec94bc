// The claimed-byte set against a plain vector of flags, over sizes that need one, two and
// three levels of the tree.
#include "ClaimedBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using LinkEngineDetail::ClaimedBytes;

std::size_t naiveNext(const std::vector<bool>& claimed, std::size_t pos) {
    for (std::size_t i = pos; i < claimed.size(); ++i)
        if (claimed[i]) return i;
    return ClaimedBytes::none;
}

std::size_t naiveLast(const std::vector<bool>& claimed, std::size_t pos) {
    for (std::size_t i = std::min(pos + 1, claimed.size()); i-- > 0;)
        if (claimed[i]) return i;
    return ClaimedBytes::none;
}

TEST(ClaimedBytes, AgreesWithPlainFlags) {
    std::uint64_t state = 12345;
    auto random = [&state](std::size_t n) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::size_t>((state >> 33) % n);
    };
    for (std::size_t size : {1u, 63u, 64u, 65u, 4096u, 4097u, 300000u}) {
        ClaimedBytes claims(size);
        std::vector<bool> naive(size, false);
        for (int round = 0; round < 40; ++round) {
            for (std::size_t pos : {std::size_t{0}, size - 1, random(size), random(size)}) {
                ASSERT_EQ(claims.nextClaimed(pos), naiveNext(naive, pos)) << size << " next " << pos;
                ASSERT_EQ(claims.lastClaimed(pos), naiveLast(naive, pos)) << size << " last " << pos;
            }
            const std::size_t begin = random(size);
            const std::size_t end = std::min(size, begin + 1 + random(round % 4 == 0 ? 200 : 3));
            claims.claim(begin, end);
            for (std::size_t i = begin; i < end; ++i) naive[i] = true;
        }
    }
}

TEST(ClaimedBytes, EmptySetFindsNothing) {
    const ClaimedBytes claims(1000);
    EXPECT_EQ(claims.nextClaimed(0), ClaimedBytes::none);
    EXPECT_EQ(claims.lastClaimed(999), ClaimedBytes::none);
}

}  // namespace
