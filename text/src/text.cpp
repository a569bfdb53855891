#include "vcfcsv/text/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "vcfcsv/text/scan.h"

namespace vcfcsv::text {
namespace {

constexpr std::size_t kMaxLength = std::numeric_limits<std::int32_t>::max();

std::string_view UpToZero(std::string_view bytes) noexcept {
  return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

std::int32_t Length32(std::size_t size) noexcept {
  return static_cast<std::int32_t>(std::min(size, kMaxLength));
}

}  // namespace

Text::Text(std::string_view bytes) : bytes_(UpToZero(bytes)) {}

Text::Text(std::string&& bytes) : bytes_(std::move(bytes)) {
  bytes_.resize(UpToZero(bytes_).size());
}

std::int32_t TextLength(const Text& text) noexcept {
  return Length32(text.Size());
}

Text LeftText(const Text& text, std::int32_t count) {
  if (count <= 0) {
    return Text();
  }
  return Text(text.View().substr(0, static_cast<std::size_t>(count)));
}

Text MidText(const Text& text, std::int32_t start, std::int32_t count) {
  if (start < 1 || static_cast<std::size_t>(start) > text.Size() || count <= 0) {
    return Text();
  }
  return Text(
      text.View().substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

std::int32_t FindText(const Text& text, const Text& pattern) noexcept {
  const std::size_t at = FindAtCharStart(text.View(), pattern.View());
  return at == kNotFound || at >= kMaxLength ? -1 : static_cast<std::int32_t>(at + 1);
}

Text ReplaceText(const Text& text, const Text& pattern, const Text& replacement) {
  const std::string_view in = text.View();
  const std::string_view from = pattern.View();
  if (in.empty() || from.empty()) {
    return text;
  }
  std::string out;
  out.reserve(in.size());
  std::size_t cursor = 0;
  for (;;) {
    bool loneFirstByte = false;
    const std::size_t at = FindAtCharStart(in, from, cursor, &loneFirstByte);
    if (at == kNotFound) {
      // A lone first byte that the walk reached with a one-byte pattern is dropped; with a longer
      // pattern the walk ends before the last byte and keeps it.
      out.append(in.substr(cursor, in.size() - cursor - (loneFirstByte ? 1 : 0)));
      break;
    }
    out.append(in.substr(cursor, at - cursor));
    out.append(replacement.View());
    cursor = at + from.size();
  }
  return Text(std::move(out));
}

std::int32_t CountSeparators(const Text& text, const Text& separator) noexcept {
  const std::string_view in = text.View();
  const std::string_view sep = separator.View();
  if (in.empty()) {
    return -1;
  }
  if (sep.empty()) {
    return 0;
  }
  std::size_t pieces = 0;
  std::size_t cursor = 0;
  for (;;) {
    const std::size_t at = FindAtCharStart(in, sep, cursor);
    if (at == kNotFound) {
      break;
    }
    ++pieces;
    cursor = at + sep.size();
  }
  if (cursor < in.size()) {
    ++pieces;
  }
  return Length32(pieces) - 1;
}

Text JoinText(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) {
    size += part.size();
  }
  std::string out;
  out.reserve(size);
  for (const std::string_view part : parts) {
    out.append(part);
  }
  return Text(std::move(out));
}

Bytes TextToBytes(const Text& text) {
  return Bytes(text.View());
}

Text BytesToText(const Bytes& data) {
  return Text(data.View());
}

}  // namespace vcfcsv::text
