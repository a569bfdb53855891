// vCard text -> CSV text on any bytes: no crash, no sanitizer report, a CSV that starts with its
// header, and a CSV that the other conversion reads (the round trip settles, see round_trip.h).
// The same bytes are also cut into names and phones (at 0x01) and laid out as fixed blocks: such a
// file takes the one-walk road, and must give the rows that the general road gives it once a line
// of junk at the end sends it there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "round_trip.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcfcsv;
  const text::Text vcf(std::string_view(reinterpret_cast<const char*>(data), size));
  const convert::Conversion csv = convert::VcfTextToCsvText(vcf);
  if (!csv.output.View().starts_with(convert::CsvHeaderLine)) {
    fuzz::PrintEscaped("vcf", vcf.View());
    fuzz::PrintEscaped("csv", csv.output.View());
    std::fprintf(stderr, "the CSV does not start with its header\n");
    std::abort();
  }
  fuzz::CheckRoundTripSettles(convert::CsvTextToVcfText(csv.output).output);

  std::string blocks;
  std::string_view rest = vcf.View();
  while (!rest.empty()) {
    const std::size_t nameEnd = std::min(rest.find('\x01'), rest.size());
    const std::string_view name = rest.substr(0, nameEnd);
    rest.remove_prefix(std::min(nameEnd + 1, rest.size()));
    const std::size_t phoneEnd = std::min(rest.find('\x01'), rest.size());
    const std::string_view phone = rest.substr(0, phoneEnd);
    rest.remove_prefix(std::min(phoneEnd + 1, rest.size()));
    blocks.append(convert::VcardBlockHead).append(name).append(convert::VcardTelPrefix);
    blocks.append(phone).append(convert::VcardBlockTail);
  }
  const convert::Conversion fixed = convert::VcfTextToCsvText(text::Text(blocks));
  const convert::Conversion general = convert::VcfTextToCsvText(text::Text(blocks + "junk"));
  if (fixed.output != general.output || fixed.summary.contacts != general.summary.contacts ||
      fixed.summary.duplicates != general.summary.duplicates) {
    fuzz::PrintEscaped("blocks", blocks);
    fuzz::PrintEscaped("fixed", fixed.output.View());
    fuzz::PrintEscaped("general", general.output.View());
    std::fprintf(stderr, "fixed blocks convert differently once a junk line follows them\n");
    std::abort();
  }
  return 0;
}
