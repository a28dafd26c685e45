#include <gtest/gtest.h>

#include "logs/adif_log.h"

namespace {

std::string Record(const std::string& fields) {
  return fields + "<EOR>\n";
}

TEST(AdifLog, MapsTheFieldsTheLoggingProgramHandsOver) {
  LogContents log = ReadAdifLog(
      "<EOH>\n" + Record("<CALL:6>ja1abc<QSO_DATE:8>20230610<TIME_ON:6>120533<FREQ:8>7.012499"
                         "<BAND:3>40M<MODE:2>cw<RST_SENT:3>599<RST_RCVD:3>579"
                         "<STX_STRING:2>TK<SRX_STRING:4> ac <STX:3>001<SRX:3>002"
                         "<STATION_CALLSIGN:6>JA1XYZ<OPERATOR:6>JA1OPR"),
      "a.adi");
  ASSERT_EQ(log.Qsos.size(), 1u);
  const LogQso& q = log.Qsos[0];
  EXPECT_EQ(log.Format, "ADIF");
  EXPECT_EQ(q.Where, "record 1 (line 2)");
  EXPECT_EQ(q.Call, "JA1ABC");
  EXPECT_EQ(FormatDateTime(q.Time, "%Y%m%d %H%M%S"), "20230610 120533");
  EXPECT_EQ(q.FrequencyHz, 7012499u);
  EXPECT_EQ(q.Band, "40m");
  EXPECT_EQ(q.Mode, "CW");
  EXPECT_EQ(q.RstSent, "599");
  EXPECT_EQ(q.RstRcvd, "579");
  // The string fields win over the serial numbers; values are trimmed.
  EXPECT_EQ(q.ExchSent, "TK");
  EXPECT_EQ(q.ExchRcvd, "ac");
  EXPECT_EQ(q.OwnCall, "JA1XYZ");
}

TEST(AdifLog, FallsBackToSerialsOperatorAndTheOtherOfBandAndFreq) {
  LogContents log = ReadAdifLog(
      Record("<CALL:4>K1AB<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:6>14.025<MODE:2>CW"
             "<STX:3>001<SRX:2>17<SRX_STRING:0><OPERATOR:6>ja1opr") +
          Record("<CALL:4>K1AC<QSO_DATE:8>20230610<TIME_ON:4>1201<BAND:3>15m<MODE:2>CW"),
      "a.adi");
  ASSERT_EQ(log.Qsos.size(), 2u);
  EXPECT_EQ(log.Qsos[0].Band, "20m");
  EXPECT_EQ(log.Qsos[0].ExchSent, "001");
  EXPECT_EQ(log.Qsos[0].ExchRcvd, "17");
  EXPECT_EQ(log.Qsos[0].OwnCall, "JA1OPR");
  EXPECT_EQ(log.Qsos[1].FrequencyHz, 21000000u);  // the band edge, as in Cabrillo
  EXPECT_EQ(log.Qsos[1].OwnCall, "");
}

TEST(AdifLog, RecordsThatCannotBeScoredAreNamedAndSkipped) {
  const std::string good = "<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7.012<MODE:2>CW";
  struct Case {
    std::string Fields;
    const char* Why;
  } cases[] = {
      {"<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7.012<MODE:2>CW", "no CALL"},
      {"<CALL:3>W1A<QSO_DATE:8>20230631<TIME_ON:4>1200<FREQ:5>7.012<MODE:2>CW",
       "QSO_DATE '20230631' is not a date YYYYMMDD"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>2460<FREQ:5>7.012<MODE:2>CW",
       "TIME_ON '2460' is not a time HHMM or HHMMSS"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7,012<MODE:2>CW",
       "FREQ '7,012' is not a frequency in MHz"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>1200<MODE:2>CW", "neither FREQ nor BAND"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>8.012<MODE:2>CW",
       "FREQ 8.012 MHz lies in no amateur band"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>1200<BAND:4>40 m<MODE:2>CW",
       "BAND '40 m' is not an amateur band"},
      {"<CALL:3>W1A<QSO_DATE:8>20230610<TIME_ON:4>1200<FREQ:5>7.012", "no MODE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Fields);
    LogContents log = ReadAdifLog(Record("<CALL:3>W1Z" + good) + Record(c.Fields), "b.adi");
    EXPECT_EQ(log.Qsos.size(), 1u);
    ASSERT_EQ(log.Skipped.size(), 1u);
    EXPECT_EQ(log.Skipped.Kept()[0], std::string("b.adi: record 2 (line 2): ") + c.Why);
  }
}

TEST(AdifLog, SkippedRecordsAreReportedInFileOrder) {
  LogContents log =
      ReadAdifLog(Record("<CALL:3>W1A") + Record("<CALL:x>") + Record("<CALL:3>W1B"), "c.adi");
  ASSERT_EQ(log.Skipped.size(), 3u);
  EXPECT_EQ(log.Skipped.Kept()[0].substr(0, 22), "c.adi: record 1 (line ");
  EXPECT_EQ(log.Skipped.Kept()[1].substr(0, 22), "c.adi: record 2 (line ");
  EXPECT_EQ(log.Skipped.Kept()[2].substr(0, 22), "c.adi: record 3 (line ");
}

}  // namespace
