// The file dialogs and the message box, as the conversions see them: plain settings and paths, no
// Qt. A DialogRunner puts them on the screen; the window's is QtDialogRunner, and the tests bring
// one that answers from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vcfcsv::app {

enum class FileDialogMode { kOpen, kSave };

// One entry of a dialog's file-type list. An empty pattern lists every file.
struct FileType {
  std::string label;
  std::string pattern;  // "*.txt;*.doc" style, ";" between patterns

  friend bool operator==(const FileType&, const FileType&) = default;
};

// Everything a dialog needs to open: a FileDialog's settings with its list parsed, and its last
// accepted path to pre-fill. Texts are UTF-8.
struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::kOpen;
  std::string title;  // empty: the toolkit's own "Open" or "Save As"
  std::vector<FileType> fileTypes;
  std::optional<std::size_t> selectedType;  // index into fileTypes; none when the list is empty
  std::filesystem::path initialFolder;      // empty: the toolkit's choice
  std::filesystem::path fileName;           // pre-filled when not empty
  std::string defaultExtension;             // without the dot; appended to a name that has none
  bool promptToOverwrite = false;           // save mode: ask before an existing file is replaced
};

class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // Runs the dialog modally: the full path the user accepted, or nothing when the dialog was
  // cancelled, closed or failed.
  virtual std::optional<std::filesystem::path> RunFileDialog(const FileDialogRequest& request) = 0;
  // The program's message box, titled "信息：" with an OK button; `detail` is secondary text
  // under `text` and may be empty. Returns when the user has dismissed it.
  virtual void ShowMessage(std::string_view text, std::string_view detail) = 0;
};

// "label|pattern|label|pattern": the list ends at the first empty label, and a last label
// without a pattern gets the empty one, so "vcf" is one entry listing every file.
std::vector<FileType> ParseFilterText(std::string_view filterText);

// The entry selected when a dialog opens, from a 0-based initial filter: the first entry when it
// is negative or past the end of the list.
std::optional<std::size_t> SelectedFileType(int initialFilter, std::size_t typeCount);

struct FileDialogSettings {
  FileDialogMode mode = FileDialogMode::kOpen;
  std::string title;
  std::string filterText;
  int initialFilter = 0;
  std::filesystem::path initialFolder;
  std::string defaultExtension;
  bool promptToOverwrite = false;
};

// A dialog with fixed settings that remembers the path it last accepted, for as long as it lives.
class FileDialog {
 public:
  FileDialog(DialogRunner& runner, FileDialogSettings settings);

  // Opens the dialog with FileName pre-filled. True when the user accepted a file: FileName is
  // then its full path. False otherwise, and FileName keeps what it was.
  bool Show();
  // The full path last accepted; empty while none has been.
  const std::filesystem::path& FileName() const noexcept { return fileName_; }

 private:
  DialogRunner& runner_;
  FileDialogSettings settings_;
  std::filesystem::path fileName_;
};

}  // namespace vcfcsv::app
