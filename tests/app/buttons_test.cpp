// A click on either button, with the dialogs answered from a script: what is written and what the
// user is told, on success, on cancel and on failure.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <utility>

#include "app/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "vcfcsv/app/conversion_dialogs.h"
#include "vcfcsv/app/main_window.h"

namespace vcfcsv::app {
namespace {

using testing::Message;
using testing::ReadFile;
using testing::ScriptedDialogs;
using testing::WriteFile;

const std::filesystem::path kData = VCFCSV_TEST_DATA;

struct ButtonCase {
  const char* button;
  const char* input;   // fixture it converts
  const char* output;  // fixture holding what it must write
  const char* inputExtension;
  const char* outputExtension;
  bool asksBeforeOverwrite;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
  *os << c.button << ' ' << c.input;
}

class ButtonTest : public ::testing::TestWithParam<ButtonCase> {
 protected:
  void SetUp() override { window_.show(); }

  void Click(const char* button) {
    QPushButton* target = window_.findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(target, nullptr) << button;
    QTest::mouseClick(target, Qt::LeftButton);
  }
  void Click() { Click(GetParam().button); }
  void ConvertOnce() {
    dialogs_.Answer(Input());
    dialogs_.Answer(Output());
    Click();
  }

  std::filesystem::path Input() const { return kData / GetParam().input; }
  std::filesystem::path Output() const {
    return temp_ / (std::string("out.") + GetParam().outputExtension);
  }
  bool NothingWritten() const { return std::filesystem::is_empty(temp_.Path()); }

