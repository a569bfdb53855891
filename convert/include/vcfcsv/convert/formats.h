// The fixed texts of the two phone-book layouts.
//
// vCard file: one block per contact, one directly after another, nothing before, between or after:
//   BEGIN:VCARD\r\n
//   VERSION:2.1\r\n
//   N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:<name, every UTF-8 byte as =XX>\r\n
//   TEL;CELL:<phone, unchanged>\r\n
//   BDAY:00000000\r\n
//   END:VCARD\r\n
// that is VcardBlockHead + encoded name + VcardTelPrefix + phone + VcardBlockTail. 张三 with the
// phone 101 is a block of 128 bytes.
//
// CSV file, code page 936: CsvHeaderLine, then one line per contact, "\"" + name + "\",\"" + phone
// + "\"\r\n", with a double quote inside a field written twice; a contact with neither name nor
// phone is an empty line. Anna李 with 102 is the 16 bytes 22 41 6E 6E 61 C0 EE 22 2C 22 31 30 32
// 22 0D 0A. Neither file has a byte-order mark or a terminating zero byte.
#pragma once

#include <string_view>

namespace vcfcsv::convert {

inline constexpr std::string_view VcardBlockHead =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:";
inline constexpr std::string_view VcardTelPrefix = "\r\nTEL;CELL:";
inline constexpr std::string_view VcardBlockTail = "\r\nBDAY:00000000\r\nEND:VCARD\r\n";
inline constexpr std::string_view CsvHeaderLine = "Name, Phone Number\r\n";

static_assert(VcardBlockHead.size() == 68 && VcardTelPrefix.size() == 11 &&
              VcardBlockTail.size() == 28 && CsvHeaderLine.size() == 20);

}  // namespace vcfcsv::convert
