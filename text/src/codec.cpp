#include "vcfcsv/text/codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <string>

namespace vcfcsv::text {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the UTF-16 form is low byte first, copied straight from ICU's UChar buffers");

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kEuroSign = 0x20AC;

// Hexadecimal digit values by byte, -1 for anything that is not 0-9, A-F or a-f.
constexpr std::array<signed char, 256> kDigitValue = [] {
  std::array<signed char, 256> table{};
  table.fill(-1);
  for (int i = 0; i < 10; ++i) {
    table['0' + i] = static_cast<signed char>(i);
  }
  for (int i = 0; i < 6; ++i) {
    table['A' + i] = static_cast<signed char>(10 + i);
    table['a' + i] = static_cast<signed char>(10 + i);
  }
  return table;
}();

constexpr char kDigits[] = "0123456789ABCDEF";

// One group's byte from its second and third characters; 0 when either is not a digit.
unsigned char PairValue(char high, char low) noexcept {
  const int hi = kDigitValue[static_cast<unsigned char>(high)];
  const int lo = kDigitValue[static_cast<unsigned char>(low)];
  return hi < 0 || lo < 0 ? 0 : static_cast<unsigned char>(hi * 16 + lo);
}

// Decodes floor(n / 3) groups of `encoded` into `out` (which must hold that many bytes).
std::size_t DecodeGroups(std::string_view encoded, char* out) noexcept {
  const std::size_t groups = encoded.size() / 3;
  for (std::size_t k = 0; k < groups; ++k) {
    out[k] = static_cast<char>(PairValue(encoded[3 * k + 1], encoded[3 * k + 2]));
  }
  return groups;
}

void EncodeBytes(std::string_view data, char* out) noexcept {
  for (const char c : data) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = '=';
    *out++ = kDigits[b >> 4];
    *out++ = kDigits[b & 0x0F];
  }
}

bool IsAscii(std::string_view bytes) noexcept {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::int32_t Int32(std::size_t size) noexcept {
  return static_cast<std::int32_t>(
      std::min<std::size_t>(size, std::numeric_limits<std::int32_t>::max()));
}

// Bytes that GB18030 cannot read become U+FFFD, except the single byte 0x80, which code page 936
// reads as the euro sign.
void ToUnicodeCallback(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                       int32_t length, UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) {
    return;  // reset, close or clone: nothing to write
  }
  const UChar unit =
      length == 1 && static_cast<unsigned char>(codeUnits[0]) == 0x80 ? kEuroSign : kReplacement;
  *error = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &unit, 1, 0, error);
}

// One GB18030 converter for the thread, opened on first use and kept: opening one costs several
// times the conversion of a short name. Also holds the scratch buffers that the name codec reuses.
class Gb18030 {
 public:
  Gb18030() {
    UErrorCode error = U_ZERO_ERROR;
    converter_ = ucnv_open("gb18030", &error);
    if (U_FAILURE(error) || converter_ == nullptr) {
      std::abort();  // ICU without its GB18030 table is a broken installation
    }
    UConverterToUCallback oldAction = nullptr;
    const void* oldContext = nullptr;
    ucnv_setToUCallBack(converter_, ToUnicodeCallback, nullptr, &oldAction, &oldContext, &error);
    // A lone surrogate, the only thing GB18030 cannot write, becomes U+FFFD's four bytes.
    ucnv_setSubstChars(converter_, "\x84\x31\xA4\x37", 4, &error);
  }
  Gb18030(const Gb18030&) = delete;
  Gb18030& operator=(const Gb18030&) = delete;
  ~Gb18030() { ucnv_close(converter_); }

  // Both conversions replace what `out` held; its capacity is kept for the next name.
  void ToUtf16(std::string_view bytes, std::u16string& out) {
    // A GB18030 character of k bytes gives at most k units, and an unreadable byte one.
    out.resize(bytes.size());
    UErrorCode error = U_ZERO_ERROR;
    const int32_t written = ucnv_toUChars(converter_, out.data(), Int32(out.size()), bytes.data(),
                                          Int32(bytes.size()), &error);
    out.resize(U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING ? written : 0);
  }

  void FromUtf16(std::u16string_view units, std::string& out) {
    // Four bytes at most for every unit (a surrogate pair takes four for two).
    out.resize(units.size() * 4);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(converter_, out.data(), Int32(out.size()), units.data(),
                                            Int32(units.size()), &error);
    out.resize(U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING ? written : 0);
  }

  // Scratch space for the name codec, reused from name to name.
  std::u16string scratchUnits;
  std::string scratchBytes;

 private:
  UConverter* converter_ = nullptr;
};

Gb18030& Converter() {
  thread_local Gb18030 converter;
  return converter;
}

