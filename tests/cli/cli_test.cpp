#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using vcfcsv::testing::ReadFile;
using vcfcsv::testing::TempDir;
using vcfcsv::testing::WriteFile;

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs the command line through the shell, with `arguments` as they would be typed.
Outcome RunCli(const TempDir& dir, const std::string& arguments, const std::string& input = "") {
  WriteFile(dir / "stdin", input);
  const std::string command = "cd '" + dir.Path().string() + "' && '" VCFCSV_CLI "' " + arguments +
                              " <stdin >stdout 2>stderr";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir / "stdout"),
          ReadFile(dir / "stderr")};
}

TEST(CliTest, ConvertsFilesAndStandardStreams) {
  const TempDir dir;
  fs::copy_file(VCFCSV_TEST_DATA "/worked.csv", dir / "in.csv");
  const std::string vcf = ReadFile(VCFCSV_TEST_DATA "/worked.vcf");
  const std::string csv = ReadFile(VCFCSV_TEST_DATA "/worked.csv");

  Outcome outcome = RunCli(dir, "to-vcf in.csv out.vcf");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(ReadFile(dir / "out.vcf"), vcf);
  EXPECT_EQ(outcome.err, "vcfcsv: 2 contacts converted\n");

  outcome = RunCli(dir, "to-csv - -", vcf);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, csv);
}

TEST(CliTest, StandardOutputRedirectedToAFileIsAppendedTo) {
  const TempDir dir;
  fs::copy_file(VCFCSV_TEST_DATA "/worked.vcf", dir / "in.vcf");
  WriteFile(dir / "book.csv", "earlier\r\n");
  const std::string command = "cd '" + dir.Path().string() +
                              "' && '" VCFCSV_CLI "' to-csv in.vcf - >> book.csv 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(dir / "book.csv"), "earlier\r\n" + ReadFile(VCFCSV_TEST_DATA "/worked.csv"));
}

TEST(CliTest, SummaryTellsWhatWasDroppedSkippedAndUnread) {
  const TempDir dir;
  WriteFile(dir / "in.csv", std::string("a,1\r\na,1\r\nnote\r\n\x1A"
                                        "b,2\r\n"));
  const Outcome outcome = RunCli(dir, "to-vcf in.csv out.vcf");
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.err,
            "vcfcsv: 1 contact converted, 1 duplicate dropped, 1 line skipped (line 3), 5 bytes "
            "after an end-of-text byte not read\n");
}

TEST(CliTest, FileFailuresExitOneAndLeaveOutputAlone) {
  const TempDir dir;
  fs::copy_file(VCFCSV_TEST_DATA "/worked.vcf", dir / "in.vcf");
  WriteFile(dir / "old.csv", "old");
  struct Case {
    const char* arguments;
    const char* message;
  } const cases[] = {
      {"to-csv missing.vcf new.csv", "vcfcsv: cannot read 'missing.vcf': no such file\n"},
      {"to-csv . new.csv", "vcfcsv: cannot read '.': it is a folder, not a file\n"},
      {"to-csv in.vcf no/such/folder.csv",
       "vcfcsv: cannot write 'no/such/folder.csv': the folder does not exist\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Outcome outcome = RunCli(dir, c.arguments);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, c.message);
    EXPECT_FALSE(fs::exists(dir / "new.csv"));
  }
  if (fs::exists("/dev/full")) {
    const Outcome full = RunCli(dir, "to-csv in.vcf /dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "vcfcsv: cannot write '/dev/full': the disk is full\n");
  }
  EXPECT_EQ(ReadFile(dir / "old.csv"), "old");
}

TEST(CliTest, UsageErrorsExitTwo) {
  const TempDir dir;
  for (const char* arguments :
       {"", "to-csv", "to-csv a", "to-csv a b c", "convert a b", "--nope"}) {
    SCOPED_TRACE(arguments);
    const Outcome outcome = RunCli(dir, arguments);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("usage: vcfcsv to-csv INPUT OUTPUT"), std::string::npos);
  }
  const Outcome help = RunCli(dir, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("usage:"), std::string::npos);
  const Outcome version = RunCli(dir, "--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("vcfcsv ", 0), 0u);
}

}  // namespace