  testing::TempDir temp_;
  ScriptedDialogs dialogs_;
  MainWindow window_{&dialogs_};
};

TEST_P(ButtonTest, WritesTheConversionAndSaysDone) {
  ConvertOnce();

  EXPECT_EQ(ReadFile(Output()), ReadFile(kData / GetParam().output));
  EXPECT_EQ(dialogs_.messages, (std::vector<Message>{{"搞定!", "已转换 2 个联系人。"}}));
}

TEST_P(ButtonTest, AsksForInputThenOutputWithEachDialogsSettings) {
  ConvertOnce();

  ASSERT_EQ(dialogs_.requests.size(), 2u);
  const FileDialogRequest& open = dialogs_.requests[0];
  EXPECT_EQ(open.mode, FileDialogMode::kOpen);
  EXPECT_EQ(open.fileTypes, (std::vector<FileType>{{GetParam().inputExtension, ""}}));
  EXPECT_EQ(open.selectedType, 0u);
  EXPECT_EQ(open.defaultExtension, GetParam().inputExtension);
  const FileDialogRequest& save = dialogs_.requests[1];
  EXPECT_EQ(save.mode, FileDialogMode::kSave);
  EXPECT_EQ(save.fileTypes, (std::vector<FileType>{{GetParam().outputExtension, ""}}));
  EXPECT_EQ(save.selectedType, 0u);
  EXPECT_EQ(save.defaultExtension, GetParam().outputExtension);
  EXPECT_EQ(save.promptToOverwrite, GetParam().asksBeforeOverwrite);
  for (const FileDialogRequest& request : dialogs_.requests) {
    EXPECT_TRUE(request.title.empty());
    EXPECT_TRUE(request.initialFolder.empty());
  }
}

TEST_P(ButtonTest, CancelledOpenDialogEndsTheConversion) {
  dialogs_.Answer(std::nullopt);
  Click();

  EXPECT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(NothingWritten());
}

TEST_P(ButtonTest, CancelledSaveDialogLeavesTheLastOutputAlone) {
  ConvertOnce();
  WriteFile(Output(), "earlier");

  dialogs_.Answer(Input());
  dialogs_.Answer(std::nullopt);
  Click();

  EXPECT_EQ(ReadFile(Output()), "earlier");
  EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_P(ButtonTest, EachDialogOpensWithItsOwnLastPath) {
  ConvertOnce();
  ConvertOnce();
  dialogs_.Answer(std::nullopt);
  Click(GetParam().button == std::string("按钮1") ? "按钮2" : "按钮1");

  ASSERT_EQ(dialogs_.requests.size(), 5u);
  EXPECT_TRUE(dialogs_.requests[0].fileName.empty());
  EXPECT_TRUE(dialogs_.requests[1].fileName.empty());
  EXPECT_EQ(dialogs_.requests[2].fileName, Input());
  EXPECT_EQ(dialogs_.requests[3].fileName, Output());
  EXPECT_TRUE(dialogs_.requests[4].fileName.empty()) << "the other button's open dialog";
}

TEST_P(ButtonTest, MissingInputIsReportedAndNoSaveDialogFollows) {
  const std::filesystem::path missing = temp_ / "不在.txt";
  dialogs_.Answer(missing);
  Click();

  EXPECT_EQ(dialogs_.requests.size(), 1u);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_NE(dialogs_.messages[0].text.find(missing.string()), std::string::npos)
      << dialogs_.messages[0];
  EXPECT_EQ(dialogs_.messages[0].detail, "文件或它所在的文件夹不存在。");
  EXPECT_TRUE(NothingWritten());
}

TEST_P(ButtonTest, UnwritableOutputIsReportedNotDone) {
  const std::filesystem::path unwritable = temp_ / "no-such-folder" / "out";
  dialogs_.Answer(Input());
  dialogs_.Answer(unwritable);
  Click();

  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_NE(dialogs_.messages[0].text, kDoneText);
  EXPECT_NE(dialogs_.messages[0].text.find(unwritable.string()), std::string::npos)
      << dialogs_.messages[0];
  EXPECT_TRUE(dialogs_.messages[0].detail.starts_with("文件所在的文件夹不存在。"))
      << dialogs_.messages[0];
  EXPECT_TRUE(NothingWritten());
}

TEST_P(ButtonTest, EmptyInputConvertsToAnEmptyPhoneBook) {
  const std::filesystem::path empty = temp_ / "empty";
  WriteFile(empty, "");
  dialogs_.Answer(empty);
  dialogs_.Answer(Output());
  Click();

  EXPECT_TRUE(std::filesystem::exists(Output()));
  EXPECT_EQ(dialogs_.messages, (std::vector<Message>{{"搞定!", "已转换 0 个联系人。"}}));
}

INSTANTIATE_TEST_SUITE_P(
    BothButtons, ButtonTest,
    ::testing::Values(ButtonCase{"按钮1", "worked.vcf", "worked.csv", "vcf", "csv", true},
                      ButtonCase{"按钮2", "worked.csv", "worked.vcf", "csv", "vcf", false}),
    [](const ::testing::TestParamInfo<ButtonCase>& param) {
      return param.index == 0 ? "VcfToCsv" : "CsvToVcf";
    });

convert::Summary Summarised(std::int64_t contacts, std::int64_t duplicates,
                            std::int64_t skippedLines, std::vector<std::int64_t> firstSkippedLines,
                            std::int64_t unreadBytes) {
  convert::Summary summary;
  summary.contacts = contacts;
  summary.duplicates = duplicates;
  summary.skippedLines = skippedLines;
  summary.firstSkippedLines = std::move(firstSkippedLines);
  summary.unreadBytes = unreadBytes;
  return summary;
}

TEST(SummaryTextTest, SaysWhatTheConversionDid) {
  struct {
    convert::Summary summary;
    const char* text;
  } const cases[] = {
      {Summarised(1, 0, 0, {}, 0), "已转换 1 个联系人。"},
      {Summarised(3, 2, 0, {}, 0), "已转换 3 个联系人。\n去掉了 2 个重复的联系人。"},
      {Summarised(0, 0, 2, {4, 9}, 0),
       "已转换 0 个联系人。\n跳过了 2 行无法识别的内容（第 4、9 行）。"},
      {Summarised(5, 0, 7, {1, 2, 3, 5, 8}, 0),
       "已转换 5 个联系人。\n跳过了 7 行无法识别的内容（第 1、2、3、5、8 行等）。"},
      {Summarised(2, 1, 1, {3}, 12),
       "已转换 2 个联系人。\n去掉了 1 个重复的联系人。\n跳过了 1 行无法识别的内容（第 3 "
       "行）。\n文件结束符之后的 12 个字节没有读取。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SummaryText(c.summary), c.text);
  }
}

}  // namespace
}  // namespace vcfcsv::app
