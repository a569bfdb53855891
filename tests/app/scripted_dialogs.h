// Stands in for the file dialogs and the message box: each file dialog takes the next answer of a
// script, and every request and message is kept for the test to look at.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "vcfcsv/app/dialogs.h"

namespace vcfcsv::testing {

struct Message {
  std::string text;
  std::string detail;

  friend bool operator==(const Message&, const Message&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Message& m) {
    return os << '{' << m.text << " | " << m.detail << '}';
  }
};

class ScriptedDialogs final : public app::DialogRunner {
 public:
  // The path the next file dialog accepts; nothing answers as a cancelled dialog does.
  void Answer(std::optional<std::filesystem::path> path) { answers_.push_back(std::move(path)); }

  std::optional<std::filesystem::path> RunFileDialog(
      const app::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers_.empty()) {
      ADD_FAILURE() << "a file dialog opened that the script has no answer for";
      return std::nullopt;
    }
    std::optional<std::filesystem::path> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  void ShowMessage(std::string_view text, std::string_view detail) override {
    messages.push_back({std::string(text), std::string(detail)});
  }

  std::vector<app::FileDialogRequest> requests;
  std::vector<Message> messages;

 private:
  std::deque<std::optional<std::filesystem::path>> answers_;
};

}  // namespace vcfcsv::testing
