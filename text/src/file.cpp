#include "vcfcsv/text/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <system_error>

#include "vcfcsv/text/scan.h"

namespace vcfcsv::text {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kMaxFileSize = std::numeric_limits<std::int32_t>::max();

// Closes a descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int Get() const noexcept { return fd_; }
  // Closes now and reports the result: on some file systems a deferred write error shows up here.
  int Close() noexcept {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

ReadResult ReadFailure(ReadStatus status, int errorNumber = 0) {
  ReadResult result;
  result.status = status;
  result.errorNumber = errorNumber;
  return result;
}

ReadStatus ReadStatusOf(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return ReadStatus::kNotFound;
    case EACCES:
    case EPERM:
      return ReadStatus::kPermissionDenied;
    case EISDIR:
      return ReadStatus::kIsDirectory;
    case ENOMEM:
      return ReadStatus::kOutOfMemory;
    case EFBIG:
    case EOVERFLOW:
      return ReadStatus::kTooLarge;
    default:
      return ReadStatus::kReadError;
  }
}

// Reads up to `limit` bytes into `out`, retrying short reads; returns 0 or the errno of a failure.
int ReadAll(int fd, std::string& out, std::int64_t limit, bool& overLimit) {
  std::array<char, 1 << 16> chunk{};
  overLimit = false;
  for (;;) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (got == 0) {
      return 0;
    }
    if (static_cast<std::int64_t>(out.size()) + got > limit) {
      overLimit = true;
      return 0;
    }
    out.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

int ReadExactly(int fd, char* data, std::size_t size, std::size_t& done) {
  done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, data + done, size - done);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (got == 0) {
      break;  // the file shrank while it was read: keep what was there
    }
    done += static_cast<std::size_t>(got);
  }
  return 0;
}

WriteResult WriteFailure(WriteStatus status, int errorNumber) {
  return WriteResult{status, errorNumber};
}

WriteStatus WriteStatusOf(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return WriteStatus::kFolderMissing;
    case EACCES:
    case EPERM:
    case EROFS:
      return WriteStatus::kPermissionDenied;
    case EISDIR:
      return WriteStatus::kIsDirectory;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return WriteStatus::kDiskFull;
    default:
      return WriteStatus::kWriteError;
  }
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

// Follows symbolic links to the file that a write must replace; a dangling link names the file
// that the write creates. Gives up after as many hops as the kernel allows (ELOOP).
fs::path ResolveLinks(const fs::path& path, int& errorNumber) {
  fs::path target = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) {
      return target;
    }
    const fs::path link = fs::read_symlink(target, error);
    if (error) {
      errorNumber = error.value();
      return {};
    }
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  errorNumber = ELOOP;
  return {};
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

WriteResult WriteInPlace(const fs::path& target, std::string_view data) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (fd.Get() < 0) {
    return WriteFailure(WriteStatusOf(errno), errno);
  }
  if (const int error = WriteAll(fd.Get(), data); error != 0) {
    return WriteFailure(WriteStatusOf(error), error);
  }
  if (fd.Close() != 0) {
    return WriteFailure(WriteStatusOf(errno), errno);
  }
  return {};
}

WriteResult ReplaceFile(const fs::path& target, const struct stat* existing,
                        std::string_view data) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  // ".name.XXXXXX" beside the target; appended piece by piece, which also keeps GCC 12's -O3
  // -Wrestrict false alarm on string concatenation quiet.
  std::string hidden(".");
  hidden.append(target.filename().string()).append(".XXXXXX");
  std::string pattern = (folder / hidden).string();
  FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (fd.Get() < 0) {
    return WriteFailure(WriteStatusOf(errno), errno);
  }
  const fs::path temporary = pattern;
  auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    return WriteFailure(WriteStatusOf(error), error);
  };
  const mode_t mode = existing != nullptr ? (existing->st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(fd.Get(), mode) != 0) {
    return fail(errno);
  }
  if (const int error = WriteAll(fd.Get(), data); error != 0) {
    return fail(error);
  }
  if (::fsync(fd.Get()) != 0) {
    return fail(errno);
  }
  if (fd.Close() != 0) {
    return fail(errno);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    return fail(errno);
  }
  // Make the rename itself durable; a folder that cannot be synced does not undo the write.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

// "the file could not be read (Input/output error)": the words, and the system's own when known.
std::string WithSystemReason(std::string words, int errorNumber) {
  if (errorNumber != 0) {
    words += " (";
    words += std::strerror(errorNumber);
    words += ")";
  }
  return words;
}

}  // namespace

