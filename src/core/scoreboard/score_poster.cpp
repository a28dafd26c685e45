#include "core/scoreboard/score_poster.h"

int64_t ScorePoster::Turn(const BoardSettings& board, const std::function<ScorePost()>& snapshot,
                          int64_t nowMs, const CalendarTime& utcNow) {
  const int64_t intervalMs = int64_t{board.Minutes} * 60 * 1000;
  if (lastAttemptMs_ && nowMs - *lastAttemptMs_ < intervalMs)
    return *lastAttemptMs_ + intervalMs - nowMs;
  const ScorePost post = snapshot();
  const std::string document = DynamicResultsXml(post, "");
  if (document == taken_)
    return kUntilNewSummary;

  PostResult result;
  if (IsBoardAddress(board.Url))
    result = link_.Post(board.Url, FormBody("xml", DynamicResultsXml(post, UtcTimeText(utcNow))));
  else
    result.Outcome = PostOutcome::BadAddress;
  if (result.Outcome == PostOutcome::Abandoned)
    return kUntilNewSummary;
  lastAttemptMs_ = nowMs;
  RecordPost(section_, utcNow, result);
  if (!BoardTook(result))
    return intervalMs;
  taken_ = document;
  return kUntilNewSummary;
}
