// vcfcsv: the phone-book conversions on the command line.
//
//   vcfcsv to-csv INPUT OUTPUT   vCard file -> CSV phone book
//   vcfcsv to-vcf INPUT OUTPUT   CSV phone book -> vCard file
// "-" stands for standard input or output. The summary goes to standard error. Exit status: 0 when
// converted, 1 when a file could not be read or written, 2 for a usage error.
#include <cstdio>
#include <string>
#include <string_view>

#include "vcfcsv/app/job.h"

namespace {

using vcfcsv::app::Direction;

constexpr int kConverted = 0;
constexpr int kFileFailed = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: vcfcsv to-csv INPUT OUTPUT   convert a vCard file to a CSV phone book (GBK)\n"
    "       vcfcsv to-vcf INPUT OUTPUT   convert a CSV phone book (GBK) to a vCard file\n"
    "       vcfcsv --help | --version\n"
    "INPUT or OUTPUT may be - for standard input or output.\n";

void Print(std::FILE* stream, std::string_view words) {
  std::fwrite(words.data(), 1, words.size(), stream);
}

std::string InputPath(std::string_view argument) {
  return argument == "-" ? "/dev/stdin" : std::string(argument);
}

std::string Shown(std::string_view argument, const char* streamName) {
  return argument == "-" ? streamName : "'" + std::string(argument) + "'";
}

int Run(Direction direction, std::string_view input, std::string_view output) {
  const vcfcsv::app::ReadAndConvertResult converted =
      vcfcsv::app::ReadAndConvert(direction, InputPath(input));
  if (!converted) {
    Print(stderr, "vcfcsv: cannot read " + Shown(input, "standard input") + ": " +
                      converted.read.Description() + "\n");
    return kFileFailed;
  }
  const vcfcsv::text::WriteResult written =
      output == "-" ? vcfcsv::text::WriteStandardOutput(converted.output.View())
                    : vcfcsv::app::WriteConverted(std::string(output), converted);
  if (!written) {
    Print(stderr, "vcfcsv: cannot write " + Shown(output, "standard output") + ": " +
                      written.Description() + "\n");
    return kFileFailed;
  }
  Print(stderr, "vcfcsv: " + vcfcsv::app::DescribeSummary(converted.summary) + "\n");
  return kConverted;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (argc == 2 && (command == "--help" || command == "-h")) {
    Print(stdout, kUsage);
    return kConverted;
  }
  if (argc == 2 && command == "--version") {
    Print(stdout, "vcfcsv " VCFCSV_VERSION "\n");
    return kConverted;
  }
  if (argc == 4 && (command == "to-csv" || command == "to-vcf")) {
    return Run(command == "to-csv" ? Direction::kVcfToCsv : Direction::kCsvToVcf, argv[2], argv[3]);
  }
  Print(stderr, kUsage);
  return kUsageError;
}
