#include "check/near_calls.h"

#include <algorithm>

#include "check/call_text.h"

namespace {

// The text itself and each form of it with one character dropped: two texts one
// edit apart always share one of these keys. Dropping either of two equal
// neighbours gives the same form, kept once. None for text too long to be a call.
std::vector<std::string> Keys(const std::string& call) {
  if (call.size() > kLongestCall)
    return {};
  std::vector<std::string> keys{call};
  for (size_t i = 0; i < call.size(); ++i) {
    if (i > 0 && call[i] == call[i - 1])
      continue;
    keys.push_back(call.substr(0, i) + call.substr(i + 1));
  }
  return keys;
}

}  // namespace

NearCalls::NearCalls(const QsoIndex& index) : index_(index) {
  for (int id = 0; id < index.CallCount(); ++id) {
    if (!index.HasLog(id))
      continue;
    for (std::string& key : Keys(index.CallText(id)))
      byKey_[std::move(key)].push_back(id);
  }
}

std::vector<int> NearCalls::Near(int call) const {
  const std::string& text = index_.CallText(call);
  std::vector<int> found;
  for (const std::string& key : Keys(text)) {
    auto hit = byKey_.find(key);
    if (hit == byKey_.end())
      continue;
    for (int id : hit->second) {
      bool fresh = std::find(found.begin(), found.end(), id) == found.end();
      if (fresh && OneEditApart(text, index_.CallText(id)))
        found.push_back(id);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}
