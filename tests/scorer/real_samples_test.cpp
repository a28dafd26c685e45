// Logs that other programs wrote (samples/real) read as their writers meant.
#include <gtest/gtest.h>

#include "logs/log_file.h"

namespace {

TEST(RealSamples, ReadAsTheirWritersMeant) {
  struct Case {
    const char* File;
    int Qsos;              // -1: refused as a whole
    const char* Exchange;  // received, of the first QSO
    const char* Said;      // part of a note or of the refusal
    const char* Contest = "";
  } cases[] = {
      {"k0swe-lotw.adi", 1, "", nullptr},
      {"k0swe-qrz.adi", 3, "1592", nullptr, "CQ-WPX-SSB"},
      {"k0swe-js8call.adi", 1, "", nullptr},
      {"k0swe-adx-sample.adx", -1, "", "is ADX"},
      {"n1mm-field-day.adi", 1, "2F", "1 QSO was read from APP_N1MM_EXCHANGE1", "ARRL-FIELD-DAY"},
      {"thxo-CQWPX.log", 2, "4", nullptr, "CQ-WPX-CW"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File);
    std::string path = std::string(DKZ_SOURCE_DIR) + "/samples/real/" + c.File;
    if (c.Qsos < 0) {
      try {
        ReadLogFile(path, c.File);
        ADD_FAILURE() << "read";
      } catch (const InputError& error) {
        EXPECT_NE(std::string(error.what()).find(c.Said), std::string::npos) << error.what();
      }
      continue;
    }
    LogContents log = ReadLogFile(path, c.File);
    EXPECT_TRUE(log.Skipped.empty()) << log.Skipped.Kept().front();
    ASSERT_EQ(log.Qsos.size(), static_cast<size_t>(c.Qsos));
    EXPECT_EQ(log.Qsos[0].ExchRcvd, c.Exchange);
    EXPECT_EQ(log.Contest, c.Contest);
    if (c.Said == nullptr) {
      EXPECT_TRUE(log.Notes.empty());
    } else {
      ASSERT_EQ(log.Notes.size(), 1u);
      EXPECT_NE(log.Notes[0].find(c.Said), std::string::npos) << log.Notes[0];
    }
  }
}

}  // namespace
