#include "vcfcsv/text/codec.h"

#include <gtest/gtest.h>

#include "support/print.h"

namespace vcfcsv::text {
namespace {

using namespace literals;

struct DecodeCase {
  Text piece;
  Bytes decodedBytes;
  Text name;
};

TEST(CodecTest, DecodesEveryGroupOfThree) {
  const DecodeCase cases[] = {
      {"=E4=B8=AD=E6=96=87"_t, "\xE4\xB8\xAD\xE6\x96\x87"_b, "\xD6\xD0\xCE\xC4"_t},
      {"=61=62=63"_t, "abc"_b, "abc"_t},
      {"XE4YB8ZAD"_t, "\xE4\xB8\xAD"_b, "\xD6\xD0"_t},    // group leads are not read
      {"=E4=B8=AD="_t, "\xE4\xB8\xAD"_b, "\xD6\xD0"_t},   // one trailing character ignored
      {"=E4=B8=AD=E"_t, "\xE4\xB8\xAD"_b, "\xD6\xD0"_t},  // two trailing characters ignored
      {"=4"_t, ""_b, ""_t},
      {""_t, ""_b, ""_t},
      {"=3D"_t, "="_b, "="_t},
      {"=41=00=42"_t, "A\0B"_b, "A"_t},                 // the name ends at the zero byte
      {"=\r\n"_t, "\0"_b, ""_t},                        // non-digits give 0
      {"=e5=bc=a0"_t, "\xE5\xBC\xA0"_b, "\xD5\xC5"_t},  // lowercase digits count
      {"=G1=4z"_t, "\0\0"_b, ""_t},                     // other letters give 0
      {"=C3"_t, "\xC3"_b, "\x84\x31\xA4\x37"_t},        // ill-formed UTF-8: U+FFFD
      // A character that code page 936 lacks keeps its GB18030 form: A, U+1F600, B.
      {"=41=F0=9F=98=80=42"_t,
       "A\xF0\x9F\x98\x80"
       "B"_b,
       "A\x94\x39\xFC\x36"
       "B"_t},
      {"=41=C3=A9=E5=BC=A0"_t, "A\xC3\xA9\xE5\xBC\xA0"_b, "A\xA8\xA6\xD5\xC5"_t},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.piece));
    EXPECT_EQ(QpDecode(TextToBytes(c.piece)), c.decodedBytes);
    EXPECT_EQ(DecodeQpName(c.piece), c.name);
    EXPECT_EQ(Utf8ToGbk(c.decodedBytes), c.name);
  }
}

struct EncodeCase {
  Text name;
  Bytes utf8;
  Bytes encoded;
  Text encodedName;
};

TEST(CodecTest, EncodesEveryByteOfTheUtf8Form) {
  const EncodeCase cases[] = {
      {"\xD6\xD0\xCE\xC4"_t, "\xE4\xB8\xAD\xE6\x96\x87\0"_b, "=E4=B8=AD=E6=96=87=00"_b,
       "=E4=B8=AD=E6=96=87"_t},
      {"abc"_t, "abc\0"_b, "=61=62=63=00"_b, "=61=62=63"_t},
      {"A B"_t, "A B\0"_b, "=41=20=42=00"_b, "=41=20=42"_t},
      {""_t, ""_b, ""_b, ""_t},
      {"\x80"_t, "\xE2\x82\xAC\0"_b, "=E2=82=AC=00"_b, "=E2=82=AC"_t},  // 0x80 is the euro sign
      {"A\x94\x39\xFC\x36"
       "B"_t,
       "A\xF0\x9F\x98\x80"
       "B\0"_b,
       "=41=F0=9F=98=80=42=00"_b, "=41=F0=9F=98=80=42"_t},
      {"\xFF"_t, "\xEF\xBF\xBD\0"_b, "=EF=BF=BD=00"_b, "=EF=BF=BD"_t},  // not a character
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.name));
    EXPECT_EQ(GbkToUtf8(c.name), c.utf8);
    EXPECT_EQ(QpEncode(c.utf8), c.encoded);
    EXPECT_EQ(EncodeQpName(c.name), c.encodedName);
  }
}

TEST(CodecTest, NamesSurviveTheRoundTrip) {
  const Text names[] = {
      "\xD5\xC5\xC8\xFD"_t,  // 张三
      "Anna\xC0\xEE"_t,      // Anna李
      "A\x94\x39\xFC\x36"
      "B"_t,                 // A, an emoji, B
      "\xA2\xE3"_t,          // the euro sign in GB18030
      "\x81\x30\x81\x30"_t,  // U+0080, four bytes
      "Li, \"Ming\";=3D"_t,
      Text(std::string(90, '\xB0')),  // 45 times 啊
  };
  for (const Text& name : names) {
    SCOPED_TRACE(::testing::PrintToString(name));
    EXPECT_EQ(DecodeQpName(EncodeQpName(name)), name);
  }
  EXPECT_EQ(TextLength(EncodeQpName(Text(std::string(60, '\xB0')))), 270)
      << "30 characters of three UTF-8 bytes each, on one line";
}

TEST(CodecTest, Utf16FormsHaveTheirTerminators) {
  EXPECT_EQ(GbkToUtf16("\xD6\xD0"_t), Bytes(std::string_view("\x2D\x4E\0\0", 4)));
  EXPECT_EQ(GbkToUtf16(Text()), Bytes());
  EXPECT_EQ(Utf8ToUtf16("a\0"_b), Bytes(std::string_view("a\0\0\0", 4)));
  EXPECT_EQ(Utf16ToGbk(Bytes(std::string_view("a\0\0\0b\0", 6))), "a"_t);
  EXPECT_EQ(Utf16ToGbk(Bytes(std::string_view("\x00\xD8", 2))), "\x84\x31\xA4\x37"_t)
      << "a lone surrogate becomes U+FFFD";
  EXPECT_EQ(Utf16ToUtf8(GbkToUtf16("\xD6\xD0"_t)), "\xE4\xB8\xAD\0"_b);
}

TEST(CodecTest, PlainMemoryOperations) {
  EXPECT_EQ(ByteLength(Bytes()), 0);
  EXPECT_EQ(ByteLength("a\0b"_b), 3);
  EXPECT_EQ(ZeroBytes(3), "\0\0\0"_b);
  EXPECT_EQ(ZeroBytes(0), Bytes());
  EXPECT_EQ(ZeroBytes(-1), Bytes());
  EXPECT_EQ(SpaceText(2), "  "_t);
  EXPECT_EQ(SpaceText(-5), Text());
}

}  // namespace
}  // namespace vcfcsv::text
