// Messages as they come, one per record, line or finding, of which only the
// first few of each kind are kept, with an exact count of every kind: a file
// of a million faulty lines is told in a few lines and held in a few
// kilobytes. Messages are of one kind when they differ only in their numbers
// and quoted values ('...'): a log of another contest fails the same way on
// every line, and 2,700 such lines would hide everything else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class LimitedMessages {
 public:
  // Kinds beyond this many are only counted: a hostile file can make every
  // message a kind of its own.
  static constexpr size_t kMostKinds = 40;

  // Keeps at most `keptPerKind` messages of each kind.
  explicit LimitedMessages(size_t keptPerKind = 20);

  void Add(std::string message);
  // Every message of `other`, worded by `shown` when given, its counts included.
  void Add(const LimitedMessages& other,
           const std::function<std::string(const std::string&)>& shown = nullptr);

  size_t size() const { return count_; }  // every message added, kept or not
  bool empty() const { return count_ == 0; }
  const std::vector<std::string>& Kept() const { return kept_; }  // in their order

  // The lines to show: the kept messages in their order with at most
  // `perKind` of each kind (no more than were kept), after the last one shown
  // of a kind how many more of it there were, and last how many of kinds not
  // kept.
  std::vector<std::string> Lines(size_t perKind) const;

 private:
  struct Kind {
    size_t Total = 0;
    size_t Kept = 0;
  };

  // The kind's index, or kinds_.size() when it is one too many to keep.
  size_t KindIndex(const std::string& message);
  // Adds the message, and `more` of its kind that are only counted.
  void Place(std::string message, size_t more);

  size_t keptPerKind_;
  size_t count_ = 0;
  size_t unkept_ = 0;                            // messages of kinds beyond kMostKinds
  std::unordered_map<uint64_t, size_t> kindOf_;  // by a hash of the kind
  std::vector<Kind> kinds_;
  std::vector<std::string> kept_;
  std::vector<size_t> keptKind_;
};
