// The name codec: for any input, no crash and no sanitizer report; the encoder writes only "=XX"
// groups of uppercase digits; and a name comes back from its encoding byte for byte whenever it
// is well-formed GB18030 (the input is cut at its first zero byte, as every Text is). Whatever the
// decoder gives, and whatever the encoder's round trip gives, is such a name and must come back.
//
// Well-formed is decided by a second, strict GB18030 converter of ICU that stops at the first
// byte sequence it cannot read, independent of the codec's own converter with its euro-sign and
// U+FFFD callbacks. The single byte 0x80 is not GB18030 (code page 936 reads it as the euro sign,
// which comes back as A2 E3), so the strict converter already leaves it out. Since random bytes
// are seldom well-formed beyond ASCII, the input is also read as a string of characters and
// written as GB18030 (AsGb18030Text), whose round trip is checked as well.
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "print_bytes.h"
#include "vcfcsv/text/codec.h"
#include "vcfcsv/text/text.h"

namespace {

using vcfcsv::text::DecodeQpName;
using vcfcsv::text::EncodeQpName;
using vcfcsv::text::Text;

// Opened once and kept: the fuzzer runs hundreds of thousands of inputs a minute.
UConverter* StrictGb18030() {
  static UConverter* const strict = [] {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("gb18030", &error);
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    if (U_FAILURE(error)) {
      std::abort();
    }
    return converter;
  }();
  return strict;
}

bool IsWellFormedGb18030(std::string_view bytes) {
  // A character of k bytes gives at most k UTF-16 units; one more keeps the result terminated.
  std::u16string units(bytes.size() + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  ucnv_toUChars(StrictGb18030(), units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                static_cast<int32_t>(bytes.size()), &error);
  return U_SUCCESS(error);
}

// The input read as a string of Unicode scalar values, three bytes to a character, written as
// GB18030: well-formed by construction, so that four-byte forms, which random bytes rarely make,
// and long names of them get their round trip checked too.
Text AsGb18030Text(const std::uint8_t* data, std::size_t size) {
  constexpr std::uint32_t kScalarCount = 0x110000 - 0x800 - 1;  // no surrogates, no U+0000
  std::u16string units;
  for (std::size_t i = 0; i + 3 <= size; i += 3) {
    const std::uint32_t value =
        (std::uint32_t{data[i]} << 16 | std::uint32_t{data[i + 1]} << 8 | data[i + 2]) %
        kScalarCount;
    std::uint32_t scalar = value + 1;
    if (scalar >= 0xD800) {
      scalar += 0x800;
    }
    if (scalar < 0x10000) {
      units.push_back(static_cast<char16_t>(scalar));
    } else {
      units.push_back(static_cast<char16_t>(0xD800 + ((scalar - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((scalar - 0x10000) & 0x3FF)));
    }
  }
  std::string bytes(units.size() * 4 + 1, '\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t written =
      ucnv_fromUChars(StrictGb18030(), bytes.data(), static_cast<int32_t>(bytes.size()),
                      units.data(), static_cast<int32_t>(units.size()), &error);
  if (U_FAILURE(error)) {
    std::abort();  // every scalar value has a GB18030 form
  }
  bytes.resize(static_cast<std::size_t>(written));
  return Text(std::move(bytes));
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool IsEscapesOnly(std::string_view encoded) {
  if (encoded.size() % 3 != 0) {
    return false;
  }
  for (std::size_t i = 0; i < encoded.size(); i += 3) {
    if (encoded[i] != '=' || !IsHexDigit(encoded[i + 1]) || !IsHexDigit(encoded[i + 2])) {
      return false;
    }
  }
  return true;
}

[[noreturn]] void Fail(const char* what, const Text& name, const Text& encoded,
                       const Text& decoded) {
  std::fprintf(stderr, "codec_fuzz: %s\n", what);
  vcfcsv::fuzz::PrintEscaped("name", name.View());
  vcfcsv::fuzz::PrintEscaped("encoded", encoded.View());
  vcfcsv::fuzz::PrintEscaped("decoded", decoded.View());
  std::abort();
}

// Encodes `name`, checks the encoding's form, and gives the decoded name back.
Text RoundTrip(const Text& name) {
  const Text encoded = EncodeQpName(name);
  const Text decoded = DecodeQpName(encoded);
  if (!IsEscapesOnly(encoded.View())) {
    Fail("the encoding is not made of =XX groups", name, encoded, decoded);
  }
  return decoded;
}

void CheckComesBack(const char* what, const Text& name) {
  const Text decoded = RoundTrip(name);
  if (decoded != name) {
    Fail(what, name, EncodeQpName(name), decoded);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Text input(std::string_view(reinterpret_cast<const char*>(data), size));

  if (IsWellFormedGb18030(input.View())) {
    CheckComesBack("a well-formed GB18030 name did not come back", input);
  }
  CheckComesBack("a name of GB18030 characters did not come back", AsGb18030Text(data, size));
  // Ill-formed bytes are replaced once; what the replacement gives is a name like any other.
  CheckComesBack("the round trip of a round trip changed the name", RoundTrip(input));
  // The input read as escapes: any decoded name must survive being encoded again.
  CheckComesBack("a decoded name did not come back", DecodeQpName(input));
  return 0;
}
