#include "vcfcsv/app/job.h"

#include <utility>

namespace vcfcsv::app {
namespace {

std::string Counted(std::int64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ReadAndConvertResult ReadAndConvert(Direction direction, const std::filesystem::path& input) {
  ReadAndConvertResult result;
  result.read = text::ReadTextFile(input);
  if (!result.read) {
    return result;
  }
  // The vCard reader works in the buffer it is given: hand the file's text over, not a copy.
  convert::Conversion conversion = direction == Direction::kVcfToCsv
                                       ? convert::VcfTextToCsvText(std::move(result.read.text))
                                       : convert::CsvTextToVcfText(result.read.text);
  result.read.text = text::Text();
  result.output = std::move(conversion.output);
  result.summary = std::move(conversion.summary);
  result.summary.unreadBytes = result.read.unreadBytes;
  return result;
}

text::WriteResult WriteConverted(const std::filesystem::path& output,
                                 const ReadAndConvertResult& converted) {
  return text::WriteBytesFile(output, converted.output.View());
}

std::string DescribeSummary(const convert::Summary& summary) {
  std::string words = Counted(summary.contacts, "contact", "contacts") + " converted";
  if (summary.duplicates > 0) {
    words += ", " + Counted(summary.duplicates, "duplicate", "duplicates") + " dropped";
  }
  if (summary.skippedLines > 0) {
    words += ", " + Counted(summary.skippedLines, "line", "lines") + " skipped (";
    words += summary.firstSkippedLines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < summary.firstSkippedLines.size(); ++i) {
      words += (i == 0 ? "" : ", ") + std::to_string(summary.firstSkippedLines[i]);
    }
    if (static_cast<std::size_t>(summary.skippedLines) > summary.firstSkippedLines.size()) {
      words += ", ...";
    }
    words += ")";
  }
  if (summary.unreadBytes > 0) {
    words += ", " + Counted(summary.unreadBytes, "byte", "bytes") +
             " after an end-of-text byte not read";
  }
  return words;
}

}  // namespace vcfcsv::app
