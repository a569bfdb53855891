// Text and Bytes, and the pure operations on them.
//
// A Text is a byte string in code page 936 (GBK) that never holds a zero byte; a Bytes value is a
// counted byte string that may. Both are immutable values: every operation returns a new value.
//
// Positions are 1-based, lengths and positions count bytes, and a search that finds nothing gives
// -1. FindText, ReplaceText and CountSeparators walk by characters (the double-byte step): a byte
// of 0x80 or above is the first byte of a two-byte character whatever follows it, so a pattern only
// ever matches where a character begins. TextLength, LeftText and MidText count and cut raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vcfcsv::text {

class Text {
 public:
  Text() = default;
  // Both keep the bytes before the first zero byte, so no Text ever holds one.
  explicit Text(std::string_view bytes);
  explicit Text(std::string&& bytes);

  std::string_view View() const noexcept { return bytes_; }
  std::size_t Size() const noexcept { return bytes_.size(); }
  bool Empty() const noexcept { return bytes_.empty(); }
  // Hands the buffer on without a copy: `std::move(text).Release()`.
  std::string Release() && noexcept { return std::move(bytes_); }

  friend bool operator==(const Text&, const Text&) = default;

 private:
  std::string bytes_;
};

class Bytes {
 public:
  Bytes() = default;
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  explicit Bytes(std::string&& bytes) noexcept : bytes_(std::move(bytes)) {}

  std::string_view View() const noexcept { return bytes_; }
  std::size_t Size() const noexcept { return bytes_.size(); }
  bool Empty() const noexcept { return bytes_.empty(); }
  std::string Release() && noexcept { return std::move(bytes_); }

  friend bool operator==(const Bytes&, const Bytes&) = default;

 private:
  std::string bytes_;
};

// Lengths and positions are 32-bit; a text longer than INT32_MAX bytes reports INT32_MAX.
std::int32_t TextLength(const Text& text) noexcept;
Text LeftText(const Text& text, std::int32_t count);
Text MidText(const Text& text, std::int32_t start, std::int32_t count);
std::int32_t FindText(const Text& text, const Text& pattern) noexcept;
Text ReplaceText(const Text& text, const Text& pattern, const Text& replacement);
std::int32_t CountSeparators(const Text& text, const Text& separator) noexcept;
Text JoinText(std::initializer_list<std::string_view> parts);
namespace detail {
inline std::string_view PartView(const Text& text) noexcept {
  return text.View();
}
inline std::string_view PartView(std::string_view bytes) noexcept {
  return bytes;
}
}  // namespace detail
template <typename... T>
Text JoinText(const T&... parts) {
  return JoinText({detail::PartView(parts)...});
}
Bytes TextToBytes(const Text& text);
Text BytesToText(const Bytes& data);

namespace literals {
// "\xA1\x2C"_t: a Text from a literal, cut at its first zero byte like any other Text.
inline Text operator""_t(const char* s, std::size_t n) {
  return Text(std::string_view(s, n));
}
inline Bytes operator""_b(const char* s, std::size_t n) {
  return Bytes(std::string_view(s, n));
}
}  // namespace literals

}  // namespace vcfcsv::text
