// Reading a phone book, converting it and writing the result: the work behind both buttons and the
// command line, free of any window so that each front end only adds its own way of asking for the
// files and of telling what happened.
#pragma once

#include <filesystem>
#include <string>

#include "vcfcsv/convert/convert.h"
#include "vcfcsv/text/file.h"

namespace vcfcsv::app {

enum class Direction { kVcfToCsv, kCsvToVcf };

struct ReadAndConvertResult {
  text::ReadResult read;     // status of reading the input; its text is moved into the conversion
  text::Text output;         // the converted text, empty when the read failed
  convert::Summary summary;  // with unreadBytes from the read

  explicit operator bool() const noexcept { return static_cast<bool>(read); }
};

// Reads the whole file at `input` and converts it. An empty file converts to an empty phone book.
ReadAndConvertResult ReadAndConvert(Direction direction, const std::filesystem::path& input);

// Writes a conversion's output to `output` through the safe write: a failed write leaves any file
// that was there unchanged.
text::WriteResult WriteConverted(const std::filesystem::path& output,
                                 const ReadAndConvertResult& converted);

// "2 contacts converted, 1 duplicate dropped, 3 lines skipped (lines 4, 9, 12), 5 bytes after an
// end-of-text byte not read": English words for the command line.
std::string DescribeSummary(const convert::Summary& summary);

}  // namespace vcfcsv::app
