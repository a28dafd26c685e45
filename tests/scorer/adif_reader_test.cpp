#include <gtest/gtest.h>

#include "logs/adif_log.h"
#include "logs/adif_reader.h"
#include "logs/log_qso.h"

namespace {

const char kTwoRecords[] =
    "Exported by a logger\r\n"
    "<ADIF_VER:5>3.1.4 <eoh>\r\n"
    "<call:6>JA1ABC <Qso_Date:8:D>20230610 <EOR>\r\n"
    "<CALL:5>K2ND/4<COMMENT:12>// note <x> <eor>\r\n";

TEST(AdifReader, ReadsFieldsInAnyCaseWithTypesAndTextBetween) {
  AdifFile file = ParseAdi(kTwoRecords, "a.adi");
  ASSERT_EQ(file.Records.size(), 2u);
  EXPECT_TRUE(file.Problems.empty());
  const AdifRecord& first = file.Records[0];
  EXPECT_EQ(first.Number, 1);
  EXPECT_EQ(first.Line, 3);
  ASSERT_NE(first.Find("QSO_DATE"), nullptr);
  EXPECT_EQ(*first.Find("QSO_DATE"), "20230610");
  EXPECT_EQ(*first.Find("CALL"), "JA1ABC");
  // A '<' inside data that starts no tag is data.
  EXPECT_EQ(*file.Records[1].Find("COMMENT"), "// note <x> ");
  EXPECT_EQ(file.Records[1].Find("FREQ"), nullptr);
}

TEST(AdifReader, HeaderIsOptionalAndMayHoldFields) {
  EXPECT_EQ(ParseAdi("<CALL:3>W1A<EOR><CALL:3>W1B<EOR>", "a").Records.size(), 2u);
  AdifFile withTags = ParseAdi("<ADIF_VER:5>3.1.4<PROGRAMID:3>XYZ<EOH>\n<CALL:3>W1A<EOR>", "a");
  ASSERT_EQ(withTags.Records.size(), 1u);
  EXPECT_EQ(withTags.Records[0].Find("ADIF_VER"), nullptr);
  // The length of a header field is honoured: "<EOH>" inside data ends nothing.
  AdifFile tricky = ParseAdi("text <NOTE:5><EOH> more <EOH><CALL:3>W1A<EOR>", "a");
  ASSERT_EQ(tricky.Records.size(), 1u);
  EXPECT_TRUE(tricky.Problems.empty());
  // Two exports joined into one file.
  AdifFile joined =
      ParseAdi("One\n<EOH>\n<CALL:3>W1A<EOR>\nTwo\n<ADIF_VER:5>3.1.4<EOH>\n<CALL:3>W1B<EOR>", "a");
  ASSERT_EQ(joined.Records.size(), 2u);
  EXPECT_TRUE(joined.Problems.empty());
  EXPECT_EQ(joined.Records[1].Number, 2);
}

TEST(AdifReader, AFreeTextHeaderWithoutEohMakesTheFileUnusable) {
  try {
    ParseAdi("My log\n\nexported today\n<CALL:3>W1A<EOR>", "my.adi");
    FAIL() << "no InputError";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "my.adi: the header that starts on line 1 is not ended by <EOH>");
  }
}

struct Malformed {
  const char* Text;
  const char* Problem;  // of the bad record
  size_t RecordsRead;   // the good ones around it
};

TEST(AdifReader, AFaultCostsOnlyItsRecordAndIsNamed) {
  const Malformed cases[] = {
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:x>W1B<EOR>\n<CALL:3>W1C<EOR>",
       "record 2 (line 3): unreadable tag '<CALL:x>' on line 3", 2},
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B<FREQ:9>7.0<EOR>\n<CALL:3>W1C<EOR>",
       "record 2 (line 3): field FREQ has length 9, which runs into the next tag on line 3", 2},
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B<FREQ:40>7.0",
       "record 2 (line 3): field FREQ has length 40, which runs past the end of the file", 1},
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B <FREQ:3>7.0\n",
       "record 2 (line 3): no <EOR> after its last field at the end of the file", 1},
      // Two QSOs run together lose both, rather than one with the other's fields.
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B\n<CALL:3>W1C<EOR>\n<CALL:3>W1D<EOR>",
       "record 2 (line 3): field CALL appears twice (line 4): is an <EOR> missing?", 2},
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B<EOH><CALL:3>W1C<EOR>",
       "record 2 (line 3): no <EOR> before the <EOH> on line 3", 2},
      // A length typed too long costs its record only, also past the end of the file.
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:99999>W1B <MODE:2>CW<EOR>\n<CALL:3>W1C<EOR>",
       "record 2 (line 3): field CALL has length 99999, which runs past the end of the file", 2},
      // A tag ends where a tag cannot go on: this one does not take the next tag's '>'.
      {"<EOH>\n<CALL:3>W1A<EOR>\n<CALL:3>W1B<MODE:2:<EOR>\n<CALL:3>W1C<EOR>",
       "record 2 (line 3): unreadable tag '<MODE:2:<EOR>' on line 3", 2},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.Text);
    AdifFile file = ParseAdi(c.Text, "x.adi");
    ASSERT_EQ(file.Problems.size(), 1u);
    const AdifProblem& p = file.Problems[0];
    EXPECT_EQ("record " + std::to_string(p.Number) + " (line " + std::to_string(p.Line) +
                  "): " + p.Message,
              c.Problem);
    EXPECT_EQ(file.Records.size(), c.RecordsRead);
  }
}

}  // namespace
