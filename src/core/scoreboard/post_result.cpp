#include "core/scoreboard/post_result.h"

#include "core/base/text.h"
#include "core/scoreboard/score_document.h"

bool BoardTook(const PostResult& result) {
  return result.Outcome == PostOutcome::Answered && result.HttpStatus >= 200 &&
         result.HttpStatus <= 299;
}

std::string StatusText(const PostResult& result) {
  switch (result.Outcome) {
    case PostOutcome::Answered:
      return std::to_string(result.HttpStatus);
    case PostOutcome::BadAddress:
      return "bad address";
    case PostOutcome::Unreachable:
      return "unreachable";
    case PostOutcome::TimedOut:
      return "timed out";
    default:
      return "failed";
  }
}

std::string AnswerLine(const std::string& answer) {
  const size_t end = answer.find_first_of("\r\n");
  std::string line = Trim(BlankControlCharacters(answer.substr(0, end)));
  if (line.size() <= kAnswerLineBytes)
    return line;
  // Cut before a UTF-8 continuation byte would split a character.
  size_t cut = kAnswerLineBytes;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
    --cut;
  return line.substr(0, cut);
}

void RecordPost(Settings& scoreboardSection, const CalendarTime& utcTime,
                const PostResult& result) {
  scoreboardSection.WriteText("LastPost", UtcTimeText(utcTime) + " UTC");
  scoreboardSection.WriteText("LastStatus", StatusText(result));
  scoreboardSection.WriteText("LastAnswer", AnswerLine(result.Answer));
}
