#include "robot/sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

struct Sha256::Context {
  EVP_MD_CTX* Md = nullptr;
};

Sha256::Sha256() : context_(new Context) {
  context_->Md = EVP_MD_CTX_new();
  if (context_->Md == nullptr || EVP_DigestInit_ex(context_->Md, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 is not available");
}

Sha256::~Sha256() {
  EVP_MD_CTX_free(context_->Md);
}

void Sha256::Add(const char* data, size_t size) {
  if (EVP_DigestUpdate(context_->Md, data, size) != 1)
    throw std::runtime_error("SHA-256 failed");
}

std::string Sha256::HexDigest() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(context_->Md, digest, &size) != 1)
    throw std::runtime_error("SHA-256 failed");
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

std::string Sha256Hex(const std::string& bytes) {
  Sha256 hash;
  hash.Add(bytes.data(), bytes.size());
  return hash.HexDigest();
}
