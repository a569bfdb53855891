// Shows Text and Bytes in failure messages as escaped bytes: "a\xA1," rather than raw GBK.
#pragma once

#include <cstdio>
#include <ostream>
#include <string_view>

#include "vcfcsv/text/text.h"

namespace vcfcsv::testing {

inline void PrintEscaped(std::string_view bytes, std::ostream* os) {
  *os << '\'';
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      *os << c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      *os << hex;
    }
  }
  *os << '\'';
}

}  // namespace vcfcsv::testing

namespace vcfcsv::text {
inline void PrintTo(const Text& text, std::ostream* os) {
  testing::PrintEscaped(text.View(), os);
}
inline void PrintTo(const Bytes& bytes, std::ostream* os) {
  testing::PrintEscaped(bytes.View(), os);
}
}  // namespace vcfcsv::text
