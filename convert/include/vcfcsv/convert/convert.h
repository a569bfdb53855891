// The two conversions, text to text: no files, no dialogs.
#pragma once

#include <cstdint>
#include <vector>

#include "vcfcsv/text/text.h"

namespace vcfcsv::convert {

// What one conversion did with its input.
struct Summary {
  static constexpr std::size_t kListedLines = 5;

  std::int64_t contacts = 0;    // records converted
  std::int64_t duplicates = 0;  // records equal to an earlier one, dropped
  // Lines that held text but no comma, so were no record (empty lines are not counted). Their
  // 1-based line numbers in the input, the first kListedLines of them.
  std::int64_t skippedLines = 0;
  std::vector<std::int64_t> firstSkippedLines;
  // Bytes after an end-of-text byte that the file reader left unread; the conversions set 0, a
  // caller that read a file fills it in.
  std::int64_t unreadBytes = 0;

  friend bool operator==(const Summary&, const Summary&) = default;
};

struct Conversion {
  text::Text output;
  Summary summary;
};

// vCard text -> CSV text: CsvHeaderLine, then one row per distinct (raw name, phone) record in the
// order of the blocks. Lines may end with CR LF or LF alone; the CSV is written with CR LF.
// Takes the text by value and works in its buffer: move a large text in.
Conversion VcfTextToCsvText(text::Text vcf);

// CSV text -> vCard text: one block per distinct (name, phone) record, top to bottom. A line that
// is exactly "Name, Phone Number" is the header and is left out wherever it stands. Fields may be
// quoted as spreadsheets write them ("Li, Ming","1"; a doubled quote is one quote).
Conversion CsvTextToVcfText(const text::Text& csv);

// True when the name is made only of escapes: its length is three times its count of "=".
bool IsWhollyEncoded(const text::Text& name);

// A name that is partly encoded: each run of escapes ("=" and two hexadecimal digits, either case)
// is decoded as one piece of UTF-8 and everything else stays as it is. 'Anna=E6=9D=8E' -> Anna李,
// 'A=20B' -> 'A B', '=E5=BC=A0;=E4=B8=89;;;' -> 张;三;;;. A "=" that ends the name (a soft line
// break) is dropped; any other "=" that begins no escape stays.
text::Text DecodeMixedName(const text::Text& name);

}  // namespace vcfcsv::convert
