#include "robot_http/robot_server.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <mutex>

#include <httplib.h>

#include "check/check_outputs.h"
#include "core/base/json_text.h"
#include "core/base/text.h"
#include "robot/live_board_page.h"
#include "robot/log_archive.h"
#include "robot/resubmission_key.h"
#include "robot/robot_check.h"
#include "robot/robot_json.h"
#include "robot/robot_pages.h"
#include "robot/robot_text.h"
#include "robot/score_post.h"
#include "robot/sponsor_token.h"
#include "robot_http/score_post_request.h"
#include "robot_http/upload_form.h"

using httplib::ContentReader;
using httplib::Request;
using httplib::Response;

namespace {

const char kHtml[] = "text/html; charset=utf-8";
const char kJson[] = "application/json; charset=utf-8";
// Room for the multipart framing and the e-mail field around the log.
const size_t kFormOverhead = 64 * 1024;
// The judgement of a large log, like the check, leaves the allocator holding
// hundreds of MB that it has freed; handing them back (malloc_trim) takes a
// few ms, too much after each small log.
const size_t kTrimAfterBytes = 256 * 1024;
// The sponsor's forms hold the token and little else.
const size_t kSponsorFormBytes = 4096;

// What a path answers to, and the body it reads.
struct PathRule {
  const char* Allow;  // its methods, as the Allow header lists them
  size_t MaxBody;     // 0: it takes no body
  bool Streamed;      // its body is read as it arrives, bounded on the way
};

bool Allows(const PathRule& rule, const std::string& method) {
  for (const std::string& allowed : SplitWords(ReplaceAll(rule.Allow, ",", " ")))
    if (allowed == method)
      return true;
  return false;
}

bool IsApi(const Request& req) {
  return req.path.compare(0, 5, "/api/") == 0;
}

void Answer(Response& res, int status, const std::string& body, const char* type) {
  res.status = status;
  res.set_content(body, type);
}

const char* StatusTitle(int status) {
  switch (status) {
    case 400:
      return "Bad request";
    case 401:
      return "Token needed";
    case 403:
      return "Forbidden";
    case 404:
      return "Not found";
    case 405:
      return "Method not allowed";
    case 408:
      return "Too slow";
    case 409:
      return "Busy";
    case 411:
      return "Length required";
    case 413:
      return "Too large";
    case 415:
      return "Encoding not taken";
    case 503:
      return "Not stored";
    default:
      return status >= 500 ? "Server error" : "Refused";
  }
}

// An error in the form the asker reads: JSON for /api/, a page otherwise.
void Fail(const Request& req, Response& res, int status, const std::string& message) {
  if (IsApi(req))
    Answer(res, status, ErrorJson(message), kJson);
  else
    Answer(res, status, MessagePage(StatusTitle(status), message), kHtml);
}

const char kKeyCookie[] = "dkz-key";

// The value of cookie `name` of the request, or empty.
std::string CookieValue(const Request& req, const std::string& name) {
  const std::string cookies = req.get_header_value("Cookie");
  for (size_t start = 0; start < cookies.size();) {
    size_t end = std::min(cookies.find(';', start), cookies.size());
    std::string cookie = Trim(cookies.substr(start, end - start));
    if (cookie.compare(0, name.size() + 1, name + "=") == 0)
      return cookie.substr(name.size() + 1);
    start = end + 1;
  }
  return "";
}

std::string ReadResultFile(const std::string& path, bool& found) {
  found = false;
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0)
    return "";
  std::string text;
  char buffer[65536];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<size_t>(got));
  close(fd);
  found = got == 0;
  return text;
}

const char* ContentTypeOf(const std::string& name) {
  auto ends = [&](const char* suffix) {
    size_t n = std::strlen(suffix);
    return name.size() >= n && name.compare(name.size() - n, n, suffix) == 0;
  };
  if (ends(".html"))
    return kHtml;
  if (ends(".csv"))
    return "text/csv; charset=utf-8";
  return "text/plain; charset=utf-8";
}

}  // namespace

struct RobotServer::Impl {
  UploadService& Service;
  std::string DataFolder;
  std::string Token;
  ServerLimits Limits;
  RobotListener Listener;
  httplib::Server& Http;
  std::mutex CheckMutex;  // one check run at a time
  ScorePostService Scores;

