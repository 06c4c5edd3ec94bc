// Work on several threads: pieces made on workers are used in order, never too many at once,
// and a failure on either side stops the work and comes back to the caller.
#include "SideBySide.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using LinkEngineDetail::makeInOrder;
using LinkEngineDetail::runSideBySide;

TEST(MakeInOrder, UsesEveryPieceInOrderWithFewWaiting) {
    for (const std::size_t workers : {0, 1, 3}) {
        constexpr std::size_t count = 200, ahead = 2;
        std::atomic<std::size_t> made{0};
        std::size_t used = 0;
        makeInOrder(
            count, workers, ahead,
            [&](std::size_t i, std::string& piece) {
                piece = std::to_string(i);
                ++made;
            },
            [&](std::string_view piece) {
                EXPECT_EQ(piece, std::to_string(used)) << workers << " workers";
                EXPECT_LE(made.load(), used + 1 + ahead) << "made ahead of use";
                ++used;
            });
        EXPECT_EQ(used, count);
    }
}

TEST(MakeInOrder, FailureWhileMakingStopsTheUse) {
    for (const std::size_t workers : {0, 2}) {
        std::vector<std::string> used;
        auto make = [](std::size_t i, std::string& piece) {
            if (i == 5) throw std::runtime_error("cannot make 5");
            piece = std::to_string(i);
        };
        EXPECT_THROW(makeInOrder(50, workers, 3, make, [&](std::string_view p) { used.emplace_back(p); }),
                     std::runtime_error);
        // What was used before the failure, in order, and never the pieces after it.
        ASSERT_LE(used.size(), 5u) << workers << " workers";
        for (std::size_t i = 0; i < used.size(); ++i) EXPECT_EQ(used[i], std::to_string(i)) << workers << " workers";
    }
}

TEST(MakeInOrder, FailureWhileUsingStopsTheWorkers) {
    std::atomic<std::size_t> made{0};
    auto make = [&](std::size_t, std::string& piece) {
        piece.assign(1, 'x');
        ++made;
    };
    EXPECT_THROW(makeInOrder(1000, 2, 4, make, [](std::string_view) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_LE(made.load(), 1u + 4u);
}

TEST(RunSideBySide, RunsEachIndexOnceAndRethrowsTheFirstFailure) {
    for (const std::size_t threads : {1, 3}) {
        std::vector<std::atomic<int>> runs(20);
        runSideBySide(runs.size(), threads, [&](std::size_t i) { ++runs[i]; });
        for (const auto& r : runs) EXPECT_EQ(r.load(), 1) << threads << " threads";

        try {
            runSideBySide(6, threads, [](std::size_t i) {
                std::string what = "part ";
                what += std::to_string(i);
                if (i >= 2) throw std::runtime_error(what);
            });
            ADD_FAILURE() << "no failure came back";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "part 2") << threads << " threads";
        }
    }
}

}  // namespace
