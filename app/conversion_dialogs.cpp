#include "vcfcsv/app/conversion_dialogs.h"

#include <system_error>

namespace vcfcsv::app {
namespace {

// The system's own words for an errno, for the failures that have no sentence of their own.
std::string WithSystemError(std::string sentence, int errorNumber) {
  if (errorNumber != 0) {
    sentence += "（" + std::system_category().message(errorNumber) + "）";
  }
  return sentence + "。";
}

std::string Quoted(const std::filesystem::path& path) {
  return "“" + path.string() + "”";
}

}  // namespace

std::string ReadFailureReason(const text::ReadResult& read) {
  switch (read.status) {
    case text::ReadStatus::kOk:
      return {};
    case text::ReadStatus::kEmptyPath:
      return "没有选择文件。";
    case text::ReadStatus::kNotFound:
      return "文件或它所在的文件夹不存在。";
    case text::ReadStatus::kIsDirectory:
      return "这是一个文件夹，不是文件。";
    case text::ReadStatus::kPermissionDenied:
      return "没有读取这个文件的权限。";
    case text::ReadStatus::kTooLarge:
      return "文件太大（超过 2 GB）。";
    case text::ReadStatus::kOutOfMemory:
      return "内存不足，无法读入整个文件。";
    case text::ReadStatus::kReadError:
      return WithSystemError("读取时出错", read.errorNumber);
  }
  return WithSystemError("读取时出错", read.errorNumber);
}

std::string WriteFailureReason(const text::WriteResult& write) {
  switch (write.status) {
    case text::WriteStatus::kOk:
      return {};
    case text::WriteStatus::kEmptyPath:
      return "没有选择文件。";
    case text::WriteStatus::kFolderMissing:
      return "文件所在的文件夹不存在。";
    case text::WriteStatus::kIsDirectory:
      return "这是一个文件夹，不是文件。";
    case text::WriteStatus::kPermissionDenied:
      return "没有写入这个文件或文件夹的权限。";
    case text::WriteStatus::kDiskFull:
      return "磁盘空间不足。";
    case text::WriteStatus::kWriteError:
      return WithSystemError("写入时出错", write.errorNumber);
  }
  return WithSystemError("写入时出错", write.errorNumber);
}

std::string SummaryText(const convert::Summary& summary) {
  std::string lines = "已转换 " + std::to_string(summary.contacts) + " 个联系人。";
  if (summary.duplicates > 0) {
    lines += "\n去掉了 " + std::to_string(summary.duplicates) + " 个重复的联系人。";
  }
  if (summary.skippedLines > 0) {
    lines += "\n跳过了 " + std::to_string(summary.skippedLines) + " 行无法识别的内容（第 ";
    for (std::size_t i = 0; i < summary.firstSkippedLines.size(); ++i) {
      lines += (i == 0 ? "" : "、") + std::to_string(summary.firstSkippedLines[i]);
    }
    const bool more =
        static_cast<std::size_t>(summary.skippedLines) > summary.firstSkippedLines.size();
    lines += more ? " 行等）。" : " 行）。";
  }
  if (summary.unreadBytes > 0) {
    lines += "\n文件结束符之后的 " + std::to_string(summary.unreadBytes) + " 个字节没有读取。";
  }
  return lines;
}

void ConvertWithDialogs(Direction direction, FileDialog& input, FileDialog& output,
                        DialogRunner& dialogs) {
  if (!input.Show()) {
    return;
  }
  const ReadAndConvertResult converted = ReadAndConvert(direction, input.FileName());
  if (!converted) {
    dialogs.ShowMessage("无法读取文件" + Quoted(input.FileName()) + "。",
                        ReadFailureReason(converted.read));
    return;
  }
  if (!output.Show()) {
    return;
  }
  if (const text::WriteResult written = WriteConverted(output.FileName(), converted); !written) {
    dialogs.ShowMessage("无法写入文件" + Quoted(output.FileName()) + "。",
                        WriteFailureReason(written) + "\n原有的同名文件不受影响。");
    return;
  }
  dialogs.ShowMessage(kDoneText, SummaryText(converted.summary));
}

}  // namespace vcfcsv::app
