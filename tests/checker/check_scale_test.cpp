// What lets the check take on the largest contests: compact lines, lanes side
// by side, files read again, a pass through a scoring process, a memory limit
// said at the start, and a progress line.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <thread>

#include "../scorer/debian_country_file.h"
#include "check/check_outputs.h"
#include "check/check_run.h"
#include "check/interned_text.h"
#include "check/results_writer.h"
#include "check/side_by_side.h"
#include "contest_cabrillo.h"
#include "contest_world.h"
#include "core/base/date_time.h"
#include "native_plugin/native_pass.h"
#include "scorer/scoring_wire.h"

namespace {

// A generated contest's Cabrillo files, held in memory.
struct HeldContest {
  std::vector<ReceivedFile> Files;
  std::map<std::string, std::string> Bytes;
};

const HeldContest& Contest() {
  static const HeldContest held = [] {
    WorldOptions options;
    options.Seed = 5;
    options.Stations = 60;
    options.MeanQsos = 40;
    HeldContest contest;
    for (const GeneratedLog& log : GenerateContest(options).Logs) {
      std::string name = CabrilloFileName(log.Log.Call);
      contest.Bytes[name] = CabrilloText(log);
      contest.Files.push_back({name, contest.Bytes[name].size(), 0});
    }
    return contest;
  }();
  return held;
}

Outputs Check(CheckSettings settings, const FileBytes& bytesOf) {
  OutputsInMemory outputs(settings.Table, {});
  CheckSubmissions(
      Contest().Files, bytesOf, DebianCountries(), settings,
      [](int) { return std::make_unique<NativeScorer>(); }, outputs);
  std::sort(outputs.Files.begin(), outputs.Files.end());  // lanes finish in any order
  return outputs.Files;
}

std::string BytesOf(const ReceivedFile& file) {
  return Contest().Bytes.at(file.Name);
}

TEST(CheckScale, LanesSideBySideWriteWhatOneLaneWrites) {
  CheckSettings one;
  Outputs alone = Check(one, BytesOf);
  ASSERT_GT(alone.size(), 100u);
  for (int lanes : {2, 3}) {
    CheckSettings several;
    several.Lanes = lanes;
    EXPECT_TRUE(Check(several, BytesOf) == alone) << lanes << " lanes";
  }
}

TEST(CheckScale, AFileThatChangesBetweenReadingsStopsTheRun) {
  std::map<std::string, int> reads;
  auto changing = [&reads](const ReceivedFile& file) {
    std::string bytes = BytesOf(file);
    if (++reads[file.Name] > 1 && file.Name == Contest().Files.front().Name)
      bytes += "QSO: 7012 CW 2026-06-13 1200 JA1AAA 599 10 W1AW 599 AC\n";
    return bytes;
  };
  try {
    Check(CheckSettings(), changing);
    FAIL() << "checked a file that changed";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()),
              Contest().Files.front().Name + " changed while the check ran: run it again");
  }
}

TEST(CheckScale, AContestBeyondTheMemoryThereIsIsRefusedBeforeReading) {
  CheckSettings tight;
  tight.MemoryRoom = 100000;  // 0.1 MB
  int reads = 0;
  auto counted = [&reads](const ReceivedFile& file) {
    ++reads;
    return BytesOf(file);
  };
  try {
    Check(tight, counted);
    FAIL() << "checked beyond the room";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("needs at least "), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(" MB of memory, and this process has 0.1 MB left"),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(reads, 0);
}

TEST(CheckScale, WhatTheFirstReadingCountsIsHeldAgainstTheRoomBeforeTheSecond) {
  size_t lines = 0;
  for (const auto& [name, bytes] : Contest().Bytes)
    lines += static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  CheckSettings settings;
  // Room for the fewest lines the files' bytes can hold, not for the lines read.
  settings.MemoryRoom = lines * 100;
  std::map<std::string, int> reads;
  auto counted = [&reads](const ReceivedFile& file) {
    ++reads[file.Name];
    return BytesOf(file);
  };
  try {
    Check(settings, counted);
    FAIL() << "checked beyond the room";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find(" QSO lines of " + std::to_string(Contest().Files.size()) +
                                         " logs needs at least "),
              std::string::npos)
        << e.what();
  }
  ASSERT_EQ(reads.size(), Contest().Files.size());
  for (const auto& [name, count] : reads)
    EXPECT_EQ(count, 1) << name << " read again though the contest does not fit";
}

// What a run tells along the way, kept.
class ToldProgress : public OutputsInMemory {
 public:
  using OutputsInMemory::OutputsInMemory;
  void Progress(const CheckProgress& progress) override { Told.push_back(progress); }
  std::vector<CheckProgress> Told;
};

TEST(CheckScale, TheProgressCountsEveryLogThroughEachPassAndReportsEachOnce) {
  CheckSettings settings;
  settings.Lanes = 2;
  ToldProgress told(settings.Table, {});
  CheckedContest c = CheckSubmissions(
      Contest().Files, BytesOf, DebianCountries(), settings,
      [](int) { return std::make_unique<NativeScorer>(); }, told);
  ASSERT_FALSE(told.Told.empty());
  const CheckProgress& last = told.Told.back();
  const int logs = static_cast<int>(Contest().Files.size());
  const int entrants = static_cast<int>(c.Entrants.size());
  EXPECT_EQ(last.Files, logs);
  EXPECT_EQ(last.Read, logs);
  EXPECT_EQ(last.Entrants, entrants);
  EXPECT_EQ(last.Scored, entrants);
  EXPECT_TRUE(last.Matched);
  EXPECT_EQ(last.Reported, entrants);
  for (size_t i = 1; i < told.Told.size(); ++i) {
    EXPECT_GE(told.Told[i].Read + told.Told[i].Scored + told.Told[i].Reported,
              told.Told[i - 1].Read + told.Told[i - 1].Scored + told.Told[i - 1].Reported);
  }
  // Each entrant's letter and page once, the contest's outputs after them all.
  std::map<std::string, int> written;
  for (const auto& [name, text] : told.Files)
    ++written[name];
  EXPECT_EQ(written.size(), told.Files.size());
  EXPECT_EQ(told.Files.size(), FixedOutputNames().size() + 2 * c.Entrants.size());
  EXPECT_EQ(told.Files.back().first, kResultsPageName);
}

