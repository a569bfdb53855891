// The property that both conversion fuzzers check besides the absence of crashes: converting
// back and forth settles.
//
// One trip vCard -> CSV -> vCard may change a phone book: names with bytes that are not GB18030
// come back with U+FFFD, records that decode to the same name and phone merge, an empty contact
// becomes an empty line and is gone. What one trip writes, though, holds only names the codec
// carries and no duplicates, so a second trip must give it back byte for byte.
//
// Left out: a phone book in which a name decodes to a line feed ("=0A"). The CSV writer writes it
// as it is, and the CSV reader, whose records are whole lines, ends the record there, so the
// first trip breaks such a contact in two, and the pieces need not settle.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "print_bytes.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/text/text.h"

namespace vcfcsv::fuzz {

// Both conversions, and whether a field of the CSV between them held a line feed: the writer
// writes one line per contact after the header, so any further line feed is inside a field.
inline text::Text RoundTrip(const text::Text& vcf, bool* lineFeedInField) {
  const convert::Conversion csv = convert::VcfTextToCsvText(vcf);
  const std::string_view rows = csv.output.View();
  *lineFeedInField = std::count(rows.begin(), rows.end(), '\n') != csv.summary.contacts + 1;
  return convert::CsvTextToVcfText(csv.output).output;
}

// `vcf` is what CsvTextToVcfText wrote.
inline void CheckRoundTripSettles(const text::Text& vcf) {
  bool lineFeedInField = false;
  const text::Text once = RoundTrip(vcf, &lineFeedInField);
  if (lineFeedInField) {
    return;
  }
  const text::Text twice = RoundTrip(once, &lineFeedInField);
  if (twice != once) {
    std::fprintf(stderr, "a second round trip changed the vCard text\n");
    PrintEscaped("start", vcf.View());
    PrintEscaped("once", once.View());
    PrintEscaped("twice", twice.View());
    std::abort();
  }
}

}  // namespace vcfcsv::fuzz
