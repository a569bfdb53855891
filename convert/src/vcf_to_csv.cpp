// vCard text -> CSV text.
//
// The fixed parts of every block are first taken out of the whole text, in three passes: the head
// goes, the TEL prefix becomes a comma, and the tail without its last CR LF goes. A block in the
// fixed layout is then one line, raw name, comma, phone:
//   BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=BC=A0\r\n
//   TEL;CELL:101\r\nBDAY:00000000\r\nEND:VCARD\r\n              ->  =E5=BC=A0,101\r\n
// Every line that holds a comma is then one record, every other non-empty line is skipped.
#include <algorithm>
#include <optional>
#include <string>

#include "records.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"
#include "vcfcsv/text/scan.h"

namespace vcfcsv::convert {
namespace {

constexpr std::string_view kTailWithoutLineEnd =
    VcardBlockTail.substr(0, VcardBlockTail.size() - 2);

// The text with every LF that stands alone made CR LF, so that the fixed texts match in files
// saved with LF line ends; empty when there is no such LF and the text can be used as it is.
std::string WithCrLfLineEnds(std::string_view in) {
  // Quick look first: an LF right after a CR that follows a one-byte character (or starts the
  // text) ends a CR LF for certain. Only when some LF is not of that kind does the exact walk by
  // characters decide.
  bool maybeAlone = false;
  for (std::size_t lf = in.find('\n'); lf != std::string_view::npos && !maybeAlone;
       lf = in.find('\n', lf + 1)) {
    maybeAlone = lf == 0 || in[lf - 1] != '\r' ||
                 (lf >= 2 && static_cast<unsigned char>(in[lf - 2]) >= 0x80);
  }
  bool lfAlone = false;
  for (std::size_t at = 0; maybeAlone && at < in.size() && !lfAlone;) {
    const text::Line line = text::NextLine(in, at);
    lfAlone =
        line.terminated && line.next - (line.content.data() - in.data()) - line.content.size() == 1;
    at = line.next;
  }
  if (!lfAlone) {
    return {};
  }
  std::string out;
  out.reserve(in.size() + in.size() / 8);
  for (std::size_t at = 0; at < in.size();) {
    const text::Line line = text::NextLine(in, at);
    out.append(line.content);
    if (line.terminated) {
      out.append("\r\n");
    }
    at = line.next;
  }
  return out;
}

// One of the three passes, with the output offset of each of its replacements, so that a skipped
// line can be given its line number in the input afterwards.
struct Pass {
  std::string_view pattern;
  std::string_view replacement;
  std::vector<std::uint32_t> at;
};

// The line number in the input of the line that starts at `offset` of the final text, which has
// `lineEndsBefore` line ends before that offset. Each pattern took out whole CR LF pairs, so the
// input had those line ends and the ones inside the replacements before it; an offset that starts
// a line never falls inside a replacement's own bytes.
std::int64_t InputLineNumber(const Pass (&passes)[3], std::size_t offset,
                             std::int64_t lineEndsBefore) {
  std::int64_t lineEnds = lineEndsBefore;
  for (auto pass = std::rbegin(passes); pass != std::rend(passes); ++pass) {
    const auto before = static_cast<std::size_t>(
        std::upper_bound(pass->at.begin(), pass->at.end(), offset) - pass->at.begin());
    offset += before * (pass->pattern.size() - pass->replacement.size());
    lineEnds += static_cast<std::int64_t>(before) *
                std::count(pass->pattern.begin(), pass->pattern.end(), '\n');
  }
  return lineEnds + 1;
}

// Appends a field inside double quotes, with every double quote in it written twice.
void AppendQuoted(std::string& out, std::string_view field) {
  out.push_back('"');
  for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
    out.append(field.substr(0, quote + 1));
    out.push_back('"');
    field.remove_prefix(quote + 1);
  }
  out.append(field);
  out.push_back('"');
}

// The CSV of the distinct records, header first.
class CsvRows {
 public:
  // `bound` is reserved, not touched: memory is taken as rows are written.
  explicit CsvRows(std::size_t bound) {
    csv_.reserve(CsvHeaderLine.size() + bound);
    csv_.append(CsvHeaderLine);
  }

  Summary& Totals() { return summary_; }

  void Prefetch(std::uint64_t hash) const noexcept { seen_.Prefetch(hash); }

  // Adds the record of raw name and phone, whose HashRecord is `hash`, unless `equal(offset)`
  // holds for the offset of an earlier record with the same hash.
  template <typename Equal>
  void Add(std::uint64_t hash, std::string_view rawName, std::string_view phone, std::size_t offset,
           Equal&& equal) {
    if (seen_.Seen(hash, offset, equal)) {
      ++summary_.duplicates;
      return;
    }
    ++summary_.contacts;
    const text::Text name = detail::DecodeVcardName(text::Text(rawName));
    if (name.Empty() && phone.empty()) {
      csv_.append("\r\n");
      return;
    }
    AppendQuoted(csv_, name.View());
    csv_.push_back(',');
    AppendQuoted(csv_, phone);
    csv_.append("\r\n");
  }

  Conversion Finish() && { return {text::Text(std::move(csv_)), std::move(summary_)}; }