void Utf8To16(std::string_view utf8, std::u16string& out) {
  out.resize(utf8.size());  // never more units than bytes
  int32_t units = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), Int32(out.size()), &units, utf8.data(), Int32(utf8.size()),
                       kReplacement, nullptr, &error);
  out.resize(U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING ? units : 0);
}

void Utf16To8(std::u16string_view units, std::string& out) {
  out.resize(units.size() * 3);  // a unit gives at most three bytes, a pair four
  int32_t bytes = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), Int32(out.size()), &bytes, units.data(), Int32(units.size()),
                     kReplacement, nullptr, &error);
  out.resize(U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING ? bytes : 0);
}

std::u16string_view UnitsOf(const Bytes& utf16) noexcept {
  return {reinterpret_cast<const char16_t*>(utf16.View().data()), utf16.Size() / 2};
}

Bytes BytesOfUnits(std::u16string_view units) {
  return Bytes(std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2));
}

// The code page 936 text of UTF-8 bytes, ending before the first decoded U+0000. A zero byte in
// UTF-8 is always U+0000, so cutting the bytes there first gives the same text.
Text Utf8BytesToGbk(std::string_view utf8) {
  utf8 = utf8.substr(0, std::min(utf8.find('\0'), utf8.size()));
  if (IsAscii(utf8)) {
    return Text(utf8);
  }
  Gb18030& converter = Converter();
  Utf8To16(utf8, converter.scratchUnits);
  std::string out;
  converter.FromUtf16(converter.scratchUnits, out);
  return Text(std::move(out));
}

// The UTF-8 bytes of a code page 936 text, without a terminator, into `out`.
void GbkToUtf8Bytes(std::string_view text, std::string& out) {
  if (IsAscii(text)) {
    out.assign(text);
    return;
  }
  Gb18030& converter = Converter();
  converter.ToUtf16(text, converter.scratchUnits);
  Utf16To8(converter.scratchUnits, out);
}

}  // namespace

bool IsHexDigit(char c) noexcept {
  return kDigitValue[static_cast<unsigned char>(c)] >= 0;
}

Bytes QpDecode(const Bytes& encoded) {
  std::string out(encoded.Size() / 3, '\0');
  DecodeGroups(encoded.View(), out.data());
  return Bytes(std::move(out));
}

Bytes QpEncode(const Bytes& data) {
  std::string out(data.Size() * 3, '\0');
  EncodeBytes(data.View(), out.data());
  return Bytes(std::move(out));
}

Bytes Utf8ToUtf16(const Bytes& utf8) {
  std::u16string units;
  Utf8To16(utf8.View(), units);
  return BytesOfUnits(units);
}

Text Utf16ToGbk(const Bytes& utf16) {
  const std::u16string_view units = UnitsOf(utf16);
  std::string out;
  Converter().FromUtf16(units.substr(0, std::min(units.find(u'\0'), units.size())), out);
  return Text(std::move(out));
}

Bytes GbkToUtf16(const Text& text) {
  if (text.Empty()) {
    return Bytes();
  }
  std::u16string units;
  Converter().ToUtf16(text.View(), units);
  units.push_back(u'\0');
  return BytesOfUnits(units);
}

Bytes Utf16ToUtf8(const Bytes& utf16) {
  std::string out;
  Utf16To8(UnitsOf(utf16), out);
  return Bytes(std::move(out));
}

Text Utf8ToGbk(const Bytes& utf8) {
  return Utf8BytesToGbk(utf8.View());
}

Bytes GbkToUtf8(const Text& text) {
  if (text.Empty()) {
    return Bytes();
  }
  std::string out;
  GbkToUtf8Bytes(text.View(), out);
  out.push_back('\0');
  return Bytes(std::move(out));
}

Text DecodeQpName(const Text& piece) {
  std::string& decoded = Converter().scratchBytes;
  decoded.resize(piece.Size() / 3);
  DecodeGroups(piece.View(), decoded.data());
  return Utf8BytesToGbk(decoded);
}

Text EncodeQpName(const Text& name) {
  std::string& utf8 = Converter().scratchBytes;
  GbkToUtf8Bytes(name.View(), utf8);
  std::string out(utf8.size() * 3, '\0');
  EncodeBytes(utf8, out.data());
  return Text(std::move(out));
}

std::int32_t ByteLength(const Bytes& data) noexcept {
  return Int32(data.Size());
}

Bytes ZeroBytes(std::int32_t count) {
  return count < 1 ? Bytes() : Bytes(std::string(static_cast<std::size_t>(count), '\0'));
}

Text SpaceText(std::int32_t count) {
  return count < 1 ? Text() : Text(std::string(static_cast<std::size_t>(count), ' '));
}

}  // namespace vcfcsv::text