TEST(CheckScale, ATextIsHeldOnceWhicheverThreadInternsIt) {
  std::vector<InternedText> seen(8);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &seen] {
      for (int i = 0; i < 1000; ++i)
        InternedText("JA" + std::to_string(i));
      seen[t] = InternedText(std::string("W1AW/") + "MM");
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  for (const InternedText& text : seen) {
    EXPECT_TRUE(text == seen.front());
    EXPECT_EQ(text.str(), "W1AW/MM");
  }
  EXPECT_TRUE(InternedText("").empty());
  EXPECT_FALSE(InternedText("40m") == InternedText("40M"));
}

TEST(CheckScale, ARunsTextsAreItsOwnAndGoWithIt) {
  const size_t outside = TextsHeld(CurrentTextPool());
  std::vector<std::string> seen(2);
  std::vector<std::thread> runs;
  for (int run = 0; run < 2; ++run) {
    runs.emplace_back([run, &seen] {
      TextPoolScope texts;
      // Each run interns its own text first: the same handle in both.
      InternedText own("RUN" + std::to_string(run));
      std::vector<InternedText> laned(4);
      RunSideBySide(4, 4, [&laned](int item, int) { laned[item] = InternedText("JA1AAA"); });
      for (const InternedText& text : laned)
        EXPECT_TRUE(text == laned.front());
      EXPECT_EQ(TextsHeld(CurrentTextPool()), 3u);  // the empty text, its own, the lanes'
      seen[run] = own.str();
    });
  }
  for (std::thread& run : runs)
    run.join();
  EXPECT_EQ(seen, (std::vector<std::string>{"RUN0", "RUN1"}));
  EXPECT_EQ(TextsHeld(CurrentTextPool()), outside);
}

TEST(CheckScale, APassGoesToAScoringProcessAndBackWhole) {
  ScoringRequest request;
  request.Reset.OwnCall = "JA1ABC";
  request.Reset.CabrilloRequest = 1;
  request.Reset.PeriodStart = MakeOleDateTime(2026, 6, 13);
  request.WantStored = true;
  QsoInput qso;
  qso.Call = std::string("W1\0AW\r\n", 7);
  qso.Time = MakeOleDateTime(2026, 6, 13, 12, 5, 30);
  qso.FrequencyHz = 7012000;
  qso.ExchRcvd = "日本";
  request.Qsos = {qso, QsoInput()};
  ScoringRequest back = DecodeRequest(EncodeRequest(request));
  EXPECT_EQ(back.Reset.OwnCall, "JA1ABC");
  EXPECT_EQ(back.Reset.CabrilloRequest, 1);
  EXPECT_EQ(back.Reset.PeriodStart.Date, request.Reset.PeriodStart.Date);
  EXPECT_TRUE(back.WantStored);
  ASSERT_EQ(back.Qsos.size(), 2u);
  EXPECT_EQ(back.Qsos[0].Call, qso.Call);
  EXPECT_EQ(back.Qsos[0].Time.Date, qso.Time.Date);
  EXPECT_EQ(back.Qsos[0].FrequencyHz, 7012000u);
  EXPECT_EQ(back.Qsos[0].ExchRcvd, "日本");

  ScoringAnswer answer{"Score\t 12", {true, false, true}};
  ScoringAnswer answered = DecodeAnswer(EncodeAnswer(answer));
  EXPECT_EQ(answered.Summary, answer.Summary);
  EXPECT_EQ(answered.Stored, answer.Stored);

  std::string whole = EncodeRequest(request);
  EXPECT_THROW(DecodeRequest(whole.substr(0, whole.size() - 1)), WireError);
  EXPECT_THROW(DecodeRequest(whole + "x"), WireError);
  EXPECT_THROW(DecodeAnswer(std::string("\xff\xff\xff\x7f", 4)), WireError);
  // A count of QSOs the message cannot hold ends as a short message, not as memory asked for.
  EXPECT_THROW(DecodeRequest(EncodeRequest(ScoringRequest()).substr(0, 40) +
                             std::string("\xff\xff\xff\xff", 4)),
               WireError);
}

TEST(CheckScale, TheProgressLineSaysHowFarAndHowLong) {
  struct Case {
    CheckProgress Progress;
    double Seconds;
    const char* Text;
  };
  const Case cases[] = {
      {{100, 0, 0, 0, false, 0}, 0, "0 of 100 logs read, 0 scored, 0 checked"},
      {{100, 50, 0, 0, false, 0}, 10, "50 of 100 logs read, 0 scored, 0 checked; about 50 s left"},
      {{100, 100, 90, 90, true, 30},
       60,
       "100 of 100 logs read, 90 scored, matched, 30 checked; about 16 s left"},
      {{10000, 10000, 9000, 9000, true, 0},
       190,
       "10000 of 10000 logs read, 9000 scored, matched, 0 checked; about 1 min 30 s left"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgressText(c.Progress, c.Seconds), c.Text);
}

}  // namespace
