// vCard text -> CSV text.
//
// The fixed parts of every block are first taken out of the whole text, in three passes: the head
// goes, the TEL prefix becomes a comma, and the tail without its last CR LF goes. A block in the
// fixed layout is then one line, raw name, comma, phone:
//   BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=BC=A0\r\n
//   TEL;CELL:101\r\nBDAY:00000000\r\nEND:VCARD\r\n              ->  =E5=BC=A0,101\r\n
// Every line that holds a comma is then one record, every other non-empty line is skipped.
#include <algorithm>
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
  bool lfAlone = false;
  for (std::size_t at = 0; at < in.size() && !lfAlone;) {
    const text::Line line = text::NextLine(in, at);
    lfAlone = line.terminated && line.next - (line.content.data() - in.data()) -
                                         line.content.size() == 1;
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

}  // namespace

Conversion VcfTextToCsvText(text::Text vcf) {
  // The passes work in place in the input's own buffer: no pass makes the text longer.
  std::string lines = WithCrLfLineEnds(vcf.View());
  if (lines.empty()) {
    lines = std::move(vcf).Release();
  }
  Pass passes[] = {
      {VcardBlockHead, "", {}}, {VcardTelPrefix, ",", {}}, {kTailWithoutLineEnd, "", {}}};
  for (Pass& pass : passes) {
    lines.resize(
        detail::ReplaceInto(lines, lines.data(), pass.pattern, pass.replacement, &pass.at));
  }

  Conversion result;
  Summary& summary = result.summary;
  std::string csv;
  // Bounds the row sizes without touching the memory: a name decodes to at most 4/3 of its
  // length, and doubled quotes add at most as much again.
  const auto lineEnds = static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
  csv.reserve(CsvHeaderLine.size() + 3 * lines.size() + 6 * (lineEnds + 1));
  csv.append(CsvHeaderLine);
  detail::SeenRecords seen;
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
      detail::NoteSkippedLine(summary, [&] {
        return InputLineNumber(passes, lineStart, lineEndsBefore);
      });
      continue;
    }
    const bool duplicate =
        seen.Seen(detail::HashBytes(line.content), lineStart, [&](std::size_t earlier) {
          return text::NextLine(lines, earlier).content == line.content;
        });
    if (duplicate) {
      ++summary.duplicates;
      continue;
    }
    ++summary.contacts;
    const text::Text name = detail::DecodeVcardName(text::Text(line.content.substr(0, comma)));
    const std::string_view phone = line.content.substr(comma + 1);
    if (name.Empty() && phone.empty()) {
      csv.append("\r\n");
      continue;
    }
    AppendQuoted(csv, name.View());
    csv.push_back(',');
    AppendQuoted(csv, phone);
    csv.append("\r\n");
  }
  result.output = text::Text(std::move(csv));
  return result;
}

}  // namespace vcfcsv::convert
