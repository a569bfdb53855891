#include <gtest/gtest.h>

#include <string>

#include "support/print.h"
#include "support/temp_dir.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"

namespace vcfcsv::convert {
namespace {

using text::Text;
using namespace text::literals;

std::string Block(std::string_view name, std::string_view phone) {
  return std::string(VcardBlockHead) + std::string(name) + std::string(VcardTelPrefix) +
         std::string(phone) + std::string(VcardBlockTail);
}

std::string Csv(std::string_view rows) {
  return std::string(CsvHeaderLine) + std::string(rows);
}

struct VcfCase {
  const char* name;
  std::string vcf;
  std::string csv;
};

TEST(VcfToCsvTest, ConvertsRecordsAsTheLayoutGivesThem) {
  const VcfCase cases[] = {
      {"empty file", "", Csv("")},
      {"no block", "hello\r\n", Csv("")},
      {"wholly encoded", Block("=E5=BC=A0", "1"), Csv("\"\xD5\xC5\",\"1\"\r\n")},
      {"lowercase escapes", Block("=e5=bc=a0", "1"), Csv("\"\xD5\xC5\",\"1\"\r\n")},
      {"not encoded", Block("Tom", "2"), Csv("\"Tom\",\"2\"\r\n")},
      {"mixed lengths", Block("=41=C3=A9=E5=BC=A0", "3"), Csv("\"A\xA8\xA6\xD5\xC5\",\"3\"\r\n")},
      {"structured name", Block("=E5=BC=A0;=E4=B8=89;;;", "4"),
       Csv("\"\xD5\xC5;\xC8\xFD;;;\",\"4\"\r\n")},
      {"empty name", Block("", "1"), Csv("\"\",\"1\"\r\n")},
      {"empty phone", Block("=E5=BC=A0", ""), Csv("\"\xD5\xC5\",\"\"\r\n")},
      {"empty name and phone", Block("", ""), Csv("\r\n")},
      {"raw comma in a name", Block("Li,Ming", "5"), Csv("\"Li\",\"Ming,5\"\r\n")},
      {"last block without its CR LF", Block("Tom", "2").substr(0, Block("Tom", "2").size() - 2),
       Csv("\"Tom\",\"2\"\r\n")},
      {"blank lines after the last block", Block("Tom", "2") + "\r\n\r\n",
       Csv("\"Tom\",\"2\"\r\n")},
      {"duplicates keep the first", Block("A", "1") + Block("B", "2") + Block("A", "1"),
       Csv("\"A\",\"1\"\r\n\"B\",\"2\"\r\n")},
      // Records are whole lines: a record that is the tail of a later one takes nothing from it.
      {"tail of a later record", Block("Li", "1") + Block("ALi", "1") + Block("Bo", "2"),
       Csv("\"Li\",\"1\"\r\n\"ALi\",\"1\"\r\n\"Bo\",\"2\"\r\n")},
      {"quotes are doubled", Block("say \"hi\"", "\"1\""),
       Csv("\"say \"\"hi\"\"\",\"\"\"1\"\"\"\r\n")},
      {"emoji keeps its GB18030 form", Block("=41=F0=9F=98=80=42", "6"),
       Csv("\"A\x94\x39\xFC\x36"
           "B\",\"6\"\r\n")},
      {"not escapes though the count says so", Block("=4G", "7"), Csv("\"=4G\",\"7\"\r\n")},
  };
  for (const VcfCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VcfTextToCsvText(Text(c.vcf)).output, Text(c.csv));
  }
}

TEST(VcfToCsvTest, FilesInTheFixedLayoutConvertAsWhenAnyLineIsOff) {
  // A file of nothing but fixed blocks takes a shorter road than one with any other line; both
  // must give the same rows. A line of junk at the end sends a file down the longer one.
  const std::string files[] = {
      Block("=E5=BC=A0", "1") + Block("Anna=E6=9D=8E", "2") + Block("=E5=BC=A0", "1"),
      Block("", "") + Block("a\"b", "\"\"") + Block("=41=00=42", "3"),
      Block("\xD5\xC5", "\xC0\xEE,4") + Block("=e5=bc=a0;=E4=B8=89;;;", ""),
      Block("Li,Ming", "5") + Block("\xA1", "6"),  // a comma, a lone first byte: the long road
      Block("A", "1") + Block("TEL;CELL:x", "2"),  // the prefix forms a TEL line with the line end
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const Conversion plain = VcfTextToCsvText(Text(file));
    const Conversion withJunk = VcfTextToCsvText(Text(file + "junk"));
    EXPECT_EQ(plain.output, withJunk.output);
    EXPECT_EQ(plain.summary.contacts, withJunk.summary.contacts);
    EXPECT_EQ(withJunk.summary.skippedLines, 1);
  }
  EXPECT_EQ(VcfTextToCsvText(Text(files[4])).output, Text(Csv("\"A\",\"1,x,2\"\r\n")));
}

TEST(VcfToCsvTest, LfLineEndsConvertLikeCrLf) {
  std::string crlf = Block("=E5=BC=A0", "1") + Block("Tom", "2");
  std::string lf;
  for (const char c : crlf) {
    if (c != '\r') {
      lf.push_back(c);
    }
  }
  EXPECT_EQ(VcfTextToCsvText(Text(lf)).output, VcfTextToCsvText(Text(crlf)).output);
}

TEST(VcfToCsvTest, OtherLinesAreSkippedAndTheRestStillConverts) {
  // A block with an e-mail line leaves that line behind, with no comma; the loop goes on.
  const std::string email = std::string(VcardBlockHead) + "Ann" + std::string(VcardTelPrefix) +
                            "1\r\nEMAIL:ann@example.com" + std::string(VcardBlockTail);
  const std::string vcf = Block("Tom", "2") + email + "\r\nNOTE:x\r\n" + Block("Bo", "3");
  const Conversion result = VcfTextToCsvText(Text(vcf));
  EXPECT_EQ(result.output, Text(Csv("\"Tom\",\"2\"\r\n\"Ann\",\"1\"\r\n\"Bo\",\"3\"\r\n")));
  EXPECT_EQ(result.summary.contacts, 3);
  EXPECT_EQ(result.summary.skippedLines, 2);
  // Lines 11 (EMAIL) and 15 (NOTE) of the input.
  EXPECT_EQ(result.summary.firstSkippedLines, (std::vector<std::int64_t>{11, 15}));
}

TEST(VcfToCsvTest, SummaryCountsDuplicatesAndListsTheFirstSkippedLines) {
  std::string vcf = Block("A", "1") + Block("A", "1");
  for (int i = 0; i < 7; ++i) {
    vcf += "junk\r\n";
  }
  const Summary summary = VcfTextToCsvText(Text(vcf)).summary;
  EXPECT_EQ(summary.contacts, 1);
  EXPECT_EQ(summary.duplicates, 1);
  EXPECT_EQ(summary.skippedLines, 7);
  EXPECT_EQ(summary.firstSkippedLines, (std::vector<std::int64_t>{13, 14, 15, 16, 17}));
}

TEST(VcfToCsvTest, WorkedExampleGivesTheFiftyByteCsv) {
  const Text vcf(testing::ReadFile(VCFCSV_TEST_DATA "/partly_encoded.vcf"));
  ASSERT_EQ(vcf.Size(), 251u);
  EXPECT_EQ(VcfTextToCsvText(vcf).output.View(), testing::ReadFile(VCFCSV_TEST_DATA "/worked.csv"));
}

TEST(DecodeNameTest, WhollyEncodedIsThreeBytesPerSeparator) {
  const std::pair<Text, bool> cases[] = {
      {"=E5=BC=A0=E4=B8=89"_t, true},
      {"Anna=E6=9D=8E"_t, false},
      {""_t, false},
      {"Tom"_t, false},
      {"=E5=BC=A0;=E4=B8=89;;;"_t, false},
  };
  for (const auto& [name, wholly] : cases) {
    SCOPED_TRACE(::testing::PrintToString(name));
    EXPECT_EQ(IsWhollyEncoded(name), wholly);
  }
}

TEST(DecodeNameTest, RunsOfEscapesDecodeAndOtherBytesStay) {
  const std::pair<Text, Text> cases[] = {
      {"Jos=C3=A9=E6=9D=8E"_t, "Jos\xA8\xA6\xC0\xEE"_t},  // José李
      {"A=20B"_t, "A B"_t},
      {"Mary=20Jane"_t, "Mary Jane"_t},
      {"Anna=E6=9D=8E"_t, "Anna\xC0\xEE"_t},
      {"Tom=C3=A9"_t, "Tom\xA8\xA6"_t},
      {"=E5=BC=A0;=E4=B8=89;;;"_t, "\xD5\xC5;\xC8\xFD;;;"_t},
      {"=E5=BC=A0="_t, "\xD5\xC5"_t},  // a soft line break at the end is dropped
      {"=3D=34=31;"_t, "=41;"_t},      // decoded text is not decoded again
      {"a=b"_t, "a=b"_t},              // an "=" that begins no escape stays
      {"=e6=9d=8eX"_t, "\xC0\xEEX"_t},
      {"\xA1=41"_t, "\xA1=41"_t},  // the "=" is the second byte of A1 3D
      {"X=41=00=42Y"_t, "XAY"_t},  // a decoded zero ends only its own run
  };
  for (const auto& [raw, decoded] : cases) {
    SCOPED_TRACE(::testing::PrintToString(raw));
    EXPECT_EQ(DecodeMixedName(raw), decoded);
  }
}

}  // namespace
}  // namespace vcfcsv::convert
