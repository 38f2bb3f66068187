#include "windows/modal_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace pellimore {

ModalDialogs::ModalDialogs(QWidget* parent) : m_parent(parent) {}

std::optional<ModalDialogs::Answer> ModalDialogs::Scripted(Kind kind, const QString& title,
                                                           const QString& text) {
  if (!m_scripted) return std::nullopt;
  m_asked.push_back({kind, title, text});
  if (m_answers.empty()) return Answer{};
  Answer answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

void ModalDialogs::ShowMessage(const QString& title, const QString& text) {
  if (Scripted(Kind::Message, title, text)) return;
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
  box.exec();
}

bool ModalDialogs::AskYesNo(const QString& title, const QString& text) {
  if (auto answer = Scripted(Kind::YesNo, title, text)) return answer->accepted;
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> ModalDialogs::ChooseFolder(const QString& title, const QString& startFolder) {
  if (auto answer = Scripted(Kind::Folder, title, startFolder)) {
    if (!answer->accepted) return std::nullopt;
    return answer->path;
  }
  const QString folder = QFileDialog::getExistingDirectory(m_parent, title, startFolder);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

std::optional<QString> ModalDialogs::ChooseSaveFile(const QString& title, const QString& preset,
                                                    const QString& filter) {
  if (auto answer = Scripted(Kind::SaveFile, title, preset)) {
    if (!answer->accepted) return std::nullopt;
    return answer->path;
  }
  // No default suffix and no overwrite question: the name is taken exactly as typed.
  const QString path = QFileDialog::getSaveFileName(m_parent, title, preset, filter, nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> ModalDialogs::ChooseOpenFile(const QString& title, const QString& filter) {
  if (auto answer = Scripted(Kind::OpenFile, title, QString())) {
    if (!answer->accepted) return std::nullopt;
    return answer->path;
  }
  const QString path = QFileDialog::getOpenFileName(m_parent, title, QString(), filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace pellimore
