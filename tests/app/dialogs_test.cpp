#include "vcfcsv/app/dialogs.h"

#include <gtest/gtest.h>

#include "app/scripted_dialogs.h"

namespace vcfcsv::app {
namespace {

using testing::ScriptedDialogs;

struct FilterCase {
  const char* filterText;
  std::vector<FileType> types;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << '"' << c.filterText << '"';
}

class ParseFilterTextTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ParseFilterTextTest, GivesTheEntriesInOrder) {
  EXPECT_EQ(ParseFilterText(GetParam().filterText), GetParam().types);
}

INSTANTIATE_TEST_SUITE_P(FilterTexts, ParseFilterTextTest,
                         ::testing::Values(FilterCase{"vcf", {{"vcf", ""}}},
                                           FilterCase{"csv \t\r\n", {{"csv", ""}}},
                                           FilterCase{"", {}}, FilterCase{"  ", {}},
                                           FilterCase{"Text|*.txt;*.log|All|*.*",
                                                      {{"Text", "*.txt;*.log"}, {"All", "*.*"}}},
                                           FilterCase{"Text|*.txt||All|*.*", {{"Text", "*.txt"}}},
                                           FilterCase{"Text|*.txt|", {{"Text", "*.txt"}}},
                                           FilterCase{"A|*.a|B", {{"A", "*.a"}, {"B", ""}}},
                                           FilterCase{"|*.a|B|*.b", {}}));

TEST(SelectedFileTypeTest, CountsFromZeroAndFallsBackToTheFirst) {
  struct {
    int initialFilter;
    std::size_t count;
    std::optional<std::size_t> selected;
  } const cases[] = {{0, 2, 0}, {1, 2, 1}, {-1, 2, 0}, {2, 2, 0}, {0, 0, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "initial filter " << c.initialFilter << " of " << c.count);
    EXPECT_EQ(SelectedFileType(c.initialFilter, c.count), c.selected);
  }
}

TEST(FileDialogTest, OpensWithItsSettings) {
  ScriptedDialogs dialogs;
  FileDialogSettings settings;
  settings.mode = FileDialogMode::kSave;
  settings.title = "导出";
  settings.filterText = "Text|*.txt|All|";
  settings.initialFilter = 1;
  settings.initialFolder = "/srv/books";
  settings.defaultExtension = "txt";
  settings.promptToOverwrite = true;
  FileDialog dialog(dialogs, settings);
  dialogs.Answer(std::nullopt);

  dialog.Show();

  ASSERT_EQ(dialogs.requests.size(), 1u);
  const FileDialogRequest& request = dialogs.requests[0];
  EXPECT_EQ(request.mode, FileDialogMode::kSave);
  EXPECT_EQ(request.title, "导出");
  EXPECT_EQ(request.fileTypes, (std::vector<FileType>{{"Text", "*.txt"}, {"All", ""}}));
  EXPECT_EQ(request.selectedType, 1u);
  EXPECT_EQ(request.initialFolder, "/srv/books");
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_TRUE(request.promptToOverwrite);
}

TEST(FileDialogTest, KeepsTheLastAcceptedPathAndOpensWithIt) {
  ScriptedDialogs dialogs;
  FileDialog dialog(dialogs, {});
  const std::filesystem::path book = "/home/li/通讯录.vcf";

  dialogs.Answer(std::nullopt);
  EXPECT_FALSE(dialog.Show());
  EXPECT_TRUE(dialog.FileName().empty());

  dialogs.Answer(book);
  EXPECT_TRUE(dialog.Show());
  EXPECT_EQ(dialog.FileName(), book);

  dialogs.Answer(std::nullopt);
  EXPECT_FALSE(dialog.Show());
  EXPECT_EQ(dialog.FileName(), book);

  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_TRUE(dialogs.requests[0].fileName.empty());
  EXPECT_TRUE(dialogs.requests[1].fileName.empty());
  EXPECT_EQ(dialogs.requests[2].fileName, book);
}

}  // namespace
}  // namespace vcfcsv::app
