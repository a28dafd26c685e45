#include "robot_http/score_post_request.h"

#include <iostream>

#include "core/base/text.h"
#include "robot/robot_text.h"
#include "robot/score_post.h"
#include "robot_http/upload_form.h"

namespace {

const char kPlain[] = "text/plain; charset=utf-8";

std::string TooLarge() {
  return "the post is larger than " + std::to_string(kLargestScorePost / 1024) + " KB";
}

// The field's values: a pair is split at its first '=' (the library splits at
// every one, and XML is full of them).
std::vector<std::string> FormValues(const std::string& body, const std::string& field) {
  std::vector<std::string> values;
  size_t start = 0;
  while (start <= body.size()) {
    size_t end = body.find('&', start);
    if (end == std::string::npos)
      end = body.size();
    std::string pair = body.substr(start, end - start);
    size_t equals = pair.find('=');
    if (equals != std::string::npos &&
        httplib::detail::decode_url(pair.substr(0, equals), true) == field)
      values.push_back(httplib::detail::decode_url(pair.substr(equals + 1), true));
    start = end + 1;
  }
  return values;
}

}  // namespace

PostedXml XmlOfBody(const std::string& contentType, const std::string& body) {
  std::string type = ToLower(Trim(contentType.substr(0, contentType.find(';'))));
  if (type == "application/xml" || type == "text/xml")
    return {200, body};
  if (type != "application/x-www-form-urlencoded")
    return {415, "send the form field xml (application/x-www-form-urlencoded) or an XML body"};
  std::vector<std::string> values = FormValues(body, "xml");
  if (values.size() != 1)
    return {400, values.empty() ? "the form has no field xml" : "the form has two fields xml"};
  return {200, values.front()};
}

void AnswerScorePost(ScorePostService& scores, const httplib::Request& req, httplib::Response& res,
                     const httplib::ContentReader& reader) {
  auto answer = [&res](int status, const std::string& text) {
    res.status = status;
    res.set_content(text, kPlain);
  };
  if (req.get_header_value<uint64_t>("Content-Length") > kDrainBytes)
    return answer(413, TooLarge());
  std::string body;
  size_t dropped = 0;
  bool read = reader([&](const char* data, size_t size) {
    if (dropped == 0 && body.size() + size <= kLargestScorePost) {
      body.append(data, size);
      return true;
    }
    // Read on and dropped, so that a client that sends without waiting
    // reads the 413 rather than a reset connection.
    dropped += size;
    return dropped <= kDrainBytes;
  });
  if (dropped > 0)
    return answer(413, TooLarge());
  if (!read)
    return answer(400, "the post could not be read");
  PostedXml xml = XmlOfBody(req.get_header_value("Content-Type"), body);
  if (xml.Status != 200)
    return answer(xml.Status, xml.Text);
  try {
    ScoreAnswer taken = scores.Take(xml.Text, NowUtcSeconds());
    answer(taken.Status, taken.Text);
  } catch (const StorageError& error) {
    std::cerr << "dkz-robot: a score post was not stored: " << error.what() << "\n";
    answer(503, "the board cannot store posts just now");
  }
}
