#include "robot/resubmission_key.h"

#include <openssl/crypto.h>

#include "core/base/text.h"
#include "robot/sha256.h"
#include "robot/sponsor_token.h"

std::string NewResubmissionKey() {
  return RandomToken().substr(0, 32);
}

std::string CleanResubmissionKey(const std::string& typed) {
  std::string key;
  for (char c : ToLower(typed)) {
    if (c != ' ' && c != '-' && c != '\t')
      key += c;
  }
  return key;
}

std::string ResubmissionKeyHash(const std::string& key) {
  return Sha256Hex(CleanResubmissionKey(key));
}

bool ResubmissionKeyMatches(const std::string& keyHash, const std::string& given) {
  std::string hash = ResubmissionKeyHash(given);
  return !given.empty() && hash.size() == keyHash.size() &&
         CRYPTO_memcmp(hash.data(), keyHash.data(), hash.size()) == 0;
}
