// The dialogs on the screen: QFileDialog and QMessageBox behind DialogRunner.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>

#include "vcfcsv/app/dialogs.h"

class QFileDialog;
class QMessageBox;
class QWidget;

namespace vcfcsv::app {

inline constexpr std::string_view kMessageTitle = "信息：";

class QtDialogRunner final : public DialogRunner {
 public:
  // File dialogs are owned by `owner`, which they disable while they are up; the message box has
  // no owner and blocks every window of the program.
  explicit QtDialogRunner(QWidget* owner) : owner_(owner) {}

  std::optional<std::filesystem::path> RunFileDialog(const FileDialogRequest& request) override;
  void ShowMessage(std::string_view text, std::string_view detail) override;

 private:
  QWidget* owner_;
};

// Puts a request's settings on a dialog, the pre-filled name included.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// The message box ShowMessage runs, ready to exec().
std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, std::string_view detail);

// File names between Qt and the standard library, in Qt's file-name encoding.
QString ToQString(const std::filesystem::path& path);
std::filesystem::path ToPath(const QString& fileName);

}  // namespace vcfcsv::app
