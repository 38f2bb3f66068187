#include "windows/qt_user_prompt.h"

#include <QApplication>

#include "windows/modal_dialogs.h"
#include "windows/text_bridge.h"

namespace pellimore {

void QtUserPrompt::ShowMessage(std::string_view text) {
  // Messages of the save chain name folders and files, which are UTF-8 paths.
  m_dialogs.ShowMessage(QApplication::applicationDisplayName(), FailureToQString(text));
}

bool QtUserPrompt::AskYesNo(std::string_view text) {
  return m_dialogs.AskYesNo(QStringLiteral("Confirm"), WorkingToQString(text));
}

std::optional<std::string> QtUserPrompt::ChooseFolder(std::string_view startFolder) {
  const auto folder = m_dialogs.ChooseFolder(QString(), PathToQString(startFolder));
  if (!folder) return std::nullopt;
  return QStringToPath(*folder);
}

void QtUserPrompt::ReportParserProblem(std::string_view message, std::string_view text) {
  m_dialogs.ShowMessage(WorkingToQString(message), WorkingToQString(text));
}

}  // namespace pellimore