  Impl(UploadService& service, std::string dataFolder, std::string token, ServerLimits limits)
      : Service(service),
        DataFolder(std::move(dataFolder)),
        Token(std::move(token)),
        Limits(limits),
        Listener(limits),
        Http(Listener.Routes()),
        Scores(service.Settings(), service.Countries(), service.Table(), service.Db().Path()) {}

  size_t MaxBody() const { return Service.Settings().MaxLogBytes + kFormOverhead; }
  PathRule RuleFor(const std::string& path) const;
  std::string TooLargeMessage(const PathRule& rule) const;

  void Configure();
  httplib::Server::HandlerResponse Guard(const Request& req, Response& res);
  void Receive(const Request& req, Response& res, const ContentReader& reader, bool api);
  bool Sponsor(const Request& req, Response& res, bool& fromForm);
  void RunCheck(const Request& req, Response& res);
  void Accept(const Request& req, Response& res);
  void SendArchive(const Request& req, Response& res);
  void BlockCall(const Request& req, Response& res);
  void ServeResult(const Request& req, Response& res, const std::string& name);
};

void RobotServer::Impl::Configure() {
  Http.set_payload_max_length(MaxBody() + kDrainBytes);
  Http.set_default_headers({
      {"Content-Security-Policy",
       "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; "
       "frame-ancestors 'none'; base-uri 'none'"},
      {"X-Content-Type-Options", "nosniff"},
      {"X-Frame-Options", "DENY"},
      {"Referrer-Policy", "no-referrer"},
      {"Cache-Control", "no-store"},
  });
  // A request the guard refuses is refused before its body is sent.
  Http.set_expect_100_continue_handler([this](const Request& req, Response& res) {
    return Guard(req, res) == httplib::Server::HandlerResponse::Handled ? res.status : 100;
  });
  Http.set_pre_routing_handler(
      [this](const Request& req, Response& res) { return Guard(req, res); });
  // The overload that answers keeps the bodies our handlers set.
  Http.set_error_handler(
      httplib::Server::HandlerWithResponse([](const Request& req, Response& res) {
        if (!res.body.empty() || res.has_header("Content-Type"))
          return httplib::Server::HandlerResponse::Unhandled;
        Fail(req, res, res.status, StatusTitle(res.status));
        return httplib::Server::HandlerResponse::Handled;
      }));
  Http.set_exception_handler([](const Request& req, Response& res, std::exception_ptr error) {
    std::string what = "unknown";
    bool storage = false;
    try {
      std::rethrow_exception(error);
    } catch (const StorageError& e) {
      what = e.what();
      storage = true;
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    std::cerr << "dkz-robot: " << req.method << " " << Clipped(req.path, 100) << " failed: " << what
              << "\n";
    // What a handler set for the answer it did not finish; the security
    // headers stay.
    res.headers.erase("Location");
    res.headers.erase("Content-Disposition");
    if (storage)
      Fail(req, res, 503, "the robot's data cannot be read or written just now");
    else
      Fail(req, res, 500, "the robot failed on this request; nothing was stored");
  });

  Http.Get("/", [this](const Request&, Response& res) {
    Answer(res, 200, UploadPage(Service.Settings()), kHtml);
  });
  Http.Get("/style.css", [](const Request&, Response& res) {
    Answer(res, 200, kRobotStyleSheet, "text/css; charset=utf-8");
  });
  Http.Get("/favicon.ico", [](const Request&, Response& res) { res.status = 204; });
  Http.Post("/api/logs", [this](const Request& req, Response& res, const ContentReader& reader) {
    Receive(req, res, reader, true);
  });
  Http.Post("/upload", [this](const Request& req, Response& res, const ContentReader& reader) {
    Receive(req, res, reader, false);
  });
  Http.Get("/api/logs", [this](const Request&, Response& res) {
    SubmissionDb& db = Service.Db();
    Answer(res, 200,
           LogsJson(db.Current(), db.Missing(Service.Settings().MissingAfter), Service.Settings()),
           kJson);
  });
  Http.Get("/received", [this](const Request&, Response& res) {
    SubmissionDb& db = Service.Db();
    Answer(
        res, 200,
        ReceivedPage(db.Current(), db.Missing(Service.Settings().MissingAfter), Service.Settings()),
        kHtml);
  });
  auto receipt = [this](const Request& req, Response& res, bool api) {
    std::optional<SubmissionRow> row;
    if (req.matches[1].length() <= 15)
      row = Service.Db().Find(std::stoll(req.matches[1]));
    if (!row)
      return Fail(req, res, 404, "there is no log with this id");
    if (api)
      return Answer(res, 200, ReceiptJson(*row, Service.Settings()), kJson);
    // The key shows only to whom the upload's redirect gave it.
    std::string key = CookieValue(req, kKeyCookie);
    if (!ResubmissionKeyMatches(Service.Db().KeyHashOf(row->Call), key))
      key.clear();
    Answer(res, 200, ReceiptPage(*row, Service.Settings(), key), kHtml);
  };
  Http.Get(R"(/api/logs/(\d+))",
           [receipt](const Request& req, Response& res) { receipt(req, res, true); });
  Http.Get(R"(/receipts/(\d+))",
           [receipt](const Request& req, Response& res) { receipt(req, res, false); });
  auto history = [this](const Request& req, Response& res, bool api) {
    std::string call = req.matches[1];
    std::vector<SubmissionRow> rows = Service.Db().History(call);
    if (rows.empty())
      return Fail(req, res, 404, "no log has been received from " + call);
    if (api)
      Answer(res, 200, HistoryJson(call, rows, Service.Settings()), kJson);
    else
      Answer(res, 200, HistoryPage(call, rows), kHtml);
  };
  Http.Get(R"(/api/calls/([A-Z0-9/]{1,24}))",
           [history](const Request& req, Response& res) { history(req, res, true); });
  Http.Get(R"(/calls/([A-Z0-9/]{1,24}))",
           [history](const Request& req, Response& res) { history(req, res, false); });
  Http.Get("/sponsor", [this](const Request&, Response& res) {
    std::vector<std::string> damaged;
    for (const auto& [sha256, problem] : Service.Blobs().Problems()) {
      for (const SubmissionRow& row : Service.Db().OfFile(sha256))
        damaged.push_back(LeftOutNote(row, problem));
    }
    Answer(res, 200, SponsorPage(Service.Db().HeldLogs(), damaged), kHtml);
  });
  Http.Post("/sponsor/accept", [this](const Request& req, Response& res) { Accept(req, res); });
  Http.Post("/sponsor/check", [this](const Request& req, Response& res) { RunCheck(req, res); });
  Http.Post("/sponsor/archive",
            [this](const Request& req, Response& res) { SendArchive(req, res); });
  Http.Post("/sponsor/block", [this](const Request& req, Response& res) { BlockCall(req, res); });
  Http.Post("/api/scores", [this](const Request& req, Response& res, const ContentReader& reader) {
    AnswerScorePost(Scores, req, res, reader);
  });
  Http.Get("/live", [this](const Request&, Response& res) {
    Answer(res, 200, LiveBoardPage(*Scores.Board(), NowUtcSeconds()), kHtml);
  });
  Http.Get("/api/live", [this](const Request&, Response& res) {
    Answer(res, 200, LiveBoardJson(*Scores.Board(), NowUtcSeconds()), kJson);
  });
  // The published pages link to each other by relative names: served from a folder.
  Http.Get("/results", [](const Request&, Response& res) { res.set_redirect("/results/", 301); });
  Http.Get("/results/",
           [this](const Request& req, Response& res) { ServeResult(req, res, kResultsPageName); });
  Http.Get(R"(/results/([A-Za-z0-9_.-]{1,120}))",
           [this](const Request& req, Response& res) { ServeResult(req, res, req.matches[1]); });
}

PathRule RobotServer::Impl::RuleFor(const std::string& path) const {
  if (path == "/api/logs")
    return {"GET, HEAD, POST", MaxBody(), true};
  if (path == "/upload")
    return {"POST", MaxBody(), true};
  if (path == "/api/scores")
    return {"POST", kLargestScorePost, true};
  if (path == "/sponsor/check" || path == "/sponsor/archive" || path == "/sponsor/accept" ||
      path == "/sponsor/block")
    return {"POST", kSponsorFormBytes, false};
  return {"GET, HEAD", 0, false};
}

std::string RobotServer::Impl::TooLargeMessage(const PathRule& rule) const {
  if (rule.Streamed)
    return "the file is larger than " + std::to_string(Service.Settings().MaxLogBytes / 1024) +
           " KB";
  if (rule.MaxBody > 0)
    return "the form is larger than " + std::to_string(rule.MaxBody) + " bytes";
  return "this address takes no body";
}

// Before any body is read: the method, the body's size, and for a POST what
// it may carry and from where.
httplib::Server::HandlerResponse RobotServer::Impl::Guard(const Request& req, Response& res) {
  using httplib::Server;
  // No answer here is served in ranges. The library would cut any answer by
  // them, an error page or a receipt too, and still call it 200; a request of
  // thousands of ranges would multiply the page. The request is the
  // library's own, not a const one: only its view here is const.
  const_cast<Request&>(req).ranges.clear();
  const PathRule rule = RuleFor(req.path);
  if (!Allows(rule, req.method)) {
    res.set_header("Allow", rule.Allow);
    Fail(req, res, 405, "this address takes " + std::string(rule.Allow) + " only");
    return Server::HandlerResponse::Handled;
  }
  bool chunked = req.has_header("Transfer-Encoding");
  // Once a client sends without waiting, a little more than the bound is read
  // and dropped, so that it reads the refusal rather than a reset connection.
  const bool waits = req.get_header_value("Expect") == "100-continue";
  const uint64_t bound = rule.MaxBody + (rule.Streamed && !waits ? kDrainBytes : 0);
  if ((chunked && rule.MaxBody == 0) || req.get_header_value<uint64_t>("Content-Length") > bound) {
    Fail(req, res, 413, TooLargeMessage(rule));
    return Server::HandlerResponse::Handled;
  }
  if (req.method != "POST")
    return Server::HandlerResponse::Unhandled;
  // A page of another site may not make a visitor's browser post here.
  if (req.get_header_value("Sec-Fetch-Site") == "cross-site") {
    Fail(req, res, 403, "a form of another site cannot post here");
    return Server::HandlerResponse::Handled;
  }
  if (req.has_header("Content-Encoding")) {
    Fail(req, res, 415, "send the body without Content-Encoding");
    return Server::HandlerResponse::Handled;
  }
  if (chunked && req.get_header_value("Transfer-Encoding") != "chunked") {
    Fail(req, res, 501, "only chunked transfer encoding is understood");
    return Server::HandlerResponse::Handled;
  }
  // Without a length the library would read until the client closes, and a
  // chunked body it reads whole before a route that takes a form sees it.
  if (!chunked ? !req.has_header("Content-Length") : !rule.Streamed) {
    Fail(req, res, 411, "send a Content-Length");
    return Server::HandlerResponse::Handled;
  }
  return Server::HandlerResponse::Unhandled;
}

void RobotServer::Impl::Receive(const Request& req, Response& res, const ContentReader& reader,
                                bool api) {
  if (!req.is_multipart_form_data())
    return Fail(req, res, 400, "send a multipart/form-data form with the log in the field 'log'");
  const Arrival arrival = Service.Arrive(NowUtcSeconds());
  const auto deadline = RobotListener::ReadDeadline();
  UploadForm form(Service.Settings().MaxLogBytes, deadline);
  bool read = reader(
      [&](const httplib::MultipartFormData& part) { return form.Part(part.name, part.filename); },
      [&](const char* data, size_t size) { return form.Data(data, size); });
  if (form.TooBig())
    return Fail(
        req, res, 413,
        "the file is larger than " + std::to_string(Service.Settings().MaxLogBytes / 1024) + " KB");
  // The watchdog ends a body that stops short of its deadline, which the
  // form sees only as data that did not come.
  if (form.TooSlow() || (!read && std::chrono::steady_clock::now() >= deadline))
    return Fail(req, res, 408,
                "the upload took longer than " + std::to_string(Limits.BodySeconds) + " s");
  if (form.TooLongEmail())
    return Fail(req, res, 400, "the e-mail address is longer than 320 characters");
  if (!read)
    return Fail(req, res, 400, "the form could not be read");
  if (form.LogParts() != 1)
    return Fail(req, res, 400, "send one file in the field 'log'");
  const Upload upload = form.Finish();
  UploadAnswer answer;
  try {
    answer = Service.Receive(upload, arrival);
    if (upload.Bytes.size() >= kTrimAfterBytes)
      malloc_trim(0);
  } catch (const StorageError& error) {
    std::cerr << "dkz-robot: no receipt: " << error.what() << "\n";
    return Fail(req, res, 503,
                "the log could not be stored just now, so it has no receipt: please send it "
                "again later");
  }
  if (!answer.Receipt) {
    if (api)
      return Answer(res, 422, RefusalJson(answer.Verdict), kJson);
    // The form's page says the log was refused; a browser takes a 4xx page
    // for a failure to load.
    return Answer(res, 200, RefusalPage(answer.Verdict), kHtml);
  }
  const std::string receipt = "/receipts/" + std::to_string(answer.Receipt->Id);
  if (api) {
    res.set_header("Location", "/api/logs/" + std::to_string(answer.Receipt->Id));
    return Answer(res, 201, ReceiptJson(*answer.Receipt, Service.Settings(), answer.Key), kJson);
  }
  // The key goes to the receipt page in a cookie for it alone, never in a URL.
  if (!answer.Key.empty()) {
    res.set_header("Set-Cookie", std::string(kKeyCookie) + "=" + answer.Key + "; Path=" + receipt +
                                     "; Max-Age=900; HttpOnly; SameSite=Strict");
  }
  res.set_redirect(receipt, 303);
}

// The token from a header, or from the body of a form: never from the URL.
bool RobotServer::Impl::Sponsor(const Request& req, Response& res, bool& fromForm) {
  fromForm = false;
  if (req.target.find('?') != std::string::npos) {
    Fail(req, res, 400, "the token never goes in a URL; send it in a form or a header");
    return false;
  }
  std::string given = req.get_header_value("X-Sponsor-Token");
  std::string bearer = req.get_header_value("Authorization");
  if (given.empty() && bearer.size() > 7 && EqualsIgnoreCase(bearer.substr(0, 7), "Bearer "))
    given = bearer.substr(7);
  if (given.empty() && req.has_param("token")) {
    given = req.get_param_value("token");
    fromForm = true;
  }
  if (given.empty()) {
    Fail(req, res, 401, "the sponsor's token is needed");
    return false;
  }
  if (!TokenMatches(Token, given)) {
    Fail(req, res, 403, "wrong token");
    return false;
  }
  return true;
}

void RobotServer::Impl::RunCheck(const Request& req, Response& res) {
  bool fromForm = false;
  if (!Sponsor(req, res, fromForm))
    return;
  std::unique_lock<std::mutex> running(CheckMutex, std::try_to_lock);
  if (!running.owns_lock())
    return Fail(req, res, 409, "a check is running already");
  // A stored log that is not whole is left out, said so, and the rest checked.
  std::vector<ReceivedLog> logs;
  std::vector<std::string> leftOut;
  for (const SubmissionRow& row : Service.Db().Current()) {
    StoredFile file = Service.Blobs().Fetch(row.Sha256);
    if (file.Problem.empty())
      logs.push_back({ArchiveName(row).substr(5), std::move(file.Bytes)});
    else
      leftOut.push_back(LeftOutNote(row, file.Problem));
  }
  for (const std::string& note : leftOut)
    std::cerr << "dkz-robot: check: " << note << "\n";
  const int64_t now = NowUtcSeconds();
  std::string name = "check-" + ReplaceAll(ReplaceAll(IsoUtc(now), ":", ""), "-", "") + "-" +
                     RandomToken().substr(0, 6);
  std::string resultsFolder = DataFolder + "/results";
  if (mkdir(resultsFolder.c_str(), 0700) != 0 && errno != EEXIST)
    throw StorageError("cannot make " + resultsFolder + ": " + strerror(errno));
  CheckSettings check;
  check.From = Service.Settings().PeriodFrom;
  check.To = Service.Settings().PeriodTo;
  check.Table = Service.Table();
  RobotCheckRun run = RunRobotCheck(logs, Service.Countries(), check, resultsFolder + "/" + name);
  run.LeftOut = leftOut;
  malloc_trim(0);
  Service.Db().RecordCheckRun(now, run.Ranked, name);
  if (fromForm)
    return res.set_redirect("/results/", 303);
  Answer(res, 200, CheckRunJson(run), kJson);
}

void RobotServer::Impl::Accept(const Request& req, Response& res) {
  bool fromForm = false;
  if (!Sponsor(req, res, fromForm))
    return;
  const std::string given = req.get_param_value("log");
  if (given.empty() || given.size() > 15 ||
      given.find_first_not_of("0123456789") != std::string::npos)
    return Fail(req, res, 400, "give the id of the held log in the field 'log'");
  const std::string id = std::to_string(std::stoll(given));
  switch (Service.Db().Accept(std::stoll(id), NowUtcSeconds())) {
    case AcceptOutcome::kNoSuchLog:
      return Fail(req, res, 404, "there is no log with this id");
    case AcceptOutcome::kNotHeld:
      return Fail(req, res, 409, "log " + id + " is not held");
    case AcceptOutcome::kAccepted:
      break;
  }
  if (fromForm)
    return res.set_redirect("/receipts/" + id, 303);
  Answer(res, 200, "{\"accepted\": " + id + ", \"receipt\": \"/receipts/" + id + "\"}", kJson);
}

void RobotServer::Impl::SendArchive(const Request& req, Response& res) {
  bool fromForm = false;
  if (!Sponsor(req, res, fromForm))
    return;
  auto archive =
      std::make_shared<ArchiveStream>(Service.Db().All(), Service.Blobs(), NowUtcSeconds());
  // Before the first byte: a log that cannot be read whole is left out with a
  // note, and an archive that cannot be made at all is no 200.
  for (const std::string& note : archive->Verify())
    std::cerr << "dkz-robot: archive: " << note << "\n";
  res.set_header("Content-Disposition", "attachment; filename=\"dkz-logs.tar\"");
  res.set_chunked_content_provider("application/x-tar", [archive](size_t, httplib::DataSink& sink) {
    std::string piece;
    try {
      if (!archive->Next(piece)) {
        sink.done();
        return true;
      }
    } catch (const StorageError& error) {
      // The answer has begun: cut it short, so that the archive cannot pass
      // for a whole one.
      std::cerr << "dkz-robot: archive cut short: " << error.what() << "\n";
      return false;
    }
    return sink.write(piece.data(), piece.size());
  });
}

void RobotServer::Impl::BlockCall(const Request& req, Response& res) {
  bool fromForm = false;
  if (!Sponsor(req, res, fromForm))
    return;
  const std::string action = req.get_param_value("action");
  if (action != "" && action != "block" && action != "unblock")
    return Fail(req, res, 400, "the action is block or unblock");
  const bool blocked = action != "unblock";
  const std::string call = req.get_param_value("call");
  std::optional<std::string> changed = Scores.SetBlocked(call, blocked, NowUtcSeconds());
  if (!changed)
    return Fail(req, res, 400, "'" + Clipped(call, 30) + "' is not a callsign");
  if (fromForm)
    return res.set_redirect("/live", 303);
  Answer(res, 200, BlockedCallJson(*changed, blocked), kJson);
}

void RobotServer::Impl::ServeResult(const Request& req, Response& res, const std::string& name) {
  std::optional<CheckRunRow> run = Service.Db().LastCheckRun();
  if (!run) {
    if (name == kResultsPageName)
      return Answer(res, 200, NoResultsPage(), kHtml);
    return Fail(req, res, 404, "no results are published yet");
  }
  bool found = false;
  std::string text;
  if (IsResultFileName(name) && IsResultFileName(run->Folder))
    text = ReadResultFile(DataFolder + "/results/" + run->Folder + "/" + name, found);
  if (!found)
    return Fail(req, res, 404, "the results hold no such file");
  // The check's pages are self-contained: their own inline CSS and SVG, still no script.
  res.headers.erase("Content-Security-Policy");
  res.set_header("Content-Security-Policy",
                 "default-src 'none'; style-src 'unsafe-inline'; img-src data:; "
                 "form-action 'none'; frame-ancestors 'none'; base-uri 'none'");
  Answer(res, 200, text, ContentTypeOf(name));
}

RobotServer::RobotServer(UploadService& service, std::string dataFolder, std::string sponsorToken,
                         ServerLimits limits)
    : impl_(new Impl(service, std::move(dataFolder), std::move(sponsorToken), limits)) {
  impl_->Configure();
}

RobotServer::~RobotServer() = default;

int RobotServer::Bind(int port) {
  return impl_->Listener.Bind(port);
}

bool RobotServer::Run() {
  return impl_->Listener.Run();
}

void RobotServer::Stop() {
  impl_->Listener.Stop();
}
