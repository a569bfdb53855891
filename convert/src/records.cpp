#include "records.h"

#include <cstring>
#include <functional>

#include "vcfcsv/text/scan.h"

namespace vcfcsv::convert::detail {

void SeenRecords::Grow() {
  std::vector<std::uint64_t> old = std::move(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (const std::uint64_t slot : old) {
    if (slot != 0) {
      std::size_t i = static_cast<std::uint32_t>(slot >> 32) & mask;
      while (slots_[i] != 0) {
        i = (i + 1) & mask;
      }
      slots_[i] = slot;
    }
  }
}

std::uint64_t HashBytes(std::string_view bytes) noexcept {
  return std::hash<std::string_view>{}(bytes);
}

std::size_t ReplaceInto(std::string_view source, char* out, std::string_view pattern,
                        std::string_view replacement, std::vector<std::uint32_t>* at) {
  std::size_t written = 0;
  std::size_t cursor = 0;
  for (;;) {
    const std::size_t match = text::FindAtCharStart(source, pattern, cursor);
    const std::size_t end = match == text::kNotFound ? source.size() : match;
    std::memmove(out + written, source.data() + cursor, end - cursor);
    written += end - cursor;
    if (match == text::kNotFound) {
      return written;
    }
    if (at != nullptr) {
      at->push_back(static_cast<std::uint32_t>(written));
    }
    std::memcpy(out + written, replacement.data(), replacement.size());
    written += replacement.size();
    cursor = match + pattern.size();
  }
}

}  // namespace vcfcsv::convert::detail
