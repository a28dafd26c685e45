#include "robot_http/request_head.h"

#include <algorithm>

HeadState ScanRequestHead(std::string_view seen) {
  // The head ends with a line that is only CRLF, as the HTTP library reads it.
  size_t end = seen.find("\n\r\n");
  std::string_view head = seen.substr(0, end == std::string_view::npos ? seen.size() : end + 3);
  if (head.size() > kHeadBytes ||
      static_cast<size_t>(std::count(head.begin(), head.end(), '\n')) > kHeadLines)
    return HeadState::TooLarge;
  if (end != std::string_view::npos)
    return HeadState::Complete;
  return seen.size() >= kHeadBytes ? HeadState::TooLarge : HeadState::Incomplete;
}
