// Generated names and phone books for the benchmarks and for make_phonebook.
//
// The names are what a Chinese phone's address book holds: mostly two to four characters of
// GB2312's first level (the 3755 common characters, GBK bytes B0A1-D7F9), some Latin names, and
// some mixed ones such as "Anna李". Everything is drawn from a fixed seed, so every run measures
// the same input, and every phone number is different, so no record is ever a duplicate and a
// conversion keeps every contact.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vcfcsv/convert/formats.h"
#include "vcfcsv/text/codec.h"
#include "vcfcsv/text/text.h"

namespace vcfcsv::bench {

// splitmix64: small, fast and the same on every standard library, unlike the distributions of
// <random>, whose results may differ between library versions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() noexcept {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A number in [0, bound); the slight bias of the modulo does not matter for test data.
  std::size_t Below(std::size_t bound) noexcept { return static_cast<std::size_t>(Next() % bound); }

 private:
  std::uint64_t state_;
};

inline constexpr std::uint64_t kSeed = 20240229;

// Appends one of GB2312's 3755 first-level characters: 94 to a row from B0A1, the last row D7
// ending at D7F9.
inline void AppendCommonHanzi(Random& random, std::string& out) {
  constexpr std::size_t kFirstLevelCount = 3755;
  constexpr std::size_t kRowLength = 94;
  const std::size_t index = random.Below(kFirstLevelCount);
  out.push_back(static_cast<char>(0xB0 + index / kRowLength));
  out.push_back(static_cast<char>(0xA1 + index % kRowLength));
}

inline constexpr std::array<std::string_view, 16> kLatinNames = {
    "Anna", "Tom",   "Maria", "John",  "Lena", "Peter", "Sofia", "David",
    "Emma", "Lucas", "Mia",   "Oskar", "Nina", "Paul",  "Eva",   "Kevin"};

// One name in GBK: 80 in 100 are two to four Chinese characters (three the most common), 12 a
// Latin first name, 8 a Latin name followed by one or two Chinese characters.
inline text::Text MakeName(Random& random) {
  std::string name;
  const std::size_t kind = random.Below(100);
  if (kind < 80) {
    const std::size_t roll = random.Below(100);
    const std::size_t length = roll < 30 ? 2 : roll < 85 ? 3 : 4;
    for (std::size_t i = 0; i < length; ++i) {
      AppendCommonHanzi(random, name);
    }
  } else {
    name = kLatinNames[random.Below(kLatinNames.size())];
    if (kind >= 92) {
      const std::size_t length = 1 + random.Below(2);
      for (std::size_t i = 0; i < length; ++i) {
        AppendCommonHanzi(random, name);
      }
    }
  }
  return text::Text(std::move(name));
}

inline std::vector<text::Text> MakeNames(std::size_t count) {
  Random random(kSeed);
  std::vector<text::Text> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    names.push_back(MakeName(random));
  }
  return names;
}

// An eleven-digit mobile number, different for every index below a billion: the index is
// multiplied by a number prime to 10^9, which permutes the nine-digit tails.
inline std::string MakePhone(std::size_t index) {
  constexpr std::uint64_t kTails = 1'000'000'000;
  constexpr std::uint64_t kStride = 7919;
  constexpr std::array<std::string_view, 3> kPrefixes = {"13", "15", "18"};
  std::string tail = std::to_string((index * kStride + 12345) % kTails);
  std::string phone(kPrefixes[index % kPrefixes.size()]);
  phone.append(9 - tail.size(), '0');
  phone += tail;
  return phone;
}

// The same contacts as a vCard file and as a CSV file, each exactly as the other converts to.
struct Phonebook {
  std::string vcf;
  std::string csv;
};

inline Phonebook MakePhonebook(std::size_t contacts) {
  Random random(kSeed);
  Phonebook book;
  // About 145 and 24 bytes a contact; reserving avoids regrowing a buffer of a hundred megabytes.
  book.vcf.reserve(contacts * 150);
  book.csv.reserve(convert::CsvHeaderLine.size() + contacts * 26);
  book.csv += convert::CsvHeaderLine;
  for (std::size_t i = 0; i < contacts; ++i) {
    const text::Text name = MakeName(random);
    const std::string phone = MakePhone(i);
    book.vcf += convert::VcardBlockHead;
    book.vcf += text::EncodeQpName(name).View();
    book.vcf += convert::VcardTelPrefix;
    book.vcf += phone;
    book.vcf += convert::VcardBlockTail;
    // Neither names nor phones hold a double quote, so no field needs its quotes doubled.
    book.csv += '"';
    book.csv += name.View();
    book.csv += "\",\"";
    book.csv += phone;
    book.csv += "\"\r\n";
  }
  return book;
}

}  // namespace vcfcsv::bench
