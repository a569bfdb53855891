// One conversion as a button runs it: the open dialog, the read and conversion, the save dialog,
// the write, and the closing message, with what the user is told at each end.
#pragma once

#include <string>

#include "vcfcsv/app/dialogs.h"
#include "vcfcsv/app/job.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/text/file.h"

namespace vcfcsv::app {

inline constexpr std::string_view kDoneText = "搞定!";

// Cancelling either dialog ends the conversion with nothing written and nothing shown. A failed
// read or write shows a message naming the file and why, and no save dialog follows a failed
// read. On success the message is kDoneText with SummaryText beneath it.
void ConvertWithDialogs(Direction direction, FileDialog& input, FileDialog& output,
                        DialogRunner& dialogs);

// "已转换 2 个联系人。" and, where there were any, a line each for duplicates dropped, lines
// skipped and bytes left unread after an end-of-text byte.
std::string SummaryText(const convert::Summary& summary);

// Why a file could not be read or written, as one Chinese sentence.
std::string ReadFailureReason(const text::ReadResult& read);
std::string WriteFailureReason(const text::WriteResult& write);

}  // namespace vcfcsv::app
