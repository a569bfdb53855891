#include <cstdint>
#include <string>

#include "records.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/text/codec.h"

namespace vcfcsv::convert {
namespace {

// The end of the run of escapes that starts at `from` ("=E6=9D=8E" is a run of three); `from`
// itself when no escape starts there.
std::size_t EscapeRunEnd(std::string_view name, std::size_t from) noexcept {
  std::size_t end = from;
  while (name.size() - end >= 3 && name[end] == '=' && text::IsHexDigit(name[end + 1]) &&
         text::IsHexDigit(name[end + 2])) {
    end += 3;
  }
  return end;
}

}  // namespace

bool IsWhollyEncoded(const text::Text& name) {
  const std::int64_t separators = text::CountSeparators(name, text::Text(std::string_view("=")));
  return separators > 0 && text::TextLength(name) == 3 * separators;
}

text::Text DecodeMixedName(const text::Text& name) {
  const std::string_view in = name.View();
  std::string out;
  out.reserve(in.size());
  std::size_t i = 0;
  while (i < in.size()) {
    const auto byte = static_cast<unsigned char>(in[i]);
    if (byte == '=') {
      if (const std::size_t end = EscapeRunEnd(in, i); end > i) {
        out.append(text::DecodeQpName(text::Text(in.substr(i, end - i))).View());
        i = end;
        continue;
      }
      if (i + 1 == in.size()) {
        break;  // a soft line break ending the value
      }
    }
    // One character, two bytes from a first byte of 0x80 or above: an "=" that is the second
    // byte of a character begins nothing.
    const std::size_t step = byte >= 0x80 && i + 1 < in.size() ? 2 : 1;
    out.append(in.substr(i, step));
    i += step;
  }
  return text::Text(std::move(out));
}

namespace detail {

// The decoded form of a raw vCard name. Only a name of nothing but escapes goes to the name codec
// whole; one that the count of "=" alone would call wholly encoded but that holds something else
// ('=4G', 'A=B=C=') goes to the partial decoder, which keeps what is not an escape in place of
// decoding it to nothing.
text::Text DecodeVcardName(const text::Text& name) {
  // Nothing but escapes: wholly encoded, without counting the separators again.
  if (!name.Empty() && EscapeRunEnd(name.View(), 0) == name.Size()) {
    return text::DecodeQpName(name);
  }
  return DecodeMixedName(name);
}

}  // namespace detail
}  // namespace vcfcsv::convert
