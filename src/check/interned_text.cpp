#include "check/interned_text.h"

#include <array>
#include <atomic>
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

}  // namespace

class TextPool {
 public:
  TextPool() { Add(""); }

  uint32_t Intern(std::string_view text) {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = ids_.find(text);
    return found != ids_.end() ? found->second : Add(text);
  }

  const std::string& Text(uint32_t id) const {
    // A handle of another pool would read a text that is not there.
    if (id >= count_.load(std::memory_order_acquire))
      throw std::logic_error("a text read outside the run that made it");
    return blocks_[id >> kBlockBits].load(std::memory_order_acquire)[id & (kBlockSize - 1)];
  }

  size_t Size() const { return count_.load(std::memory_order_acquire); }

 private:
  uint32_t Add(std::string_view text) {
    uint32_t id = count_.load(std::memory_order_relaxed);
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
    count_.store(id + 1, std::memory_order_release);
    return id;
  }

  std::mutex lock_;
  std::unordered_map<std::string_view, uint32_t> ids_;  // views into the blocks
  std::atomic<uint32_t> count_{0};
  std::array<std::atomic<std::string*>, kBlocks> blocks_{};
  std::array<std::unique_ptr<std::string[]>, kBlocks> owned_;
};

namespace {

thread_local TextPool* tCurrentPool = nullptr;

TextPool& ProcessPool() {
  static TextPool pool;
  return pool;
}

}  // namespace

TextPoolScope::TextPoolScope() : owned_(std::make_unique<TextPool>()), previous_(tCurrentPool) {
  tCurrentPool = owned_.get();
}

TextPoolScope::TextPoolScope(TextPool& shared) : previous_(tCurrentPool) {
  tCurrentPool = &shared;
}

TextPoolScope::~TextPoolScope() {
  tCurrentPool = previous_;
}

TextPool& CurrentTextPool() {
  return tCurrentPool != nullptr ? *tCurrentPool : ProcessPool();
}

size_t TextsHeld(const TextPool& pool) {
  return pool.Size();
}

InternedText::InternedText(const std::string& text)
    : id_(text.empty() ? 0 : CurrentTextPool().Intern(text)) {}

InternedText::InternedText(const char* text) : InternedText(std::string(text)) {}

const std::string& InternedText::str() const {
  return CurrentTextPool().Text(id_);
}
