// Sorting a listing's display order (entry indexes) in place with a heap sort: ascending by the
// comparator, equal keys in no particular order, stopping at once when `cancel` becomes non-zero
// (the order is then a permutation of the input, partly sorted).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace quillo {

namespace detail {

// Restores the max-heap property below `node` within the first `size` positions; node k has
// the children 2k + 1 and 2k + 2.
template <typename Compare>
void SiftDown(std::int32_t* order, std::size_t node, std::size_t size, Compare& compare) {
  for (;;) {
    std::size_t largest = node;
    const std::size_t left = 2 * node + 1;
    const std::size_t right = left + 1;
    if (left < size && compare(order[left], order[largest]) > 0) largest = left;
    if (right < size && compare(order[right], order[largest]) > 0) largest = right;
    if (largest == node) return;
    std::swap(order[node], order[largest]);
    node = largest;
  }
}

}  // namespace detail

// compare(a, b) takes two entry indexes and returns negative, zero or positive. Returns false
// when the sort was cancelled.
template <typename Compare>
bool SortOrder(std::int32_t* order, std::size_t count, Compare compare,
               const std::atomic<std::uint8_t>& cancel) {
  if (count < 2) return cancel.load(std::memory_order_relaxed) == 0;
  for (std::size_t node = count / 2; node-- > 0;) {
    if (cancel.load(std::memory_order_relaxed) != 0) return false;
    detail::SiftDown(order, node, count, compare);
  }
  for (std::size_t last = count - 1; last > 0; --last) {
    if (cancel.load(std::memory_order_relaxed) != 0) return false;
    std::swap(order[0], order[last]);
    detail::SiftDown(order, 0, last, compare);
  }
  return true;
}

}  // namespace quillo
