#include "SideBySide.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace LinkEngineDetail {

std::size_t threadsFor(std::size_t bytes, std::size_t requested) {
    if (requested != 0) return requested;
    const std::size_t machine = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(bytes >> 20, 1, machine);
}

void runSideBySide(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::vector<std::exception_ptr> failures(count);
    auto guarded = [&](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(count);
    try {
        for (std::size_t i = 1; i < count; ++i) threads.emplace_back(guarded, i);
    } catch (const std::system_error&) {
        // No more threads to be had: the work that has none yet runs on this one.
        for (std::size_t i = threads.size() + 1; i < count; ++i) guarded(i);
    }
    if (count > 0) guarded(0);
    for (std::thread& t : threads) t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

}  // namespace LinkEngineDetail
