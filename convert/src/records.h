// What both conversions share: the set of records already converted, the log of skipped lines,
// and an in-place replacement pass.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vcfcsv/convert/convert.h"

namespace vcfcsv::convert::detail {

// The records converted so far, each remembered by a 32-bit hash and the byte offset of its line,
// eight bytes a record, so that a million contacts cost 16 MiB rather than a copy of every line.
// Equal hashes are confirmed by comparing the records themselves through the caller's function.
class SeenRecords {
 public:
  // Starts loading the slot where a record of this hash would go. A probe costs a cache miss, and a
  // loop that prefetches one record ahead has it arrive while it works on the one before.
  void Prefetch(std::uint64_t hash) const noexcept {
    if (!slots_.empty()) {
      __builtin_prefetch(&slots_[Tag(hash) & (slots_.size() - 1)]);
    }
  }

  // True when a record equal to the one at `offset` was seen before; otherwise remembers it.
  // `equal(earlierOffset)` tells whether the record at an earlier offset equals this one.
  template <typename Equal>
  bool Seen(std::uint64_t hash, std::size_t offset, Equal&& equal) {
    if (2 * (count_ + 1) > slots_.size()) {
      Grow();
    }
    const std::uint32_t tag = Tag(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) {
        slots_[i] = (std::uint64_t{tag} << 32) | (static_cast<std::uint32_t>(offset) + 1u);
        ++count_;
        return false;
      }
      if (static_cast<std::uint32_t>(slot >> 32) == tag &&
          equal(static_cast<std::size_t>(static_cast<std::uint32_t>(slot) - 1u))) {
        return true;
      }
    }
  }

 private:
  static std::uint32_t Tag(std::uint64_t hash) noexcept {
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
  }
  void Grow();

  struct Free {
    void operator()(std::uint64_t* slots) const noexcept { std::free(slots); }
  };
  // tag << 32 | (offset + 1); 0 is an empty slot. Probes land anywhere in a table of many
  // megabytes, so it sits on huge pages where the system allows them: one TLB entry for 2 MiB.
  std::unique_ptr<std::uint64_t[], Free> table_;
  std::span<std::uint64_t> slots_;
  std::size_t count_ = 0;
};

// The hash of a record by its name and its phone.
std::uint64_t HashRecord(std::string_view name, std::string_view phone) noexcept;

// Counts a skipped line, and for the first few asks `lineNumber()` for its number.
template <typename LineNumber>
void NoteSkippedLine(Summary& summary, LineNumber&& lineNumber) {
  ++summary.skippedLines;
  if (summary.firstSkippedLines.size() < Summary::kListedLines) {
    summary.firstSkippedLines.push_back(lineNumber());
  }
}

// Replaces every `pattern` that begins at a character start in `source`, left to right without
// overlaps, writing to `out`, which may be `source`'s own first byte: the replacement must not be
// longer than the pattern, so the output never overtakes the input. When `at` is given, the output
// offset of every replacement is appended to it. Returns the output's length.
std::size_t ReplaceInto(std::string_view source, char* out, std::string_view pattern,
                        std::string_view replacement, std::vector<std::uint32_t>* at);

// The decoded form of a raw vCard name: wholly encoded names by the name codec, others by
// DecodeMixedName.
text::Text DecodeVcardName(const text::Text& name);

}  // namespace vcfcsv::convert::detail
