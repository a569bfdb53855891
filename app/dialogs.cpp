#include "vcfcsv/app/dialogs.h"

#include <utility>

namespace vcfcsv::app {

std::vector<FileType> ParseFilterText(std::string_view filterText) {
  std::string text(filterText.substr(0, filterText.find_last_not_of(" \t\r\n\v\f") + 1));
  // The closing "||" makes every label's pattern present, if only empty, and ends the list.
  if (!text.empty() && !text.ends_with("||")) {
    text += "||";
  }
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t bar = text.find('|', start);
    pieces.push_back(text.substr(start, bar - start));
    if (bar == std::string::npos) {
      break;
    }
    start = bar + 1;
  }
  std::vector<FileType> types;
  for (std::size_t i = 0; i + 1 < pieces.size() && !pieces[i].empty(); i += 2) {
    types.push_back({pieces[i], pieces[i + 1]});
  }
  return types;
}

std::optional<std::size_t> SelectedFileType(int initialFilter, std::size_t typeCount) {
  if (typeCount == 0) {
    return std::nullopt;
  }
  if (initialFilter < 0 || static_cast<std::size_t>(initialFilter) >= typeCount) {
    return 0;
  }
  return static_cast<std::size_t>(initialFilter);
}

FileDialog::FileDialog(DialogRunner& runner, FileDialogSettings settings)
    : runner_(runner), settings_(std::move(settings)) {}

bool FileDialog::Show() {
  FileDialogRequest request{
      .mode = settings_.mode,
      .title = settings_.title,
      .fileTypes = ParseFilterText(settings_.filterText),
      .selectedType = std::nullopt,
      .initialFolder = settings_.initialFolder,
      .fileName = fileName_,
      .defaultExtension = settings_.defaultExtension,
      .promptToOverwrite = settings_.promptToOverwrite,
  };
  request.selectedType = SelectedFileType(settings_.initialFilter, request.fileTypes.size());
  std::optional<std::filesystem::path> accepted = runner_.RunFileDialog(request);
  if (!accepted || accepted->empty()) {
    return false;
  }
  fileName_ = std::move(*accepted);
  return true;
}

}  // namespace vcfcsv::app
