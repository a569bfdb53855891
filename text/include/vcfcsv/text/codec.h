// The code-page layer and the quoted-printable name codec.
//
// In a vCard file a name is the UTF-8 form of the name with every byte written as "=" and two
// uppercase hexadecimal digits: 张 (UTF-8 E5 BC A0) is "=E5=BC=A0", and "Al" is "=41=6C". Inside
// the program a name is a Text in code page 936. Code page 936 text is read and written as GB18030,
// its superset: every code page 936 character keeps its bytes, and a character that code page 936
// lacks (an emoji, say) gets its four-byte GB18030 form instead of being lost. The single byte 0x80
// reads as the euro sign, as code page 936 has it.
//
// Forms: the UTF-16 form is a Bytes value of UTF-16 code units, low byte first, no byte-order mark;
// the UTF-8 form is a Bytes value of UTF-8. Nothing here fails: ill-formed UTF-8 and bytes that are
// not characters of the code page each become U+FFFD.
#pragma once

#include <cstdint>

#include "vcfcsv/text/text.h"

namespace vcfcsv::text {

// "=E4=B8=AD" -> 中. Each group of three characters gives one byte from its second and third
// characters (either case); the first is not read, and one or two characters after the last whole
// group are ignored. A group with a non-digit gives the byte 0, and the name ends before a decoded
// zero byte.
Text DecodeQpName(const Text& piece);
// 中 -> "=E4=B8=AD": every byte of the UTF-8 form escaped, on one line, no soft line breaks.
Text EncodeQpName(const Text& name);

// The characters that DecodeQpName reads as hexadecimal digits: 0-9, A-F and a-f.
bool IsHexDigit(char c) noexcept;

Bytes QpDecode(const Bytes& encoded);  // floor(n / 3) bytes for n characters
Bytes QpEncode(const Bytes& data);     // 3 characters per byte: "=", then two of 0-9 A-F

Text Utf8ToGbk(const Bytes& utf8);     // Utf8ToUtf16, then Utf16ToGbk
Bytes GbkToUtf8(const Text& text);     // the UTF-8 form and one zero byte; empty for the empty text
Bytes Utf8ToUtf16(const Bytes& utf8);  // no terminator; a zero byte becomes a U+0000 unit
Text Utf16ToGbk(const Bytes& utf16);   // ends before the first U+0000
Bytes GbkToUtf16(const Text& text);    // ends in one U+0000 unit; empty for the empty text
Bytes Utf16ToUtf8(const Bytes& utf16);  // every unit, a U+0000 included; lone surrogates U+FFFD

std::int32_t ByteLength(const Bytes& data) noexcept;
Bytes ZeroBytes(std::int32_t count);  // empty when count < 1
Text SpaceText(std::int32_t count);   // empty when count < 1

}  // namespace vcfcsv::text
