#pragma once
// The random numbers that the linker's tests and benchmark draw their data from: a generator
// of our own (splitmix64), so that a seed gives the same data on every platform.
#include <cstddef>
#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};
