#include "interned_text.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace {

// Texts live in fixed blocks that never move, so that a handle is read
// without the lock while other threads add texts.
constexpr uint32_t kBlockBits = 12;
constexpr uint32_t kBlockSize = 1u << kBlockBits;
constexpr uint32_t kBlocks = 1u << 14;  // 67 million texts at most

class TextPool {
 public:
  TextPool() { Add(""); }

  uint32_t Intern(std::string_view text) {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = ids_.find(text);
    return found != ids_.end() ? found->second : Add(text);
  }

  const std::string& Text(uint32_t id) const {
    return blocks_[id >> kBlockBits].load(std::memory_order_acquire)[id & (kBlockSize - 1)];
  }

 private:
  uint32_t Add(std::string_view text) {
    uint32_t id = count_;
    if (id >> kBlockBits >= kBlocks)
      throw std::length_error("more distinct texts than a contest can hold");
    std::atomic<std::string*>& block = blocks_[id >> kBlockBits];
    if (block.load(std::memory_order_relaxed) == nullptr) {
      owned_[id >> kBlockBits] = std::make_unique<std::string[]>(kBlockSize);
      block.store(owned_[id >> kBlockBits].get(), std::memory_order_release);
    }
    std::string& stored = block.load(std::memory_order_relaxed)[id & (kBlockSize - 1)];
    stored.assign(text.data(), text.size());
    ids_.emplace(stored, id);
    ++count_;
    return id;
  }

  std::mutex lock_;
  std::unordered_map<std::string_view, uint32_t> ids_;  // views into the blocks
  uint32_t count_ = 0;
  std::array<std::atomic<std::string*>, kBlocks> blocks_{};
  std::array<std::unique_ptr<std::string[]>, kBlocks> owned_;
};

TextPool& Pool() {
  static TextPool pool;
  return pool;
}

}  // namespace

InternedText::InternedText(const std::string& text) : id_(text.empty() ? 0 : Pool().Intern(text)) {}

InternedText::InternedText(const char* text) : InternedText(std::string(text)) {}

const std::string& InternedText::str() const {
  return Pool().Text(id_);
}
