#include "vcfcsv/text/file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "support/print.h"
#include "support/temp_dir.h"

namespace vcfcsv::text {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct EndCase {
  const char* name;
  std::string_view bytes;
  std::string_view text;
  std::int64_t unread;
};

TEST(ReadTextFileTest, TextEndsAtAnEndOfTextByte) {
  const EndCase cases[] = {
      {"0x1A",
       "a\x1A"
       "b",
       "a", 1},
      {"0x00", std::string_view("a\0b", 3), "a", 1},
      {"first byte and 0x00", std::string_view("a\xA1\0b", 4), "a", 1},
      {"0x1A as a second byte",
       "\xA1\x1A"
       "b",
       "\xA1\x1A"
       "b",
       0},
      {"DOS end-of-file byte at the end", "abc\x1A", "abc", 0},
      {"trailing lone first byte is kept", "ab\xA1", "ab\xA1", 0},
      {"CR LF and GBK untouched", "\xD5\xC5,1\r\n", "\xD5\xC5,1\r\n", 0},
      {"empty file", "", "", 0},
  };
  const TempDir dir;
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir / "in.txt", c.bytes);
    const ReadResult result = ReadTextFile(dir / "in.txt");
    ASSERT_TRUE(result) << result.Description();
    EXPECT_EQ(result.text, Text(c.text));
    EXPECT_EQ(result.unreadBytes, c.unread);
    EXPECT_EQ(result.fileSize, static_cast<std::int64_t>(c.bytes.size()));
  }
}

TEST(ReadTextFileTest, FailuresSayWhy) {
  const TempDir dir;
  fs::create_directory(dir / "folder");
  struct Case {
    fs::path path;
    ReadStatus status;
  } const cases[] = {
      {"", ReadStatus::kEmptyPath},
      {dir / "missing.csv", ReadStatus::kNotFound},
      {dir / "no-folder" / "missing.csv", ReadStatus::kNotFound},
      {dir / "folder", ReadStatus::kIsDirectory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const ReadResult result = ReadTextFile(c.path);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.status, c.status);
    EXPECT_FALSE(result.Description().empty());
  }
}

TEST(ReadTextFileTest, UnreadableFileIsPermissionDenied) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  const TempDir dir;
  WriteFile(dir / "secret.csv", "a,1\r\n");
  fs::permissions(dir / "secret.csv", fs::perms::none);
  EXPECT_EQ(ReadTextFile(dir / "secret.csv").status, ReadStatus::kPermissionDenied);
}

TEST(ReadTextFileTest, ReadsAPipeToItsEnd) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], "a,1\r\n", 5), 5);
  ::close(fds[1]);
  const ReadResult result = ReadTextFile("/dev/fd/" + std::to_string(fds[0]));
  ::close(fds[0]);
  ASSERT_TRUE(result) << result.Description();
  EXPECT_EQ(result.text.View(), "a,1\r\n");
}

TEST(WriteBytesFileTest, ReplacesTheWholeFile) {
  const TempDir dir;
  WriteFile(dir / "out.csv", "0123456789");
  ASSERT_TRUE(WriteBytesFile(dir / "out.csv", Bytes(std::string_view("ab"))));
  EXPECT_EQ(ReadFile(dir / "out.csv"), "ab");
  ASSERT_TRUE(WriteBytesFile(dir / "out.csv", Bytes()));
  EXPECT_EQ(fs::file_size(dir / "out.csv"), 0u);
  ASSERT_TRUE(WriteBytesFile(dir / "zero.bin", Bytes(std::string_view("a\0b", 3))));
  EXPECT_EQ(ReadFile(dir / "zero.bin"), std::string_view("a\0b", 3));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2)
      << "no temporary file is left behind";
}

TEST(WriteBytesFileTest, KeepsPermissionsAndFollowsLinks) {
  const TempDir dir;
  WriteFile(dir / "real.vcf", "old");
  fs::permissions(dir / "real.vcf",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.vcf", dir / "link.vcf");
  ASSERT_TRUE(WriteBytesFile(dir / "link.vcf", Bytes(std::string_view("new"))));
  EXPECT_TRUE(fs::is_symlink(dir / "link.vcf"));
  EXPECT_EQ(ReadFile(dir / "real.vcf"), "new");
  EXPECT_EQ(fs::status(dir / "real.vcf").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteBytesFileTest, FailuresSayWhyAndChangeNothing) {
  const TempDir dir;
  fs::create_directory(dir / "folder");
  struct Case {
    fs::path path;
    WriteStatus status;
  } const cases[] = {
      {"", WriteStatus::kEmptyPath},
      {dir / "no-folder" / "out.csv", WriteStatus::kFolderMissing},
      {dir / "folder", WriteStatus::kIsDirectory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const WriteResult result = WriteBytesFile(c.path, Bytes(std::string_view("x")));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.status, c.status);
    EXPECT_FALSE(result.Description().empty());
  }
  EXPECT_FALSE(fs::exists(dir / "no-folder"));
}

TEST(WriteBytesFileTest, FullDiskIsReported) {
  if (!fs::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full here";
  }
  const WriteResult result = WriteBytesFile("/dev/full", Bytes(std::string_view("ab")));
  EXPECT_EQ(result.status, WriteStatus::kDiskFull);
  EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written in place, never replaced";
}

TEST(WriteBytesFileTest, FailedWriteLeavesTheOldFileIntact) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes into any folder";
  }
  const TempDir dir;
  fs::create_directory(dir / "locked");
  WriteFile(dir / "locked" / "out.csv", "old contents");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const WriteResult result =
      WriteBytesFile(dir / "locked" / "out.csv", Bytes(std::string_view("new")));
  EXPECT_EQ(result.status, WriteStatus::kPermissionDenied);
  EXPECT_EQ(ReadFile(dir / "locked" / "out.csv"), "old contents");
}

TEST(WriteBytesFileTest, WriteThatRunsOutOfSpaceLeavesTheOldFileAndNoTemporary) {
  // A file-size limit binds root too, so this runs everywhere: the write fails part way through.
  const TempDir dir;
  WriteFile(dir / "keep.csv", "old contents");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const WriteResult result = WriteBytesFile(dir / "keep.csv", Bytes(std::string(100, 'n')));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result.status, WriteStatus::kDiskFull);
  EXPECT_EQ(ReadFile(dir / "keep.csv"), "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vcfcsv::text
