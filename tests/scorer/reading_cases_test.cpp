// What reading gives for logs as other programs and careless hands write
// them: the QSOs, the exchange and what the user is told.
#include <gtest/gtest.h>

#include "core/base/text.h"
#include "logs/log_file.h"
#include "logs/reading_notes.h"

namespace {

const std::string kQso = "<QSO_DATE:8>20230610<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW<STX:1>5";
const std::string kLine = "QSO: 7012 CW 2023-06-10 1205 DL4MCF 599 001 JA1ABC 599 TK";

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

struct Case {
  const char* Name;
  std::string Text;
  int Qsos;              // -1: the log is refused as a whole
  std::string Exchange;  // of the first QSO
  std::string Said;      // part of the refusal or of what is printed
};

TEST(ReadingCases, GiveTheQsosTheExchangeAndAClearWord) {
  const Case cases[] = {
      {"a contest logger's own exchange field, named once",
       "N1MM export\n<EOH>\n" +
           Repeat("<CALL:4>JA1A" + kQso + "<APP_N1MM_EXCHANGE1:2>TK<EOR>\n", 3),
       3, "TK",
       "a.log: the received exchange of 3 QSOs was read from APP_N1MM_EXCHANGE1, a contest "
       "logger's own field, as SRX_STRING and SRX were empty"},
      {"the standard field wins",
       "<CALL:4>JA1A" + kQso + "<SRX_STRING:2>AC<APP_N1MM_EXCHANGE1:2>TK<EOR>", 1, "AC", ""},
      {"LoTW's end marker is no record",
       "LoTW report\n<eoh>\n<CALL:4>JA1A" + kQso + "<SRX:2>12<eor>\n\n<APP_LoTW_EOF>\n\n", 1, "12",
       ""},
      {"ADX", "<?xml version=\"1.0\"?>\n<ADX><RECORDS></RECORDS></ADX>\n", -1, "",
       "a.log is ADX (ADIF written as XML), which is not supported: export or save the log as "
       "ADIF .adi"},
      {"UTF-16 with a byte-order mark", std::string("\xFF\xFE<\0E\0O\0H\0>\0", 12), -1, "",
       "UTF-16, which is not supported: save it as UTF-8"},
      {"UTF-16 without one", std::string("Q\0S\0O\0:\0 \0", 10), -1, "", "UTF-16"},
      {"Cabrillo with CR-only line ends",
       "START-OF-LOG: 3.0\rCALLSIGN: DL4MCF\r" + kLine + "\r" + kLine + "\rEND-OF-LOG:\r", 2, "TK",
       ""},
      {"ADIF with CR-only line ends",
       "export\r<EOH>\r<CALL:4>JA1A" + kQso + "<SRX:1>1<EOR>\r<CALL:x>\r<EOR>\r", 1, "1",
       "record 2 (line 4)"},
      {"after a bad tag, reading resumes at a lower-case <eor>",
       "<CALL:x>JA1A<eor>\n<CALL:4>JA1B" + kQso + "<SRX:1>7<eor>\n", 1, "7",
       "a.log: record 1 (line 1): unreadable tag '<CALL:x>'"},
      {"a Cabrillo time of six digits", kLine + "\n" + ReplaceAll(kLine, " 1205 ", " 120500 "), 1,
       "TK", "a.log: line 2: time '120500' is not HHMM"},
      {"another contest's exchange of two words a side",
       kLine + "\nQSO: 7012 CW 2023-06-10 1205 DL4MCF 599 14 DX JA1ABC 599 25 AS\n", 1, "TK",
       "a.log: line 2: expected 10 or 11 fields for this contest's exchange (freq mode date time "
       "call rst exch call rst exch [transmitter id 0/1]), found 12"},
      {"a two-word exchange on one side",
       "QSO: 7012 CW 2023-06-10 1205 DL4MCF 599 TK JA1ABC 599 0077 EU\n", 0, "",
       "found 11, and the 11th, 'EU', is no transmitter id"},
      {"X-QSO lines, counted once",
       kLine + "\nX-QSO: 7012 CW 2023-06-10 1206 DL4MCF 599 2 JA2A 599 AC\nX-QSO: " +
           kLine.substr(5) + "\n",
       1, "TK", "a.log: 2 X-QSO: lines, QSOs not claimed for score, left out"},
      {"a line break inside an exchange",
       "<CALL:4>JA1A" + kQso + "<SRX_STRING:28>TK\r\nQSO: 7012 CW forged line<EOR>", 0, "",
       "a.log: record 1 (line 1): the received exchange holds a control character (CR)"},
      {"a NUL inside a call", "<CALL:4>JA" + std::string(1, '\0') + "A" + kQso + "<SRX:1>1<EOR>", 0,
       "", "record 1 (line 1): the call holds a control character (NUL)"},
      {"2,703 lines of one fault: 20 of them and a count",
       Repeat("QSO: 7012 CW 2023-06-10 1205 DL4MCF 599 14 DX JA1ABC 599 25 AS\n", 2703) +
           "QSO: 7012 CW 2023-06-10 1205 DL4MCF 599 TK JA1ABC 599 0077 EU\n",
       0, "",
       "a.log: line 20: expected 10 or 11 fields for this contest's exchange (freq mode date time "
       "call rst exch call rst exch [transmitter id 0/1]), found 12\n"
       "  ... and 2683 more like the one above, not shown (2703 in all)\n"
       "a.log: line 2704: expected"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.Qsos < 0) {
      try {
        ReadLogText(c.Text, "a.log");
        ADD_FAILURE() << "read";
      } catch (const InputError& error) {
        EXPECT_NE(std::string(error.what()).find(c.Said), std::string::npos) << error.what();
      }
      continue;
    }
    LogContents log = ReadLogText(c.Text, "a.log");
    ASSERT_EQ(log.Qsos.size(), static_cast<size_t>(c.Qsos));
    if (c.Qsos > 0) {
      EXPECT_EQ(log.Qsos[0].ExchRcvd, c.Exchange);
    }
    std::string report;
    for (const std::string& line : ReadingNotes(log))
      report += line + "\n";
    if (c.Said.empty())
      EXPECT_EQ(report, "");
    else
      EXPECT_NE(report.find(c.Said), std::string::npos) << report;
  }
}

}  // namespace