ReadResult ReadTextFile(const fs::path& path) {
  if (path.empty()) {
    return ReadFailure(ReadStatus::kEmptyPath);
  }
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    return ReadFailure(ReadStatusOf(errno), errno);
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    return ReadFailure(ReadStatusOf(errno), errno);
  }
  if (S_ISDIR(info.st_mode)) {
    return ReadFailure(ReadStatus::kIsDirectory, EISDIR);
  }

  std::string bytes;
  try {
    if (S_ISREG(info.st_mode)) {
      if (info.st_size > kMaxFileSize) {
        return ReadFailure(ReadStatus::kTooLarge, EFBIG);
      }
      bytes.resize(static_cast<std::size_t>(info.st_size));
      std::size_t done = 0;
      if (const int error = ReadExactly(fd.Get(), bytes.data(), bytes.size(), done); error != 0) {
        return ReadFailure(ReadStatusOf(error), error);
      }
      bytes.resize(done);
    } else {
      bool overLimit = false;
      if (const int error = ReadAll(fd.Get(), bytes, kMaxFileSize, overLimit); error != 0) {
        return ReadFailure(ReadStatusOf(error), error);
      }
      if (overLimit) {
        return ReadFailure(ReadStatus::kTooLarge, EFBIG);
      }
    }
  } catch (const std::bad_alloc&) {
    return ReadFailure(ReadStatus::kOutOfMemory, ENOMEM);
  }

  const TextEnd end = FindTextEnd(bytes);
  ReadResult result;
  result.fileSize = static_cast<std::int64_t>(bytes.size());
  result.textEnd = static_cast<std::int64_t>(end.end);
  result.unreadBytes = end.markerLength == 0
                           ? 0
                           : static_cast<std::int64_t>(bytes.size() - end.end - end.markerLength);
  bytes.resize(end.end);
  result.text = Text(std::move(bytes));
  return result;
}

WriteResult WriteBytesFile(const fs::path& path, const Bytes& data) {
  return WriteBytesFile(path, data.View());
}

WriteResult WriteBytesFile(const fs::path& path, std::string_view data) {
  if (path.empty()) {
    return WriteFailure(WriteStatus::kEmptyPath, 0);
  }
  // stat() follows every link, the kernel's own /dev/stdout -> /proc/self/fd/1 -> pipe:[..] too,
  // which no path of ours could name: devices and pipes are therefore opened by the given path.
  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) {
    return WriteFailure(WriteStatusOf(errno), errno);
  }
  if (exists && S_ISDIR(info.st_mode)) {
    return WriteFailure(WriteStatus::kIsDirectory, EISDIR);
  }
  if (exists && !S_ISREG(info.st_mode)) {
    return WriteInPlace(path, data);
  }
  int linkError = 0;
  const fs::path target = ResolveLinks(path, linkError);
  if (target.empty()) {
    return WriteFailure(WriteStatusOf(linkError), linkError);
  }
  return ReplaceFile(target, exists ? &info : nullptr, data);
}

WriteResult WriteStandardOutput(std::string_view data) {
  if (const int error = WriteAll(STDOUT_FILENO, data); error != 0) {
    return WriteFailure(WriteStatusOf(error), error);
  }
  return {};
}

std::string ReadResult::Description() const {
  switch (status) {
    case ReadStatus::kOk:
      return "no error";
    case ReadStatus::kEmptyPath:
      return "no file name was given";
    case ReadStatus::kNotFound:
      return "no such file";
    case ReadStatus::kIsDirectory:
      return "it is a folder, not a file";
    case ReadStatus::kPermissionDenied:
      return "permission denied";
    case ReadStatus::kTooLarge:
      return "the file is larger than 2 GiB";
    case ReadStatus::kOutOfMemory:
      return "not enough memory to read the file";
    case ReadStatus::kReadError:
      break;
  }
  return WithSystemReason("the file could not be read", errorNumber);
}

std::string WriteResult::Description() const {
  switch (status) {
    case WriteStatus::kOk:
      return "no error";
    case WriteStatus::kEmptyPath:
      return "no file name was given";
    case WriteStatus::kFolderMissing:
      return "the folder does not exist";
    case WriteStatus::kIsDirectory:
      return "it is a folder, not a file";
    case WriteStatus::kPermissionDenied:
      return "permission denied";
    case WriteStatus::kDiskFull:
      return "the disk is full";
    case WriteStatus::kWriteError:
      break;
  }
  return WithSystemReason("the file could not be written", errorNumber);
}

}  // namespace vcfcsv::text
