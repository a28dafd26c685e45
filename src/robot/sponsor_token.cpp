#include "robot/sponsor_token.h"

#include <fcntl.h>
#include <openssl/crypto.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/base/text.h"
#include "robot/sha256.h"

namespace {

std::string ReadAll(int fd) {
  std::string text;
  char buffer[512];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0 && text.size() < 4096)
    text.append(buffer, static_cast<size_t>(got));
  if (got < 0)
    throw std::runtime_error(std::string("cannot read the sponsor token: ") + strerror(errno));
  return text;
}

}  // namespace

std::string RandomToken() {
  unsigned char bytes[32];
  size_t filled = 0;
  while (filled < sizeof bytes) {
    ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
    if (got < 0 && errno != EINTR)
      throw std::runtime_error(std::string("no random bytes: ") + strerror(errno));
    if (got > 0)
      filled += static_cast<size_t>(got);
  }
  static const char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char b : bytes) {
    token += kHex[b >> 4];
    token += kHex[b & 15];
  }
  return token;
}

std::string LoadSponsorToken(const std::string& path, bool& made) {
  made = false;
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    std::string token = RandomToken();
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
      throw std::runtime_error("cannot make " + path + ": " + strerror(errno));
    std::string line = token + "\n";
    bool written =
        write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) && fsync(fd) == 0;
    close(fd);
    if (!written)
      throw std::runtime_error("cannot write " + path + ": " + strerror(errno));
    made = true;
    return token;
  }
  if (fd < 0)
    throw std::runtime_error("cannot read " + path + ": " + strerror(errno));
  std::string text = ReadAll(fd);
  close(fd);
  std::string token = Trim(text.substr(0, text.find('\n')));
  if (token.size() < 16)
    throw std::runtime_error(path + " holds a token of fewer than 16 characters: make it longer");
  return token;
}

bool TokenMatches(const std::string& expected, const std::string& given) {
  // Hashes first, so that both sides have one length and a wrong length
  // takes as long as a wrong character.
  std::string a = Sha256Hex(expected);
  std::string b = Sha256Hex(given);
  return !given.empty() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}
