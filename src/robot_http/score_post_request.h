// A logger's score post over HTTP: the form field xml of a url-encoded form,
// or an XML body, read within kLargestScorePost (the HTTP library's own
// reading of url-encoded forms stops at 8 KB); the answer is short plain text.
#pragma once

#include <string>

#include <httplib.h>

#include "robot/score_posts.h"

struct PostedXml {
  int Status = 200;  // 400, 413 or 415 when there is no XML to read
  std::string Text;  // the XML, or why there is none
};

// The XML of a body of the given Content-Type.
PostedXml XmlOfBody(const std::string& contentType, const std::string& body);

void AnswerScorePost(ScorePostService& scores, const httplib::Request& req, httplib::Response& res,
                     const httplib::ContentReader& reader);
