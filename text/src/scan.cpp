#include "vcfcsv/text/scan.h"

#include <cstdint>
#include <cstring>

namespace vcfcsv::text {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t LoadWord(const char* p) noexcept {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// True when some byte of `word` is zero (the classic bit trick; exact, no false positives when
// combined with the high-bit test the callers make first).
constexpr bool HasZeroByte(std::uint64_t word) noexcept {
  return ((word - kOnes) & ~word & kHighBits) != 0;
}

// True when all eight bytes are one-byte characters and none of them equals `byte`: the walk can
// then move on by the whole word, since every one of its bytes is a character start that does not
// begin a match.
bool SkipsWord(std::uint64_t word, unsigned char byte) noexcept {
  return (word & kHighBits) == 0 && !HasZeroByte(word ^ (kOnes * byte));
}

}  // namespace

std::size_t FindAtCharStart(std::string_view text, std::string_view pattern, std::size_t from,
                            bool* loneFirstByte) noexcept {
  if (loneFirstByte != nullptr) {
    *loneFirstByte = false;
  }
  const std::size_t size = text.size();
  const std::size_t length = pattern.size();
  if (length == 0) {
    return from < size ? from : kNotFound;
  }
  if (from > size) {
    return kNotFound;
  }
  const char* data = text.data();
  const auto first = static_cast<unsigned char>(pattern[0]);
  std::size_t pos = from;
  while (size - pos >= length) {
    if (size - pos >= 8 && SkipsWord(LoadWord(data + pos), first)) {
      pos += 8;
      continue;
    }
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte == first && std::memcmp(data + pos, pattern.data(), length) == 0) {
      return pos;
    }
    if (byte >= 0x80) {
      if (pos + 1 == size) {
        if (loneFirstByte != nullptr) {
          *loneFirstByte = true;
        }
        return kNotFound;
      }
      pos += 2;
    } else {
      pos += 1;
    }
  }
  return kNotFound;
}

Line NextLine(std::string_view text, std::size_t from) noexcept {
  const std::size_t size = text.size();
  const char* data = text.data();
  std::size_t pos = from;
  // The start of the character before `pos`, so that a CR right before the LF is known to be a
  // character of its own and not the second byte of a two-byte character.
  std::size_t previous = kNotFound;
  while (pos < size) {
    if (size - pos >= 8 && SkipsWord(LoadWord(data + pos), '\n')) {
      pos += 8;
      previous = pos - 1;
      continue;
    }
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte == '\n') {
      const bool crlf = previous != kNotFound && previous + 1 == pos && data[previous] == '\r';
      const std::size_t end = crlf ? previous : pos;
      return {text.substr(from, end - from), pos + 1, true};
    }
    previous = pos;
    pos += byte >= 0x80 ? 2 : 1;
  }
  return {text.substr(from), size, false};
}

}  // namespace vcfcsv::text
