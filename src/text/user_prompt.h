#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellimore {

// Everything the core asks of the user goes through this interface: the window answers with
// dialogs, tests with scripted answers. Texts are bytes of the working code page.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;

  // A plain message box with an OK button.
  virtual void ShowMessage(std::string_view text) = 0;
  // A Yes/No confirmation titled "Confirm"; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
  // The folder selection dialog starting at startFolder; nothing when cancelled.
  virtual std::optional<std::string> ChooseFolder(std::string_view startFolder) = 0;
  // A tokenizer report: a modal box titled with the message, showing the text.
  virtual void ReportParserProblem(std::string_view message, std::string_view text) = 0;
};

// Answers nothing and shows nothing: for runs without a user.
class SilentPrompt : public UserPrompt {
 public:
  void ShowMessage(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseFolder(std::string_view) override { return std::nullopt; }
  void ReportParserProblem(std::string_view, std::string_view) override {}
};

}  // namespace pellimore
