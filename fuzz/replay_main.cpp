// The main of a fuzz target in a build without libFuzzer (GCC): runs LLVMFuzzerTestOneInput once
// on every file named on the command line and on every file of every folder named there, so the
// saved corpus, crashes included, is replayed by an ordinary build under CTest.
//
// Arguments that begin with "-" are libFuzzer options and are ignored, so one command line serves
// both builds. A path that does not exist is an error: a replay that silently found nothing to run
// would pass while testing nothing, and so is finding no file at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> FilesOf(const std::filesystem::path& argument,
                                           std::error_code& error) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(argument, error)) {
    if (!error && std::filesystem::exists(argument, error)) {
      files.push_back(argument);
    } else if (!error) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
    }
    return files;
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(argument, error)) {
    if (entry.is_regular_file()) {
      files.push_back(entry.path());
    }
  }
  // Directory order is whatever the file system gives; a sorted order makes a failure repeatable.
  std::sort(files.begin(), files.end());
  return files;
}

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return false;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  // libFuzzer never passes a null pointer, not even for an empty input.
  static const std::uint8_t kEmpty = 0;
  const auto* data = bytes.empty() ? &kEmpty : reinterpret_cast<const std::uint8_t*>(bytes.data());
  LLVMFuzzerTestOneInput(data, bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t ran = 0;
  bool failed = false;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') {
      continue;
    }
    std::error_code error;
    const std::vector<std::filesystem::path> files = FilesOf(argv[i], error);
    if (error) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
      failed = true;
      continue;
    }
    for (const std::filesystem::path& file : files) {
      if (Replay(file)) {
        ++ran;
      } else {
        std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
        failed = true;
      }
    }
  }
  std::printf("replayed %zu inputs\n", ran);
  if (ran == 0) {
    std::fprintf(stderr, "no inputs to replay\n");
  }
  return failed || ran == 0 ? 1 : 0;
}
