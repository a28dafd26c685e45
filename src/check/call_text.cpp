#include "check/call_text.h"

#include <algorithm>
#include <cctype>

#include "core/base/text.h"

namespace {

std::string ExchangeForm(const std::string& exchange) {
  std::string form = MatchForm(exchange);
  bool number = !form.empty() && std::all_of(form.begin(), form.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
  if (!number)
    return form;
  size_t first = form.find_first_not_of('0');
  return first == std::string::npos ? "0" : form.substr(first);
}

}  // namespace

bool IsCallsign(const std::string& call) {
  std::string form = MatchForm(call);
  return !form.empty() && form.size() <= kLongestCall &&
         form.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/") == std::string::npos &&
         form.find_first_of("0123456789") != std::string::npos;
}

std::string MatchForm(const std::string& text) {
  return ToUpper(Trim(text));
}

bool SameExchange(const std::string& received, const std::string& sent) {
  return ExchangeForm(received) == ExchangeForm(sent);
}

bool OneEditApart(const std::string& a, const std::string& b) {
  const std::string& longer = a.size() >= b.size() ? a : b;
  const std::string& shorter = a.size() >= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1)
    return false;
  size_t head = 0;
  while (head < shorter.size() && shorter[head] == longer[head])
    ++head;
  if (head == shorter.size())
    return longer.size() != shorter.size();  // equal texts are no edit apart
  // Past the first difference the rest must agree: after one changed character
  // when the lengths are equal, after one dropped character otherwise.
  size_t skip = longer.size() == shorter.size() ? 1 : 0;
  return shorter.compare(head + skip, std::string::npos, longer, head + 1, std::string::npos) == 0;
}
