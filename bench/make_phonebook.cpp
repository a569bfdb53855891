// make_phonebook CONTACTS VCF CSV: writes the same generated contacts as a vCard file and as the
// CSV file it converts to, for timing the whole vcfcsv program on files (bench/whole_process.sh).
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <utility>

#include "phonebook.h"
#include "vcfcsv/text/file.h"

namespace {

bool Write(const char* path, std::string&& bytes) {
  const vcfcsv::text::WriteResult written =
      vcfcsv::text::WriteBytesFile(path, vcfcsv::text::Bytes(std::move(bytes)));
  if (!written) {
    std::fprintf(stderr, "make_phonebook: %s: %s\n", path, written.Description().c_str());
  }
  return static_cast<bool>(written);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_phonebook CONTACTS VCF CSV\n");
    return 2;
  }
  const std::string_view count(argv[1]);
  std::size_t contacts = 0;
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), contacts);
  if (error != std::errc() || end != count.data() + count.size()) {
    std::fprintf(stderr, "make_phonebook: not a number of contacts: %s\n", argv[1]);
    return 2;
  }
  vcfcsv::bench::Phonebook book = vcfcsv::bench::MakePhonebook(contacts);
  const bool ok = Write(argv[2], std::move(book.vcf)) && Write(argv[3], std::move(book.csv));
  return ok ? 0 : 1;
}
