// Reading a file whole as Text, and writing Bytes to a file without ever destroying the old one.
//
// Both return a result in place of throwing: test it with `if (result)`, and turn it into words
// with Description() or from its status.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "vcfcsv/text/text.h"

namespace vcfcsv::text {

enum class ReadStatus {
  kOk,
  kEmptyPath,
  kNotFound,  // no such file, or a folder on the way is missing
  kIsDirectory,
  kPermissionDenied,
  kTooLarge,  // more than INT32_MAX bytes
  kOutOfMemory,
  kReadError,
};

struct ReadResult {
  ReadStatus status = ReadStatus::kOk;
  int errorNumber = 0;  // errno of the failing call, 0 when there is none
  Text text;            // the file's text; empty on failure
  // The text ends before the first 0x00 or 0x1A found at a character start, or before a first
  // byte whose next byte is 0x00. `textEnd` is the byte offset of that end (the file size when
  // nothing ended it), `unreadBytes` the number of bytes after the end marker (1 byte for 0x00 or
  // 0x1A, 2 for a first byte with its 0x00): a lone DOS end-of-file byte leaves 0 unread.
  std::int64_t fileSize = 0;
  std::int64_t textEnd = 0;
  std::int64_t unreadBytes = 0;

  explicit operator bool() const noexcept { return status == ReadStatus::kOk; }
  std::string Description() const;
};

// Regular files are read in one piece by their length; pipes and devices (/dev/stdin) to their
// end. No line ends are translated and a byte-order mark is not looked at.
ReadResult ReadTextFile(const std::filesystem::path& path);

enum class WriteStatus {
  kOk,
  kEmptyPath,
  kFolderMissing,
  kIsDirectory,
  kPermissionDenied,  // the folder or the file may not be written
  kDiskFull,
  kWriteError,
};

struct WriteResult {
  WriteStatus status = WriteStatus::kOk;
  int errorNumber = 0;

  explicit operator bool() const noexcept { return status == WriteStatus::kOk; }
  std::string Description() const;
};

// A regular file (or one that does not exist yet) is replaced as a whole: the bytes go into a new
// temporary file in the same folder, which is flushed to disk and renamed over the target. On any
// failure the target is left exactly as it was and no temporary file remains. An existing target
// keeps its permission bits; a symbolic link is followed and the file it names is replaced. A
// target that exists and is not a regular file (a device such as /dev/stdout, a pipe) is written in
// place.
WriteResult WriteBytesFile(const std::filesystem::path& path, const Bytes& data);
// The same for bytes held elsewhere, so that a large Text is written without a copy.
WriteResult WriteBytesFile(const std::filesystem::path& path, std::string_view data);

// Writes to the standard output as it was opened, never through a path: a shell's `>> file` then
// appends, where a path to /dev/stdout would lead to the file and replace it whole.
WriteResult WriteStandardOutput(std::string_view data);

}  // namespace vcfcsv::text
