#pragma once
// Work split over the machine's threads.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace LinkEngineDetail {

// How many threads to give a text of `bytes` bytes: `requested` if it is not 0, otherwise as
// many as the machine runs at once, but no more than one for each MiB: a thread costs about
// what scanning a few KiB does, and short texts are done before it would start.
std::size_t threadsFor(std::size_t bytes, std::size_t requested);

// Runs work(0) .. work(count - 1) on `threads` threads, the calling one among them, each
// taking the next index not yet taken, so that threads that get ahead take more; returns
// once all are done. If any throws, the indices not yet taken are left, and the first
// failure in index order is rethrown here after all threads have ended.
void runSideBySide(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work);

// Makes pieces 0 .. count - 1 with make(i, piece) on `workers` threads of their own and hands
// each to use() on the calling thread, in order, while later ones are being made; at most
// `ahead` pieces are made and not yet used at any time. With no workers, makes and uses
// each in turn on the calling thread. If make or use throws, no further piece is used and
// the first failure is rethrown here once the workers have stopped.
void makeInOrder(std::size_t count, std::size_t workers, std::size_t ahead,
                 const std::function<void(std::size_t, std::string&)>& make,
                 const std::function<void(std::string_view)>& use);

}  // namespace LinkEngineDetail
