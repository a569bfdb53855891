#include <gtest/gtest.h>

#include <string>

#include "support/print.h"
#include "support/temp_dir.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"

namespace vcfcsv::convert {
namespace {

using text::Text;

std::string Block(std::string_view encodedName, std::string_view phone) {
  return std::string(VcardBlockHead) + std::string(encodedName) + std::string(VcardTelPrefix) +
         std::string(phone) + std::string(VcardBlockTail);
}

struct CsvCase {
  const char* name;
  std::string csv;
  std::string vcf;
};

TEST(CsvToVcfTest, ConvertsEveryRecordLine) {
  const std::string header(CsvHeaderLine);
  const CsvCase cases[] = {
      {"empty file", "", ""},
      {"header only", header, ""},
      {"no header", "\"\xD5\xC5\",\"1\"\r\n", Block("=E5=BC=A0", "1")},
      {"unquoted", "a, 1\r\n", Block("=61", " 1")},
      {"three fields", "a,1,x\r\n", Block("=61", "1,x")},
      {"quoted three fields", "\"a\",\"1\",\"x\"\r\n", Block("=61", "1,x")},
      {"empty name", ",1\r\n", Block("", "1")},
      {"empty phone", "a,\r\n", Block("=61", "")},
      {"other header forms are records", "Name,Phone\r\n", Block("=4E=61=6D=65", "Phone")},
      {"quoted header", "\"Name\", \"Phone Number\"\r\n", Block("=4E=61=6D=65", " Phone Number")},
      {"header anywhere is left out", "a,1\r\n" + header + "b,2\r\n",
       Block("=61", "1") + Block("=62", "2")},
      {"header bytes inside a longer line stay", "xName, Phone Number\r\n",
       Block("=78=4E=61=6D=65", " Phone Number")},
      {"quoted comma", "\"Li, Ming\",\"1\"\r\n", Block("=4C=69=2C=20=4D=69=6E=67", "1")},
      {"doubled quote", "\"say \"\"hi\"\"\",\"1\"\"2\"\r\n",
       Block("=73=61=79=20=22=68=69=22", "1\"2")},
      {"unclosed quote is stray", "\"unclosed,1\r\n", Block("=75=6E=63=6C=6F=73=65=64", "1")},
      {"stray quotes are dropped", "a\"b,1\"2\r\n", Block("=61=62", "12")},
      {"line without a comma is skipped", "abc\r\nx,\r\nb,2\r\n",
       Block("=78", "") + Block("=62", "2")},
      {"trailing lines without a comma", "a,1\r\n\r\n\r\nx\r\n", Block("=61", "1")},
      {"duplicates keep the first", "a,1\r\na,1\r\nb,2\r\n", Block("=61", "1") + Block("=62", "2")},
      {"duplicates once quotes are resolved", "\"a\",\"1\"\r\na,1\r\n", Block("=61", "1")},
      {"tail of a later record", "Li,1\r\nALi,1\r\nBo,2\r\n",
       Block("=4C=69", "1") + Block("=41=4C=69", "1") + Block("=42=6F", "2")},
      {"last line without CR LF", "a,1\r\nb,2", Block("=61", "1") + Block("=62", "2")},
      {"LF line ends", "Name, Phone Number\na,1\nb,2\n", Block("=61", "1") + Block("=62", "2")},
      {"comma inside a GBK character is not one", "\xA1,x,1\r\n", Block("=EF=BF=BD=2C=78", "1")},
  };
  for (const CsvCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CsvTextToVcfText(Text(c.csv)).output, Text(c.vcf));
  }
}

TEST(CsvToVcfTest, SummaryCountsWhatWasConvertedDroppedAndSkipped) {
  const Summary summary =
      CsvTextToVcfText(Text(std::string("Name, Phone Number\r\nabc\r\na,1\r\n\r\na,1\r\nxyz\r\n")))
          .summary;
  EXPECT_EQ(summary.contacts, 1);
  EXPECT_EQ(summary.duplicates, 1);
  EXPECT_EQ(summary.skippedLines, 2) << "empty lines are not counted";
  EXPECT_EQ(summary.firstSkippedLines, (std::vector<std::int64_t>{2, 6}));
}

TEST(CsvToVcfTest, WorkedExampleGivesTheVcardFile) {
  const Text csv(testing::ReadFile(VCFCSV_TEST_DATA "/worked.csv"));
  ASSERT_EQ(csv.Size(), 50u);
  const std::string vcf = testing::ReadFile(VCFCSV_TEST_DATA "/worked.vcf");
  ASSERT_EQ(vcf.size(), 259u);
  EXPECT_EQ(CsvTextToVcfText(csv).output.View(), vcf);
}

TEST(RoundTripTest, EveryContactSurvivesBothWays) {
  // Names that the earlier layout could not carry: commas, quotes, an emoji, a structured name.
  const std::string names[] = {
      "\xD5\xC5\xC8\xFD",
      "Anna\xC0\xEE",
      "Li, Ming",
      "say \"hi\"",
      "A\x94\x39\xFC\x36"
      "B",
      "\xD5\xC5;\xC8\xFD;;;",
      "",
      "=41 literally",
  };
  std::string csv(CsvHeaderLine);
  int phone = 100;
  for (const std::string& name : names) {
    std::string quoted;
    for (const char c : name) {
      quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    csv += "\"" + quoted + "\",\"" + std::to_string(phone++) + "\"\r\n";
  }
  const Conversion vcf = CsvTextToVcfText(Text(csv));
  EXPECT_EQ(vcf.summary.contacts, 8);
  const Conversion back = VcfTextToCsvText(vcf.output);
  EXPECT_EQ(back.output, Text(csv));
  EXPECT_EQ(CsvTextToVcfText(back.output).output, vcf.output);
}

}  // namespace
}  // namespace vcfcsv::convert
