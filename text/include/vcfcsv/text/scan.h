// Character-start searches over views, for parsers that walk a large text once.
//
// Offsets here are 0-based byte offsets into the view, and `from` must be the start of a character
// (the view's first byte, or a byte reached by the double-byte step). Characters are found by the
// double-byte step of text.h: a byte of 0x80 or above and the byte after it form one character.
#pragma once

#include <cstddef>
#include <string_view>

namespace vcfcsv::text {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// The first offset at or after `from` where `pattern` begins at a character start, or kNotFound.
// An empty pattern is found at `from` when any byte is left there. When `loneFirstByte` is given it
// is set to whether the walk stopped on a lone first byte: a byte of 0x80 or above that is the last
// byte of the text, reached at a character start with a one-byte pattern.
std::size_t FindAtCharStart(std::string_view text, std::string_view pattern, std::size_t from = 0,
                            bool* loneFirstByte = nullptr) noexcept;

// One line of a text whose lines end with CR LF or with LF alone.
struct Line {
  std::string_view content;  // without its line end
  std::size_t next;          // offset of the next line; the text's size after the last line
  bool terminated;           // false for a last line that has no line end
};

// The line that starts at `from`; a CR LF or LF counts only where it begins a character.
Line NextLine(std::string_view text, std::size_t from) noexcept;

// Where the text of a file's bytes ends: before the first 0x00 or 0x1A at a character start, or
// before a first byte whose second byte is 0x00. A lone first byte at the very end belongs to the
// text.
struct TextEnd {
  std::size_t end;           // the text's length
  std::size_t markerLength;  // 1 for 0x00 or 0x1A, 2 for a first byte and 0x00, 0 for none
};
TextEnd FindTextEnd(std::string_view bytes) noexcept;

}  // namespace vcfcsv::text
