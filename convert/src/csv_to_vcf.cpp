// CSV text -> vCard text.
//
// Every line that holds a comma is one record: the name is the first field, the phone the rest of
// the line after the comma that ends it. A field that begins with a double quote runs to its
// closing quote and may hold commas, with a doubled quote standing for one (as spreadsheets write
// it); quotes anywhere else are dropped, and an opening quote that is never closed on its line is
// dropped like them:
//   "Li, Ming","1"   ->  Li, Ming | 1        a,1,x        ->  a | 1,x
//   "say ""hi""",2   ->  say "hi" | 2        "unclosed,1  ->  unclosed | 1
#include <algorithm>
#include <optional>
#include <string>

#include "records.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"
#include "vcfcsv/text/codec.h"
#include "vcfcsv/text/scan.h"

namespace vcfcsv::convert {
namespace {

constexpr std::string_view kHeader = CsvHeaderLine.substr(0, CsvHeaderLine.size() - 2);

struct Record {
  std::string name;
  std::string phone;
  friend bool operator==(const Record&, const Record&) = default;
};

// The length of the character at `at`: two bytes from a first byte, one otherwise (and one for a
// lone first byte at the end).
std::size_t CharLength(std::string_view line, std::size_t at) noexcept {
  return static_cast<unsigned char>(line[at]) >= 0x80 && at + 1 < line.size() ? 2 : 1;
}

// For a field that begins with a double quote at `open`: the offset of its closing quote, or the
// line's size when the line ends first. A doubled quote inside is not one, nor is a quote byte
// inside a two-byte character.
std::size_t ClosingQuote(std::string_view line, std::size_t open) noexcept {
  std::size_t at = open + 1;
  while (at < line.size()) {
    if (line[at] == '"') {
      if (at + 1 >= line.size() || line[at + 1] != '"') {
        return at;
      }
      at += 2;
    } else {
      at += CharLength(line, at);
    }
  }
  return line.size();
}

// Reads the field that starts at `from` into `out`: the quoted part, when it opens with a quote
// that closes on the line, with each doubled quote as one; then, or else from `from`, every
// character up to a comma (when `toComma`) or the end, quotes left out. Returns where it stopped:
// the offset of that comma, or the line's size. `sawComma` is set when the field held a comma of
// any kind.
std::size_t ReadField(std::string_view line, std::size_t from, bool toComma, std::string& out,
                      bool& sawComma) {
  std::size_t at = from;
  if (at < line.size() && line[at] == '"') {
    if (const std::size_t close = ClosingQuote(line, at); close < line.size()) {
      for (++at; at < close;) {
        sawComma = sawComma || line[at] == ',';
        const std::size_t length = CharLength(line, at);
        out.append(line.substr(at, length));
        at += line[at] == '"' ? 2 : length;
      }
      at = close + 1;
    }
  }
  std::size_t run = at;  // the start of the bytes not yet copied
  while (at < line.size()) {
    const char byte = line[at];
    if (byte == ',' || byte == '"') {
      out.append(line.substr(run, at - run));
      if (byte == ',') {
        sawComma = true;
        if (toComma) {
          return at;
        }
      }
      run = at + (byte == '"' ? 1 : 0);
      ++at;
    } else {
      at += CharLength(line, at);
    }
  }
  out.append(line.substr(run, line.size() - run));
  return line.size();
}

// The record of one line, or nothing when the line holds no comma.
std::optional<Record> ParseRecord(std::string_view line) {
  Record record;
  bool sawComma = false;
  const std::size_t nameEnd = ReadField(line, 0, true, record.name, sawComma);
  if (nameEnd < line.size()) {
    ReadField(line, nameEnd + 1, false, record.phone, sawComma);
  }
  if (!sawComma) {
    return std::nullopt;
  }
  return record;
}

}  // namespace

Conversion CsvTextToVcfText(const text::Text& csv) {
  const std::string_view in = csv.View();
  Conversion result;
  Summary& summary = result.summary;
  std::string vcf;
  // A block is the fixed 107 bytes, the phone and three characters for every UTF-8 byte of the
  // name; a code page 936 byte gives at most three UTF-8 bytes (an unreadable one U+FFFD). The
  // bound is only reserved: memory is taken as the blocks are written.
  constexpr std::size_t kFixedBlock =
      VcardBlockHead.size() + VcardTelPrefix.size() + VcardBlockTail.size();
  const auto lineCount = static_cast<std::size_t>(std::count(in.begin(), in.end(), '\n') + 1);
  vcf.reserve(kFixedBlock * lineCount + 9 * in.size());
  detail::SeenRecords seen;
  auto add = [&](const Record& record, std::size_t lineStart, std::uint64_t hash) {
    const bool duplicate = seen.Seen(hash, lineStart, [&](std::size_t earlier) {
      return ParseRecord(text::NextLine(in, earlier).content) == record;
    });
    if (duplicate) {
      ++summary.duplicates;
      return;
    }
    ++summary.contacts;
    vcf.append(VcardBlockHead);
    vcf.append(text::EncodeQpName(text::Text(record.name)).View());
    vcf.append(VcardTelPrefix);
    vcf.append(record.phone);
    vcf.append(VcardBlockTail);
  };
  // One record ahead: its slot in the table of records seen is on the way from memory while the
  // record before it is written.
  struct Pending {
    Record record;
    std::size_t lineStart;
    std::uint64_t hash;
  };
  std::optional<Pending> pending;
  std::int64_t lineNumber = 0;
  for (std::size_t at = 0; at < in.size();) {
    const text::Line line = text::NextLine(in, at);
    const std::size_t lineStart = at;
    at = line.next;
    ++lineNumber;
    if (line.content.empty() || line.content == kHeader) {
      continue;
    }
    std::optional<Record> record = ParseRecord(line.content);
    if (!record) {
      detail::NoteSkippedLine(summary, [&] { return lineNumber; });
      continue;
    }
    const std::uint64_t hash = detail::HashRecord(record->name, record->phone);
    seen.Prefetch(hash);
    if (pending) {
      add(pending->record, pending->lineStart, pending->hash);
    }
    pending = Pending{std::move(*record), lineStart, hash};
  }
  if (pending) {
    add(pending->record, pending->lineStart, pending->hash);
  }
  result.output = text::Text(std::move(vcf));
  return result;
}

}  // namespace vcfcsv::convert
