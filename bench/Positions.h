#pragma once
// Repeatable pseudo-random position numbers for the benchmarks that jump
// around a record set.

#include <cstdint>
#include <random>
#include <vector>

// `count` position numbers in [low, high] (low < high), no two neighbours
// equal, the last one included as neighbour of the first: a move to the
// current position would do nothing.
inline std::vector<int> randomPositions(std::size_t count, int low, int high) {
    std::mt19937 generator(20240601);
    std::uniform_int_distribution<int> pick(low, high);
    std::vector<int> positions;
    positions.reserve(count);
    while (positions.size() < count || positions.back() == positions.front()) {
        if (positions.size() == count) {
            positions.pop_back();
        }
        const int position = pick(generator);
        if (positions.empty() || positions.back() != position) {
            positions.push_back(position);
        }
    }
    return positions;
}
