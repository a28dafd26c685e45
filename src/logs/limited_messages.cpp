#include "logs/limited_messages.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

constexpr size_t kNoKind = SIZE_MAX;

bool IsAlphanumeric(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// A hash of the message with each number and each quoted value replaced by
// one mark. A quote opens after a blank or a bracket only: "contest's" quotes
// nothing. Made without a copy of the message: a hostile file has millions.
uint64_t KindOf(const std::string& message) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  auto take = [&hash](char c) { hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull; };
  bool quoted = false;
  bool inNumber = false;
  for (size_t i = 0; i < message.size(); ++i) {
    char c = message[i];
    const bool digit = c >= '0' && c <= '9';
    if (c == '\'' && (quoted || i == 0 || !IsAlphanumeric(message[i - 1]))) {
      if (!quoted)
        take('\'');
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (!digit || !inNumber) {
      take(digit ? '#' : c);
    }
    inNumber = digit && !quoted;
  }
  return hash;
}

}  // namespace

LimitedMessages::LimitedMessages(size_t keptPerKind) : keptPerKind_(keptPerKind) {}

size_t LimitedMessages::KindIndex(const std::string& message) {
  const uint64_t kind = KindOf(message);
  auto found = kindOf_.find(kind);
  if (found != kindOf_.end())
    return found->second;
  if (kinds_.size() >= kMostKinds)
    return kNoKind;
  kindOf_.emplace(kind, kinds_.size());
  kinds_.emplace_back();
  return kinds_.size() - 1;
}

void LimitedMessages::Place(std::string message, size_t more) {
  count_ += 1 + more;
  size_t index = KindIndex(message);
  if (index == kNoKind) {
    unkept_ += 1 + more;
    return;
  }
  Kind& kind = kinds_[index];
  kind.Total += 1 + more;
  if (kind.Kept < keptPerKind_) {
    ++kind.Kept;
    kept_.push_back(std::move(message));
    keptKind_.push_back(index);
  }
}

void LimitedMessages::Add(std::string message) {
  Place(std::move(message), 0);
}

void LimitedMessages::Add(const LimitedMessages& other,
                          const std::function<std::string(const std::string&)>& shown) {
  std::vector<size_t> seen(other.kinds_.size());
  for (size_t i = 0; i < other.kept_.size(); ++i) {
    const Kind& kind = other.kinds_[other.keptKind_[i]];
    // The messages of the kind that were only counted go with its last one kept.
    size_t more = ++seen[other.keptKind_[i]] == kind.Kept ? kind.Total - kind.Kept : 0;
    Place(shown ? shown(other.kept_[i]) : other.kept_[i], more);
  }
  count_ += other.unkept_;
  unkept_ += other.unkept_;
}

std::vector<std::string> LimitedMessages::Lines(size_t perKind) const {
  std::vector<std::string> lines;
  std::vector<size_t> shown(kinds_.size());
  for (size_t i = 0; i < kept_.size(); ++i) {
    const Kind& kind = kinds_[keptKind_[i]];
    const size_t visible = std::min(perKind, kind.Kept);
    if (++shown[keptKind_[i]] > visible)
      continue;
    lines.push_back(kept_[i]);
    if (shown[keptKind_[i]] == visible && kind.Total > visible) {
      lines.push_back("  ... and " + std::to_string(kind.Total - visible) +
                      " more like the one above, not shown (" + std::to_string(kind.Total) +
                      " in all)");
    }
  }
  if (unkept_ > 0)
    lines.push_back("  ... and " + std::to_string(unkept_) + " more of other kinds, not shown");
  return lines;
}
