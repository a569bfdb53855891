// Bytes on standard error for the report of a failed property: printable ASCII as it is, every
// other byte as \xNN, since the inputs are mostly ASCII with CR LF, GBK and escapes.
#pragma once

#include <cstdio>
#include <string_view>

namespace vcfcsv::fuzz {

inline void PrintEscaped(const char* label, std::string_view bytes) {
  std::fprintf(stderr, "%s (%zu bytes): \"", label, bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\' && b != '"') {
      std::fputc(b, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", static_cast<unsigned>(b));
    }
  }
  std::fprintf(stderr, "\"\n");
}

}  // namespace vcfcsv::fuzz
