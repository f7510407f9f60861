// A growable array of plain values as the listings, the listing cache and the menu levels use it:
// capacity starts at the current capacity (16 when zero) and doubles until the required count
// fits; a failed allocation leaves the array unchanged and makes the insertion return -1.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace quillo {

template <typename T>
class GrowableArray {
  static_assert(std::is_trivially_copyable_v<T>, "elements are moved with memcpy");

 public:
  explicit GrowableArray(std::size_t initialCapacity = 0) { Reserve(initialCapacity); }
  GrowableArray(const GrowableArray&) = delete;
  GrowableArray& operator=(const GrowableArray&) = delete;
  ~GrowableArray() { std::free(data_); }

  std::size_t count() const { return count_; }
  std::size_t capacity() const { return capacity_; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }

  // Makes room for at least `required` elements. False when the memory cannot be had.
  bool Reserve(std::size_t required) {
    if (required <= capacity_) return true;
    std::size_t capacity = capacity_ == 0 ? 16 : capacity_;
    while (capacity < required) {
      if (capacity > SIZE_MAX / 2 / sizeof(T)) return false;
      capacity *= 2;
    }
    T* block = static_cast<T*>(std::malloc(capacity * sizeof(T)));
    if (block == nullptr) return false;
    if (count_ > 0) std::memcpy(block, data_, count_ * sizeof(T));
    std::free(data_);
    data_ = block;
    capacity_ = capacity;
    return true;
  }

  // Inserts at index (clamped to the count), moving the tail up. Returns the index or -1.
  long Insert(std::size_t index, const T& value) {
    if (index > count_) index = count_;
    if (!Reserve(count_ + 1)) return -1;
    std::memmove(data_ + index + 1, data_ + index, (count_ - index) * sizeof(T));
    data_[index] = value;
    ++count_;
    return static_cast<long>(index);
  }

  long Append(const T& value) { return Insert(count_, value); }

  // Appends count elements at once (for byte buffers). Returns the index of the first or -1.
  long AppendRange(const T* values, std::size_t n) {
    if (n > SIZE_MAX - count_ || !Reserve(count_ + n)) return -1;
    std::memcpy(data_ + count_, values, n * sizeof(T));
    count_ += n;
    return static_cast<long>(count_ - n);
  }

  void RemoveAt(std::size_t index) {
    if (index >= count_) return;
    std::memmove(data_ + index, data_ + index + 1, (count_ - index - 1) * sizeof(T));
    --count_;
  }

  // Drops the elements from index `count` on.
  void Truncate(std::size_t count) {
    if (count < count_) count_ = count;
  }

  void Clear() { count_ = 0; }

 private:
  T* data_ = nullptr;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace quillo
