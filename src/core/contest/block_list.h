// A list kept in fixed blocks: it grows a block at a time, so a long log
// costs little more than its records, where a vector doubles into up to twice
// that and moves every record as it does.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

template <typename T, size_t kBlockSize = 1024>
class BlockList {
 public:
  size_t size() const { return size_; }
  const T& operator[](size_t i) const { return blocks_[i / kBlockSize][i % kBlockSize]; }
  T& operator[](size_t i) { return blocks_[i / kBlockSize][i % kBlockSize]; }

  void push_back(T&& value) {
    Spare() = std::move(value);
    ++size_;
  }

  // The place past the end, holding whatever it last held, to be filled in
  // where it lies; push_spare makes it the last element.
  T& Spare() {
    if (size_ == blocks_.size() * kBlockSize)
      blocks_.push_back(std::make_unique<T[]>(kBlockSize));
    return (*this)[size_];
  }
  void push_spare() { ++size_; }

  void erase(size_t i) {
    for (; i + 1 < size_; ++i)
      (*this)[i] = std::move((*this)[i + 1]);
    --size_;
  }

  // Keeps the blocks, and the old values in them until a push_back writes
  // over them, so that refilling after a clear allocates nothing.
  void clear() { size_ = 0; }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
  size_t size_ = 0;
};