 private:
  std::string csv_;
  Summary summary_;
  detail::SeenRecords seen_;
};

struct Fields {
  std::string_view name;
  std::string_view phone;
  std::size_t next;  // offset after the block
};

// The name and phone of a block in the fixed layout at `at`, or nothing when the text there is not
// one: the three passes would turn exactly such a block into the line "name,phone". The fields
// must hold whole characters, so that the CR after each begins a character, and no LF; the name no
// comma (the record would be cut there) and no TEL prefix at its start (with the line end before
// it, the previous block's, it would form one).
std::optional<Fields> FixedBlockAt(std::string_view in, std::size_t at) {
  constexpr std::string_view kLineEnd = "\r\n";
  auto wholeCharacters = [](std::string_view field) {
    std::size_t i = 0;
    while (i < field.size()) {
      i += static_cast<unsigned char>(field[i]) >= 0x80 ? 2 : 1;
    }
    return i == field.size() && field.find('\n') == std::string_view::npos;
  };
  if (in.substr(at, VcardBlockHead.size()) != VcardBlockHead) {
    return std::nullopt;
  }
  const std::size_t nameStart = at + VcardBlockHead.size();
  const std::size_t nameEnd = in.find('\r', nameStart);
  if (nameEnd == std::string_view::npos ||
      in.substr(nameEnd, VcardTelPrefix.size()) != VcardTelPrefix) {
    return std::nullopt;
  }
  const std::size_t phoneStart = nameEnd + VcardTelPrefix.size();
  const std::size_t phoneEnd = in.find('\r', phoneStart);
  if (phoneEnd == std::string_view::npos ||
      in.substr(phoneEnd, kTailWithoutLineEnd.size()) != kTailWithoutLineEnd) {
    return std::nullopt;
  }
  std::size_t next = phoneEnd + kTailWithoutLineEnd.size();
  if (next < in.size()) {
    if (in.substr(next, kLineEnd.size()) != kLineEnd) {
      return std::nullopt;
    }
    next += kLineEnd.size();
  }
  const Fields fields{in.substr(nameStart, nameEnd - nameStart),
                      in.substr(phoneStart, phoneEnd - phoneStart), next};
  if (fields.name.find(',') != std::string_view::npos ||
      fields.name.starts_with(VcardTelPrefix.substr(kLineEnd.size())) ||
      !wholeCharacters(fields.name) || !wholeCharacters(fields.phone)) {
    return std::nullopt;
  }
  return fields;
}

// A text of nothing but blocks in the fixed layout (the last one may lack its final CR LF), as
// phones and this program write it, converts block by block in one walk. Anything else gives
// nothing, and the passes decide.
std::optional<Conversion> ConvertFixedBlocks(std::string_view in) {
  CsvRows rows(3 * in.size());
  // One block ahead: its hash is known, and its slot on the way, while the block before is added.
  struct Pending {
    Fields fields;
    std::size_t at;
    std::uint64_t hash;
  };
  std::optional<Pending> pending;
  for (std::size_t at = 0;;) {
    std::optional<Pending> next;
    if (at < in.size()) {
      const std::optional<Fields> fields = FixedBlockAt(in, at);
      if (!fields) {
        return std::nullopt;
      }
      next = Pending{*fields, at, detail::HashRecord(fields->name, fields->phone)};
      rows.Prefetch(next->hash);
      at = fields->next;
    }
    if (pending) {
      const Fields& fields = pending->fields;
      rows.Add(pending->hash, fields.name, fields.phone, pending->at, [&](std::size_t earlier) {
        const Fields seen = *FixedBlockAt(in, earlier);
        return seen.name == fields.name && seen.phone == fields.phone;
      });
    }
    if (!next) {
      return std::move(rows).Finish();
    }
    pending = next;
  }
}

}  // namespace

Conversion VcfTextToCsvText(text::Text vcf) {
  if (std::optional<Conversion> fixed = ConvertFixedBlocks(vcf.View())) {
    return std::move(*fixed);
  }
  // The passes work in place in the input's own buffer: no pass makes the text longer.
  std::string lines = WithCrLfLineEnds(vcf.View());
  if (lines.empty()) {
    lines = std::move(vcf).Release();
  }
  vcf = text::Text();  // an LF file's original is no longer needed
  Pass passes[] = {
      {VcardBlockHead, "", {}}, {VcardTelPrefix, ",", {}}, {kTailWithoutLineEnd, "", {}}};
  for (Pass& pass : passes) {
    lines.resize(
        detail::ReplaceInto(lines, lines.data(), pass.pattern, pass.replacement, &pass.at));
  }

  // A name decodes to at most 4/3 of its length, and doubled quotes add at most as much again.
  const auto lineEnds = static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
  CsvRows rows(3 * lines.size() + 6 * (lineEnds + 1));
  std::int64_t lineEndsBefore = 0;
  for (std::size_t at = 0; at < lines.size(); ++lineEndsBefore) {
    const text::Line line = text::NextLine(lines, at);
    const std::size_t lineStart = at;
    at = line.next;
    if (line.content.empty()) {
      continue;
    }
    const std::size_t comma = text::FindAtCharStart(line.content, ",");
    if (comma == text::kNotFound) {
      detail::NoteSkippedLine(rows.Totals(),
                              [&] { return InputLineNumber(passes, lineStart, lineEndsBefore); });
      continue;
    }
    const std::string_view name = line.content.substr(0, comma);
    const std::string_view phone = line.content.substr(comma + 1);
    rows.Add(detail::HashRecord(name, phone), name, phone, lineStart, [&](std::size_t earlier) {
      return text::NextLine(lines, earlier).content == line.content;
    });
  }
  return std::move(rows).Finish();
}

}  // namespace vcfcsv::convert
