#include "score_post_samples.h"

#include "core/base/date_time.h"

std::string ScorePostXml(const SamplePost& post) {
  return "<?xml version=\"1.0\"?>\n<dynamicresults>\n<contest>" + post.Contest +
         "</contest>\n<call>" + post.Call + "</call>\n<ops>" + post.Call +
         "</ops>\n<class power=\"" + post.Power +
         "\" assisted=\"NONASSISTED\" transmitter=\"ONE\" ops=\"SINGLE-OP\" bands=\"" + post.Bands +
         "\" mode=\"CW\" overlay=\"\"/>\n<soft>test logger</soft><version>1.3.0</version>\n"
         "<qth><dxcccountry>JA</dxcccountry><cqzone>25</cqzone><stprvoth>" +
         post.District +
         "</stprvoth><grid6>PM95</grid6></qth>\n<breakdown>\n"
         "<qso band=\"40\" mode=\"CW\">96</qso><point band=\"40\" mode=\"CW\">244</point>"
         "<mult band=\"40\" mode=\"CW\" type=\"district\">40</mult>\n"
         "<qso band=\"20\" mode=\"CW\">216</qso><point band=\"20\" mode=\"CW\">472</point>"
         "<mult band=\"20\" mode=\"CW\" type=\"district\">147</mult>\n"
         "<qso band=\"total\" mode=\"ALL\">312</qso><point band=\"total\" mode=\"ALL\">716</point>"
         "<mult band=\"total\" mode=\"ALL\">187</mult>\n</breakdown>\n<score>" +
         std::to_string(post.Score) +
         "</score>\n<timestamp>2026-06-13 12:34:00</timestamp>\n</dynamicresults>\n";
}

std::string ScorePostXml(const std::string& call, int64_t score) {
  SamplePost post;
  post.Call = call;
  post.Score = score;
  return ScorePostXml(post);
}

RobotSettings ContestDays() {
  RobotSettings settings;
  settings.PeriodFrom = CalendarTime{2026, 6, 13, 0, 0, 0};
  settings.PeriodTo = CalendarTime{2026, 6, 14, 0, 0, 0};
  return settings;
}

int64_t ContestTime(int hour, int minute) {
  return UtcSecondsOf(CalendarTime{2026, 6, 13, 0, 0, 0}) + hour * 3600 + minute * 60;
}
