#include "core/contest/rules.h"

#include <string_view>

#include "core/contest/districts.h"

const char* const Continents[6] = {"EU", "NA", "SA", "AF", "AS", "OC"};

std::string FoldPrefix(const std::string& prefix) {
  using namespace std::string_view_literals;
  if (prefix == "IT9"sv || prefix == "IG9"sv || prefix == "IH9"sv)
    return "I";
  return prefix;
}

bool IsValidExchange(const std::string& exchange, const std::string& senderPrefix) {
  if (exchange == "599")
    return false;
  if (IsJapanese(senderPrefix))
    return exchange.size() == 2 && FindDistrict(exchange);
  if (exchange.empty() || exchange.size() > 4)
    return false;
  for (char c : exchange) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

int QsoPoints(const std::string& ownPrefix, const std::string& workedPrefix) {
  if (IsJapanese(workedPrefix))
    return 1;
  return IsJapanese(ownPrefix) ? 5 : 0;
}
