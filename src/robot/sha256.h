// SHA-256 through OpenSSL, which Debian's cpp-httplib links anyway.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Add(const char* data, size_t size);
  // 64 lower-case hex digits; the hash cannot be added to afterwards.
  std::string HexDigest();

 private:
  struct Context;
  std::unique_ptr<Context> context_;
};

std::string Sha256Hex(const std::string& bytes);
