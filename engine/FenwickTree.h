#pragma once
// Running sums over a sequence of counts (a binary indexed tree): the number
// of records before a chunk, and the chunk that holds the n-th record, both in
// O(log chunks). Appending and dropping the last element are O(log n) and
// O(1); inserting or erasing in the middle needs rebuild(), which is O(n).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsengine {

class FenwickTree {
public:
    std::size_t size() const { return tree_.size(); }
    std::size_t capacityBytes() const { return tree_.capacity() * sizeof(std::uint32_t); }
    // Makes room so that pushBack() and rebuild() up to `count` elements do not allocate.
    void reserve(std::size_t count) { tree_.reserve(count); }

    // Replaces the sequence; values(i) gives element i. Does not allocate when
    // capacity suffices.
    template <typename Values>
    void rebuild(std::size_t count, Values values) {
        tree_.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            tree_[i] = values(i);
        }
        for (std::size_t i = 1; i <= count; ++i) {
            const std::size_t parent = i + (i & (~i + 1));
            if (parent <= count) {
                tree_[parent - 1] += tree_[i - 1];
            }
        }
    }

    void pushBack(std::uint32_t value) {
        const std::size_t i = tree_.size() + 1;  // 1-based index of the new element
        const std::size_t rangeStart = i - (i & (~i + 1));
        tree_.push_back(value + prefix(i - 1) - prefix(rangeStart));
    }
    void popBack() { tree_.pop_back(); }

    // Adds `delta` (may be negative; arithmetic is modulo 2^32) to element `index`.
    void add(std::size_t index, std::int64_t delta) {
        const std::uint32_t step = static_cast<std::uint32_t>(delta);
        for (std::size_t i = index + 1; i <= tree_.size(); i += i & (~i + 1)) {
            tree_[i - 1] += step;
        }
    }

    // Sum of the first `count` elements.
    std::uint32_t prefix(std::size_t count) const {
        std::uint32_t sum = 0;
        for (std::size_t i = count; i > 0; i -= i & (~i + 1)) {
            sum += tree_[i - 1];
        }
        return sum;
    }

    // The element that holds running item `target` (0-based, below the total),
    // and in `before` the sum of the elements before it.
    std::size_t find(std::uint32_t target, std::uint32_t* before) const {
        std::size_t position = 0;
        std::uint32_t remaining = target;
        std::size_t step = 1;
        while (step * 2 <= tree_.size()) {
            step *= 2;
        }
        for (; step != 0; step /= 2) {
            if (position + step <= tree_.size() && tree_[position + step - 1] <= remaining) {
                position += step;
                remaining -= tree_[position - 1];
            }
        }
        *before = target - remaining;
        return position;
    }

private:
    std::vector<std::uint32_t> tree_;
};

}  // namespace dsengine
