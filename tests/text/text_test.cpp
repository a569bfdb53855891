#include "vcfcsv/text/text.h"

#include <gtest/gtest.h>

#include "support/print.h"
#include "vcfcsv/text/scan.h"

namespace vcfcsv::text {
namespace {

using namespace literals;

TEST(TextTest, NeverHoldsAZeroByte) {
  EXPECT_EQ(Text(std::string_view("a\0b", 3)), "a"_t);
  EXPECT_EQ(Text(std::string("\0b", 2)), Text());
  EXPECT_EQ(Bytes(std::string_view("a\0b", 3)).Size(), 3u);
}

TEST(TextTest, LengthCountsBytes) {
  EXPECT_EQ(TextLength(Text()), 0);
  EXPECT_EQ(TextLength("\xD6\xD0"_t), 2);
}

struct CutCase {
  const char* name;
  Text text;
  std::int32_t start;  // 0 for LeftText
  std::int32_t count;
  Text expected;
};

TEST(TextTest, LeftAndMidCutBytes) {
  const CutCase cases[] = {
      {"left 0", "abcdef"_t, 0, 0, ""_t},
      {"left -1", "abcdef"_t, 0, -1, ""_t},
      {"left past the end", "abcdef"_t, 0, 9, "abcdef"_t},
      {"left 3", "abcdef"_t, 0, 3, "abc"_t},
      {"left splits a character", "\xD6\xD0"_t, 0, 1, "\xD6"_t},
      {"mid", "abcdef"_t, 2, 3, "bcd"_t},
      {"mid start 0", "abcdef"_t, 0, 3, ""_t},
      {"mid start past the end", "abcdef"_t, 7, 1, ""_t},
      {"mid count past the end", "abcdef"_t, 6, 5, "f"_t},
      {"mid count 0", "abcdef"_t, 1, 0, ""_t},
      {"mid count -2", "abcdef"_t, 1, -2, ""_t},
      {"mid of empty", ""_t, 1, 1, ""_t},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const bool left = std::string_view(c.name).starts_with("left");
    EXPECT_EQ(left ? LeftText(c.text, c.count) : MidText(c.text, c.start, c.count), c.expected);
  }
}

struct FindCase {
  const char* name;
  Text text;
  Text pattern;
  std::int32_t expected;
};

TEST(TextTest, FindTextMatchesOnlyAtCharacterStarts) {
  const FindCase cases[] = {
      {"plain", "a,b"_t, ","_t, 2},
      {"in empty text", ""_t, ","_t, -1},
      {"pattern longer than text", "ab"_t, "abc"_t, -1},
      {"empty pattern", "ab"_t, ""_t, 1},
      {"empty pattern, empty text", ""_t, ""_t, -1},
      {"second byte is not a candidate", "\x61\xA1\x2C\x2C"_t, ","_t, 4},
      {"lone first byte ends the search", "\x61\x62\xA1"_t, ","_t, -1},
      {"case differs", "ABC"_t, "b"_t, -1},
      {"after eight ASCII bytes", "abcdefghij,"_t, ","_t, 11},
      {"after a long run of GBK", "\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0x"_t, "x"_t, 11},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindText(c.text, c.pattern), c.expected);
  }
}

struct ReplaceCase {
  const char* name;
  Text text;
  Text pattern;
  Text replacement;
  Text expected;
};

TEST(TextTest, ReplaceTextReplacesEveryNonOverlappingMatch) {
  const ReplaceCase cases[] = {
      {"non-overlapping", "aaa"_t, "aa"_t, "b"_t, "ba"_t},
      {"inserted text is not searched again", "xab"_t, "ab"_t, "aab"_t, "xaab"_t},
      {"second byte is not a match", "\xA1\x61\x62"_t, "ab"_t, "x"_t, "\xA1\x61\x62"_t},
      {"empty pattern", "abc"_t, ""_t, "x"_t, "abc"_t},
      {"empty text", ""_t, "a"_t, "x"_t, ""_t},
      {"lone first byte dropped by a one-byte pattern", "\x61\x62\xA1"_t, "x"_t, ""_t, "ab"_t},
      {"lone first byte kept by a longer pattern", "\x61\x62\xA1"_t, "xy"_t, ""_t,
       "\x61\x62\xA1"_t},
      {"every occurrence", "a,b,c"_t, ","_t, "\r\n"_t, "a\r\nb\r\nc"_t},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceText(c.text, c.pattern, c.replacement), c.expected);
  }
}

TEST(TextTest, CountSeparatorsCountsPiecesMinusOne) {
  const std::pair<Text, std::int32_t> cases[] = {
      {""_t, -1}, {"abc"_t, 0}, {"=E5=BC=A0"_t, 3}, {"=E5=BC=A0="_t, 3}, {"E5="_t, 0},
      {"="_t, 0}, {"=="_t, 1},  {"a==b"_t, 2},      {"\xA1=="_t, 0},  // the first "=" is the second
                                                                      // byte of A1 3D
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_EQ(CountSeparators(text, "="_t), expected);
  }
  EXPECT_EQ(CountSeparators("abc"_t, ""_t), 0);
}

TEST(TextTest, JoinAndByteConversions) {
  EXPECT_EQ(JoinText("ab"_t, Text(), "xy"_t), "abxy"_t);
  EXPECT_EQ(TextToBytes("ab"_t), Bytes(std::string_view("\x61\x62")));
  EXPECT_EQ(BytesToText(Bytes(std::string_view("a\0b", 3))), "a"_t);
  EXPECT_EQ(BytesToText(Bytes()), Text());
}

struct LineCase {
  const char* name;
  std::string_view text;
  std::vector<std::string_view> lines;
};

TEST(ScanTest, LinesEndWithCrLfOrLfAtCharacterStarts) {
  const LineCase cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF alone", "a\nb\n", {"a", "b"}},
      {"last line unterminated", "a\r\nb", {"a", "b"}},
      {"empty lines", "\r\n\n", {"", ""}},
      {"LF inside a character", "\xA1\n\r\nb", {"\xA1\n", "b"}},
      {"CR inside a character", "\xA1\r\nb", {"\xA1\r", "b"}},
      {"long ASCII line", "0123456789abcdef\r\n", {"0123456789abcdef"}},
      {"lone first byte at the end", "a\xA1", {"a\xA1"}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < c.text.size();) {
      const Line line = NextLine(c.text, at);
      lines.push_back(line.content);
      at = line.next;
    }
    EXPECT_EQ(lines, c.lines);
  }
}

}  // namespace
}  // namespace vcfcsv::text
