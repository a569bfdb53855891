// CSV text -> vCard text on any bytes: no crash, no sanitizer report, and a vCard that the other
// conversion reads (the round trip settles, see round_trip.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "round_trip.h"
#include "vcfcsv/convert/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vcfcsv;
  const text::Text csv(std::string_view(reinterpret_cast<const char*>(data), size));
  fuzz::CheckRoundTripSettles(convert::CsvTextToVcfText(csv).output);
  return 0;
}
