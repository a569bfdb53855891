#include "vcfcsv/app/qt_dialogs.h"

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace vcfcsv::app {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "label (patterns)", the form Qt reads a name filter in; an empty pattern lists every file.
QString NameFilter(const FileType& type) {
  QString patterns = type.pattern.empty() ? QStringLiteral("*") : FromUtf8(type.pattern);
  patterns.replace(u';', u' ');
  return FromUtf8(type.label) + QStringLiteral(" (") + patterns + u')';
}

}  // namespace

QString ToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path ToPath(const QString& fileName) {
  return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  const bool save = request.mode == FileDialogMode::kSave;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Open dialogs take the name of a file that does not exist too: the read then says what is
  // wrong with it, naming the file.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && request.promptToOverwrite));
  // Qt's dialogs have no read-only check box, so there is none to hide.
  if (!request.title.empty()) {
    dialog.setWindowTitle(FromUtf8(request.title));
  }
  QStringList filters;
  for (const FileType& type : request.fileTypes) {
    filters << NameFilter(type);
  }
  dialog.setNameFilters(filters);
  if (request.selectedType && *request.selectedType < static_cast<std::size_t>(filters.size())) {
    dialog.selectNameFilter(filters[static_cast<qsizetype>(*request.selectedType)]);
  }
  dialog.setDefaultSuffix(FromUtf8(request.defaultExtension));
  if (!request.initialFolder.empty()) {
    dialog.setDirectory(ToQString(request.initialFolder));
  }
  if (!request.fileName.empty()) {
    dialog.selectFile(ToQString(request.fileName));
  }
}

std::optional<std::filesystem::path> QtDialogRunner::RunFileDialog(
    const FileDialogRequest& request) {
  QFileDialog dialog(owner_);
  ConfigureFileDialog(dialog, request);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) {
    return std::nullopt;
  }
  return ToPath(files.first());
}

std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, std::string_view detail) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, FromUtf8(kMessageTitle),
                                           FromUtf8(text), QMessageBox::Ok);
  box->setWindowModality(Qt::ApplicationModal);
  box->setInformativeText(FromUtf8(detail));
  return box;
}

void QtDialogRunner::ShowMessage(std::string_view text, std::string_view detail) {
  MakeMessageBox(text, detail)->exec();
}

}  // namespace vcfcsv::app
