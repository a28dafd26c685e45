#include "robot/score_posts.h"

#include <map>
#include <optional>
#include <utility>

#include "core/base/date_time.h"
#include "core/base/text.h"
#include "core/contest/contest_rules.h"
#include "robot/log_validation.h"
#include "robot/robot_text.h"
#include "robot/score_post.h"

namespace {

// From the start of the period's first day to the end of its last, widened by
// the margin; none when the sponsor has not set the period.
std::optional<std::pair<int64_t, int64_t>> PostingWindow(const RobotSettings& settings) {
  if (!settings.PeriodFrom || !settings.PeriodTo)
    return std::nullopt;
  return std::make_pair(UtcSecondsOf(*settings.PeriodFrom) - kPostMarginSeconds,
                        UtcSecondsOf(*settings.PeriodTo) + 24 * 60 * 60 + kPostMarginSeconds);
}

ScoreAnswer Refusal(int status, const std::string& why) {
  return {status, why};
}

}  // namespace

ScorePostService::ScorePostService(const RobotSettings& settings, const CountryFile& countries,
                                   const SponsorTable& table, const std::string& databasePath)
    : settings_(settings), countries_(countries), table_(table), store_(databasePath) {}

ScoreAnswer ScorePostService::Take(const std::string& xml, int64_t now) {
  if (xml.size() > kLargestScorePost)
    return Refusal(413,
                   "the post is larger than " + std::to_string(kLargestScorePost / 1024) + " KB");
  ScorePost post;
  std::string fault = ReadScorePost(xml, post);
  if (!fault.empty())
    return Refusal(400, fault);
  if (!table_.IsThisContest(post.Contest))
    return Refusal(422, "contest DKZ only");
  if (!IsCallText(post.Call))
    return Refusal(400, "the call '" + Clipped(post.Call, 30) + "' is not a callsign");
  CountryMatch country;
  if (!countries_.Find(post.Call, country))
    return Refusal(422, "no country is known for the call " + post.Call);
  auto window = PostingWindow(settings_);
  if (!window)
    return Refusal(503, "the contest period is not set");
  if (now < window->first || now > window->second)
    return Refusal(403, "outside the contest period");

  ScorePostRow row;
  row.Call = post.Call;
  row.Received = now;
  Category category;
  if (table_.CategoryOf(post.Class, category)) {
    row.Category = category.Code;
    row.CategoryTitle = category.Title;
  }
  row.Japanese = kDkzRules.IsJapanese(kDkzRules.FoldPrefix(country.Prefix));
  row.Continent = country.Continent;
  if (row.Japanese && kDkzRules.IsDistrictCode(NormalizeCode(post.District)))
    row.District = NormalizeCode(post.District);
  row.Qsos = post.Qsos;
  row.Points = post.Points;
  row.Mults = post.Mults;
  row.Score = post.Score;
  row.Software = Clipped(post.Software, 100);
  switch (store_.Insert(row, kSecondsBetweenPosts)) {
    case PostTaken::kBlocked:
      return Refusal(403, "call blocked by the sponsor");
    case PostTaken::kTooSoon:
      return Refusal(429, "one post a minute per call");
    case PostTaken::kStored:
      break;
  }
  return {200, "OK"};
}

std::optional<std::string> ScorePostService::SetBlocked(const std::string& call, bool blocked,
                                                        int64_t now) {
  std::string upper = ToUpper(Trim(call));
  if (!IsCallText(upper))
    return std::nullopt;
  store_.SetBlocked(upper, blocked, now);
  return upper;
}

std::shared_ptr<const LiveBoard> ScorePostService::Board() {
  std::lock_guard<std::mutex> lock(boardMutex_);
  // Read before the standings: a change made meanwhile makes the next board again.
  const int64_t changes = store_.Changes();
  if (changes != boardOf_) {
    std::map<std::string, std::vector<ScorePoint>> lines;  // a leader often leads several groups
    board_ = std::make_shared<const LiveBoard>(
        MakeLiveBoard(store_.Standings(), [&](const std::string& call) {
          auto found = lines.find(call);
          if (found == lines.end())
            found = lines.emplace(call, store_.History(call)).first;
          return found->second;
        }));
    boardOf_ = changes;
  }
  return board_;
}
