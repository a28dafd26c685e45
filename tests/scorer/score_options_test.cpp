#include <gtest/gtest.h>

#include "core/base/json_text.h"
#include "core/cabrillo/cabrillo_fields.h"
#include "native_plugin/score_outcome.h"
#include "scorer/score_json.h"
#include "scorer/score_options.h"
#include "scorer/score_printout.h"

namespace {

CommandLine Parse(std::vector<std::string> args) {
  return ParseCommandLine(args);
}

TEST(ScoreOptions, ReadsTheScoreCommand) {
  CommandLine line = Parse({"score", "--call", "JA1XYZ", "log.adi", "--prefix=JA", "--from",
                            "2023-06-10", "--to=2023-06-11", "--cty", "my.dat", "--dir", "out"});
  ASSERT_EQ(line.Do, CommandLine::Action::Score);
  const ScoreCommand& s = line.Score;
  EXPECT_EQ(s.LogPath, "log.adi");
  EXPECT_EQ(s.Replay.OwnCall, "JA1XYZ");
  EXPECT_EQ(s.Replay.OwnPrefix, "JA");
  ASSERT_TRUE(s.Replay.PeriodStart.has_value());
  EXPECT_EQ(s.Replay.PeriodStart->Day, 10);
  ASSERT_TRUE(s.Replay.PeriodEnd.has_value());
  EXPECT_EQ(s.Replay.PeriodEnd->Day, 11);
  EXPECT_EQ(s.CountryFile, "my.dat");
  EXPECT_EQ(s.WorkFolder, "out");
  EXPECT_EQ(s.Replay.CabrilloRequest, 0);

  ScoreCommand plain = Parse({"score", "log.cbr"}).Score;
  EXPECT_EQ(plain.CountryFile, "");  // the one beside the exe
  EXPECT_EQ(plain.WorkFolder, "");
  EXPECT_FALSE(plain.Replay.PeriodStart.has_value());

  EXPECT_EQ(Parse({"--help"}).Do, CommandLine::Action::Help);
  EXPECT_EQ(Parse({"info"}).Do, CommandLine::Action::Info);
  EXPECT_EQ(Parse({"--version"}).Do, CommandLine::Action::Version);
  EXPECT_EQ(Parse({"score", "a.adi", "--json", "-"}).Score.JsonPath, "-");
  // One day is a period.
  EXPECT_TRUE(Parse({"score", "a.adi", "--from", "2023-06-10", "--to", "2023-06-10"})
                  .Score.Replay.PeriodEnd.has_value());
}

TEST(ScoreOptions, CabrilloTakesHeaderValuesForTheDialogBoxes) {
  using L = CabrilloLog;
  ScoreCommand s = Parse({"score", "log.adi", "--name", "Taro", "--cabrillo", "--soapbox", "one",
                          "--club=", "--soapbox=two", "--name", "Taro Yamada",
                          "--category-operator", "multi-op", "--operators", "JA1VZT JA1YYY"})
                       .Score;
  EXPECT_EQ(s.Replay.CabrilloRequest, 1);
  // Command-line order; a repeated option replaces its value, except the soapbox's lines.
  const std::vector<std::pair<std::string L::*, std::string>> expected = {
      {&L::Name, "Taro Yamada"},          {&L::SoapBox, "one\ntwo"},        {&L::Club, ""},
      {&L::CategoryOperator, "multi-op"}, {&L::Operators, "JA1VZT JA1YYY"},
  };
  ASSERT_EQ(s.Header.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(s.Header[i].Field == expected[i].first) << i;
    EXPECT_EQ(s.Header[i].Text, expected[i].second) << i;
  }
  EXPECT_EQ(HeaderOptionName(&L::AddressPostalCode), "--address-postalcode");
  EXPECT_TRUE(Parse({"score", "log.adi", "--cabrillo"}).Score.Header.empty());
}

TEST(ScoreOptions, RefusesWhatItCannotTake) {
  const struct {
    std::vector<std::string> Args;
    const char* Message;
  } cases[] = {
      {{"scroe", "log.adi"}, "unknown command 'scroe'"},
      {{"score"}, "score needs a log file"},
      {{"score", "a.adi", "b.adi"}, "more than one log: 'a.adi' and 'b.adi'"},
      {{"score", "a.adi", "--cabirllo"}, "unknown option --cabirllo"},
      {{"score", "a.adi", "--cabrillo=yes"}, "--cabrillo takes no value"},
      {{"score", "a.adi", "--name", "Taro"},
       "--name fills the Cabrillo header: it needs --cabrillo"},
      {{"score", "a.adi", "--cabrillo", "--soapbox"}, "--soapbox needs a value"},
      {{"score", "a.adi", "--cabrillo", "--soapbox", "two\nlines"},
       "--soapbox takes one line of text"},
      {{"score", "a.adi", "--cabrillo", "--club=\t"}, "--club takes one line of text"},
      {{"score", "a.adi", "--call"}, "--call needs a value"},
      {{"score", "a.adi", "--call="}, "--call needs a value"},
      {{"score", "a.adi", "--from", "10.06.2023"},
       "--from takes a date YYYY-MM-DD, not '10.06.2023'"},
      {{"info", "x"}, "info takes no arguments"},
      {{"--version", "x"}, "--version takes no arguments"},
      {{"score", "a.adi", "--json"}, "--json needs a value"},
      {{"score", "a.adi", "--from", "2023-06-11", "--to", "2023-06-10"}, "--to is before --from"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      ParseCommandLine(c.Args);
      ADD_FAILURE() << "no UsageError";
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

TEST(ScorePrintout, SaysWhatHappenedThenShowsTheSummary) {
  ScoreOutcome o;
  o.LogName = "samples/x.adi";
  o.Format = "ADIF";
  o.QsosRead = 1;
  o.RecordsSkipped = 2;
  o.Reset.OwnCall = "JA1XYZ";
  o.Reset.OwnPrefix = "JA";
  o.Reset.PeriodStart = MakeOleDateTime(2023, 6, 10);
  o.Reset.PeriodEnd = MakeOleDateTime(2023, 6, 11);
  o.OutsidePeriod = 4;
  o.HandedOver.resize(3);
  o.Stored = 1;
  o.Refused = 2;
  // What the plug-in wrote to err.txt while it was handed each QSO.
  TakeErrorLines(o, 0, false,
                 "QSO:  7012  CW  2023-06-10 1200  JA1XYZ  599  TK  W1AW  599  12  12  Code is not "
                 "acceptable !!!\r\n");
  TakeErrorLines(o, 1, true,
                 "QSO:  10112  CW  2023-06-10 1201  JA1XYZ  599  TK  JA2ABC  599  AC   NO CONTEST "
                 "BAND !!!\r\n");
  TakeErrorLines(o, 2, true, "");
  o.Summary = "    DKZ CONTEST\r\n\tQSOs\r\nTotal\t 1";
  o.CabrilloFile = "JA1XYZ.cbr";
  o.CabrilloQsoLines = 1;
  EXPECT_EQ(FormatPrintout(o),
            "samples/x.adi (ADIF): 1 QSO read, 2 records skipped\n"
            "own call JA1XYZ, own prefix JA, period 2023-06-10 to 2023-06-11\n"
            "\n"
            "    DKZ CONTEST\n\tQSOs\nTotal\t 1\n"
            "\n"
            "QSOs: 1 read, 4 outside the period, 1 stored, 2 refused (band 1, mode 0, no "
            "exchange 0, reason not in err.txt 1)\n"
            "err.txt: 2 problems\n"
            "JA1XYZ.cbr: 1 QSO line\n");
  ASSERT_EQ(o.Problems.size(), 2u);
  EXPECT_EQ(o.Problems[0].Message, "Code is not acceptable !!!");
  EXPECT_EQ(o.Problems[1].Qso, 1u);
  EXPECT_EQ(o.Problems[1].Message, "NO CONTEST BAND !!!");
}

TEST(ScoreJson, StringsAreEscapedAndBytesThatAreNotUtf8Replaced) {
  EXPECT_EQ(JsonString("a\"b\\c\r\n\x01"), "\"a\\\"b\\\\c\\u000d\\u000a\\u0001\"");
  EXPECT_EQ(JsonString("\xe6\x97\xa5 \xe9"), "\"\xe6\x97\xa5 \xef\xbf\xbd\"");
}

}  // namespace
