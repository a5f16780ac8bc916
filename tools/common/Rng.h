#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace discmenu::tools {

// A small seeded generator (SplitMix64) whose sequence is the same on every machine and
// standard library, so that a seed printed by a failing run rebuilds the same input.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 to n - 1; 0 when n is 0.
    std::size_t below(std::size_t n) { return n ? static_cast<std::size_t>(next() % n) : 0; }
    // True in percent out of 100 calls.
    bool chance(int percent) { return static_cast<int>(below(100)) < percent; }
    template <class T> const T& pick(const std::vector<T>& from) {
        return from[below(from.size())];
    }

private:
    std::uint64_t m_state;
};

} // namespace discmenu::tools
