// The requests on real Qt dialogs: what a QFileDialog is set up with, one save dialog driven
// through typing a name and confirming the overwrite, and the message box.
#include "vcfcsv/app/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "support/temp_dir.h"

namespace vcfcsv::app {
namespace {

FileDialogRequest Request(FileDialogMode mode, const char* extension, bool promptToOverwrite) {
  FileDialogRequest request;
  request.mode = mode;
  request.fileTypes = {{extension, ""}};
  request.selectedType = 0;
  request.defaultExtension = extension;
  request.promptToOverwrite = promptToOverwrite;
  return request;
}

TEST(ConfigureFileDialogTest, SetsModeFilterExtensionAndOverwriteQuestion) {
  struct {
    const char* name;
    FileDialogRequest request;
    QFileDialog::AcceptMode acceptMode;
    const char* filter;
    bool confirmsOverwrite;
  } const cases[] = {
      {"open vcf", Request(FileDialogMode::kOpen, "vcf", false), QFileDialog::AcceptOpen, "vcf (*)",
       false},
      {"save csv, asking", Request(FileDialogMode::kSave, "csv", true), QFileDialog::AcceptSave,
       "csv (*)", true},
      {"save vcf, not asking", Request(FileDialogMode::kSave, "vcf", false),
       QFileDialog::AcceptSave, "vcf (*)", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFileDialog dialog;
    ConfigureFileDialog(dialog, c.request);

    EXPECT_EQ(dialog.acceptMode(), c.acceptMode);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile) << "a name of a missing file is taken";
    EXPECT_EQ(dialog.nameFilters(), QStringList{QString::fromUtf8(c.filter)});
    EXPECT_EQ(dialog.selectedNameFilter(), QString::fromUtf8(c.filter));
    EXPECT_EQ(dialog.defaultSuffix(), QString::fromUtf8(c.request.defaultExtension.c_str()));
    EXPECT_EQ(!dialog.testOption(QFileDialog::DontConfirmOverwrite), c.confirmsOverwrite);
    EXPECT_FALSE(dialog.windowTitle().isEmpty()) << "Qt's own title stays";
  }
}

TEST(ConfigureFileDialogTest, ListsPatternsSelectsTheEntryAndPreFillsTheName) {
  testing::TempDir temp;
  FileDialogRequest request = Request(FileDialogMode::kSave, "txt", false);
  request.title = "导出";
  request.fileTypes = {{"Text", "*.txt;*.log"}, {"All", ""}};
  request.selectedType = 1;
  request.fileName = temp / "通讯录.txt";
  QFileDialog dialog;
  ConfigureFileDialog(dialog, request);

  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("导出"));
  EXPECT_EQ(dialog.nameFilters(), (QStringList{"Text (*.txt *.log)", "All (*)"}));
  EXPECT_EQ(dialog.selectedNameFilter(), "All (*)");
  EXPECT_EQ(dialog.directory().absolutePath(), ToQString(temp.Path()));
  EXPECT_EQ(dialog.selectedFiles(), QStringList{ToQString(request.fileName)});
}

TEST(QtDialogRunnerTest, SaveDialogAddsTheExtensionAndAsksBeforeReplacing) {
  testing::TempDir temp;
  testing::WriteFile(temp / "book.csv", "earlier");
  FileDialogRequest request = Request(FileDialogMode::kSave, "csv", true);
  request.initialFolder = temp.Path();

  QString question;
  // Runs inside the dialog's own loop: types a name without an extension and presses Save, then
  // answers Yes to whatever asks next.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* name = dialog != nullptr ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
    if (name == nullptr) {
      ADD_FAILURE() << "no file dialog with a name field is up";
      QCoreApplication::exit(1);
      return;
    }
    name->setText(QStringLiteral("book"));
    QTimer::singleShot(0, dialog, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        question = box->text();
        box->button(QMessageBox::Yes)->click();
      }
    });
    static_cast<QDialog*>(dialog)->accept();  // what Save does; QFileDialog hides its override
  });
  QtDialogRunner runner(nullptr);
  const std::optional<std::filesystem::path> accepted = runner.RunFileDialog(request);

  EXPECT_TRUE(question.contains(QStringLiteral("book.csv"))) << question.toStdString();
  EXPECT_EQ(accepted, temp / "book.csv");
}

TEST(MessageBoxTest, IsTitledInformationWithTheTextsAndOnlyOk) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox("搞定!", "已转换 2 个联系人。");

  EXPECT_EQ(box->windowTitle(), QString::fromUtf8("信息："));
  EXPECT_EQ(box->text(), QString::fromUtf8("搞定!"));
  EXPECT_EQ(box->informativeText(), QString::fromUtf8("已转换 2 个联系人。"));
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(box->parentWidget(), nullptr);
}

}  // namespace
}  // namespace vcfcsv::app
