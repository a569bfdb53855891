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

void AppendWithoutQuotes(std::string& out, std::string_view bytes) {
  for (std::size_t quote; (quote = text::FindAtCharStart(bytes, "\"")) != text::kNotFound;) {
    out.append(bytes.substr(0, quote));
    bytes.remove_prefix(quote + 1);
  }
  out.append(bytes);
}

// For a field that begins with a double quote: the offset of its closing quote, or kNotFound when
// the line ends first. The walk goes by characters, so a quote byte inside a two-byte character is
// not one.
std::size_t ClosingQuote(std::string_view line) {
  for (std::size_t at = 1;;) {
    at = text::FindAtCharStart(line, "\"", at);
    if (at == text::kNotFound || at + 1 >= line.size() || line[at + 1] != '"') {
      return at;
    }
    at += 2;
  }
}

// Appends the field that starts `bytes` and runs up to `stop` (or the end) to `out`: a quoted part
// unescaped, and what follows it up to the stop without quotes. Returns the offset after the field:
// the offset of the stop byte, or the size when there is none.
std::size_t ReadField(std::string_view bytes, std::string_view stop, std::string& out) {
  std::size_t rest = 0;
  if (!bytes.empty() && bytes[0] == '"') {
    if (const std::size_t close = ClosingQuote(bytes); close != text::kNotFound) {
      for (std::size_t at = 1; at < close;) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const std::size_t step = byte >= 0x80 ? 2 : 1;
        out.append(bytes.substr(at, step));
        at += byte == '"' ? 2 : step;  // "" stands for one quote
      }
      rest = close + 1;
    }
  }
  const std::size_t end = stop.empty() ? text::kNotFound : text::FindAtCharStart(bytes, stop, rest);
  const std::size_t fieldEnd = end == text::kNotFound ? bytes.size() : end;
  AppendWithoutQuotes(out, bytes.substr(rest, fieldEnd - rest));
  return fieldEnd;
}

// The record of one line, or nothing when the line holds no comma.
std::optional<Record> ParseRecord(std::string_view line) {
  if (text::FindAtCharStart(line, ",") == text::kNotFound) {
    return std::nullopt;
  }
  Record record;
  const std::size_t nameEnd = ReadField(line, ",", record.name);
  if (nameEnd < line.size()) {
    ReadField(line.substr(nameEnd + 1), "", record.phone);
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
