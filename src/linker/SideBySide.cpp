#include "SideBySide.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace LinkEngineDetail {

std::size_t threadsFor(std::size_t bytes, std::size_t requested) {
    if (requested != 0) return requested;
    const std::size_t machine = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(bytes >> 20, 1, machine);
}

void runSideBySide(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work) {
    std::vector<std::exception_ptr> failures(count);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto takeAndRun = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                failures[i] = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> others;
    others.reserve(threads);
    try {
        for (std::size_t t = 1; t < std::min(threads, count); ++t) others.emplace_back(takeAndRun);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started, and this one, do the work.
    }
    takeAndRun();
    for (std::thread& t : others) t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

void makeInOrder(std::size_t count, std::size_t workers, std::size_t ahead,
                 const std::function<void(std::size_t, std::string&)>& make,
                 const std::function<void(std::string_view)>& use) {
    if (workers == 0 || count <= 1) {
        std::string piece;
        for (std::size_t i = 0; i < count; ++i) {
            make(i, piece);
            use(piece);
        }
        return;
    }
    ahead = std::max<std::size_t>(ahead, 1);
    struct Slot {
        std::string bytes;
        bool ready = false;
    };
    std::vector<Slot> slots(ahead);  // piece i is made in slots[i % ahead]
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t nextToMake = 0, used = 0;
    bool stopped = false;
    std::exception_ptr failure;
    auto stop = [&](std::exception_ptr why) {
        std::lock_guard lock(mutex);
        if (!failure) failure = why;
        stopped = true;
        changed.notify_all();
    };

    auto work = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopped || nextToMake == count || nextToMake < used + ahead; });
            if (stopped || nextToMake == count) return;
            const std::size_t i = nextToMake++;
            lock.unlock();
            try {
                make(i, slots[i % ahead].bytes);
            } catch (...) {
                stop(std::current_exception());
                return;
            }
            lock.lock();
            slots[i % ahead].ready = true;
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    try {
        for (std::size_t w = 0; w < workers; ++w) threads.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started do the work, or this one alone.
        if (threads.empty()) return makeInOrder(count, 0, ahead, make, use);
    }

    for (std::size_t i = 0; i < count; ++i) {
        Slot& slot = slots[i % ahead];
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return stopped || slot.ready; });
            if (stopped) break;
        }
        try {
            use(slot.bytes);
        } catch (...) {
            stop(std::current_exception());
            break;
        }
        std::lock_guard lock(mutex);
        slot.ready = false;
        used = i + 1;
        changed.notify_all();
    }
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace LinkEngineDetail
