#include "vcfcsv/text/scan.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vcfcsv::text {
namespace {

// The first offset in [pos, limit) whose byte is `byte`, `other` or a first byte (0x80 and
// above); `limit` when there is none, and `pos` itself when it is past `limit` already. Every byte
// passed over is a one-byte character, so each is a character start and none begins a match: the
// walk may jump there. Sixteen bytes a step with SSE2, which every x86-64 processor has.
std::size_t NextStop(const char* data, std::size_t pos, std::size_t limit, unsigned char byte,
                     unsigned char other) noexcept {
  if (pos >= limit) {
    return pos;  // a two-byte step can land one past the end
  }
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi8(static_cast<char>(byte));
  const __m128i alsoWanted = _mm_set1_epi8(static_cast<char>(other));
  while (limit - pos >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const __m128i hits =
        _mm_or_si128(_mm_cmpeq_epi8(chunk, wanted), _mm_cmpeq_epi8(chunk, alsoWanted));
    const int mask = _mm_movemask_epi8(_mm_or_si128(hits, chunk));
    if (mask != 0) {
      return pos + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
    pos += 16;
  }
#endif
  while (pos < limit) {
    const auto b = static_cast<unsigned char>(data[pos]);
    if (b == byte || b == other || b >= 0x80) {
      return pos;
    }
    ++pos;
  }
  return limit;
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
  if (from > size || size - from < length) {
    return kNotFound;
  }
  const char* data = text.data();
  const auto first = static_cast<unsigned char>(pattern[0]);
  const std::size_t limit = size - length + 1;  // the last place a match can begin, plus one
  std::size_t pos = from;
  while ((pos = NextStop(data, pos, limit, first, first)) < limit) {
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte == first && (length == 1 || data[pos + 1] == pattern[1]) &&
        std::memcmp(data + pos, pattern.data(), length) == 0) {
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
    const std::size_t stop = NextStop(data, pos, size, '\n', '\n');
    if (stop > pos) {
      previous = stop - 1;
      pos = stop;
      if (pos == size) {
        break;
      }
    }
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte == '\n') {
      const bool crlf = previous != kNotFound && previous + 1 == pos && data[previous] == '\r';
      const std::size_t end = crlf ? previous : pos;
      return {text.substr(from, end - from), pos + 1, true};
    }
    previous = pos;
    pos += 2;
  }
  return {text.substr(from), size, false};
}

TextEnd FindTextEnd(std::string_view bytes) noexcept {
  const std::size_t size = bytes.size();
  const char* data = bytes.data();
  std::size_t pos = 0;
  while ((pos = NextStop(data, pos, size, 0x00, 0x1A)) < size) {
    const auto byte = static_cast<unsigned char>(data[pos]);
    if (byte < 0x80) {
      return {pos, 1};
    }
    if (pos + 1 < size && data[pos + 1] == '\0') {
      return {pos, 2};
    }
    pos += 2;
  }
  return {size, 0};
}

}  // namespace vcfcsv::text
