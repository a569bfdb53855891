#include "records.h"

#include <sys/mman.h>

#include <cstring>
#include <functional>
#include <new>

#include "vcfcsv/text/scan.h"

namespace vcfcsv::convert::detail {

void SeenRecords::Grow() {
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  const std::size_t size = slots_.empty() ? 1024 : slots_.size() * 2;
  const std::size_t bytes = size * sizeof(std::uint64_t);
  auto* memory = static_cast<std::uint64_t*>(
      bytes >= kHugePage ? std::aligned_alloc(kHugePage, bytes) : std::malloc(bytes));
  if (memory == nullptr) {
    throw std::bad_alloc();
  }
  if (bytes >= kHugePage) {
    ::madvise(memory, bytes, MADV_HUGEPAGE);  // a hint: without huge pages the table still works
  }
  std::memset(memory, 0, bytes);
  std::unique_ptr<std::uint64_t[], Free> table(memory);
  const std::span<std::uint64_t> slots(memory, size);
  const std::size_t mask = size - 1;
  for (const std::uint64_t slot : slots_) {
    if (slot != 0) {
      std::size_t i = static_cast<std::uint32_t>(slot >> 32) & mask;
      while (slots[i] != 0) {
        i = (i + 1) & mask;
      }
      slots[i] = slot;
    }
  }
  table_ = std::move(table);
  slots_ = slots;
}

std::uint64_t HashRecord(std::string_view name, std::string_view phone) noexcept {
  const std::hash<std::string_view> hash;
  return hash(name) * 0x9E3779B97F4A7C15ULL + hash(phone);
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
