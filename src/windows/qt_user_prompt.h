#pragma once

#include "text/user_prompt.h"

namespace pellimore {

class ModalDialogs;

// The core's questions answered with the window's message boxes and folder dialog.
class QtUserPrompt : public UserPrompt {
 public:
  explicit QtUserPrompt(ModalDialogs& dialogs) : m_dialogs(dialogs) {}

  void ShowMessage(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<std::string> ChooseFolder(std::string_view startFolder) override;
  void ReportParserProblem(std::string_view message, std::string_view text) override;

 private:
  ModalDialogs& m_dialogs;
};

}  // namespace pellimore
