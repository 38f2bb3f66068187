#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace pellimore {

// Every modal interaction of the window layer goes through here. A test queues its answers in
// advance and switches the dialogs to scripted mode: questions are then recorded and answered
// from the queue (an unanswered one is cancelled), and no dialog opens.
class ModalDialogs {
 public:
  enum class Kind { Message, YesNo, Folder, SaveFile, OpenFile };
  struct Question {
    Kind kind;
    QString title;
    QString text;  // the message, or the dialog's preset path
  };
  struct Answer {
    bool accepted = false;  // OK / Yes
    QString path;           // for the file and folder dialogs
  };

  explicit ModalDialogs(QWidget* parent);

  void ShowMessage(const QString& title, const QString& text);
  bool AskYesNo(const QString& title, const QString& text);
  std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder);
  // filter in Qt's form: "FictionBook files (*.fb2);;All files (*.*)".
  std::optional<QString> ChooseSaveFile(const QString& title, const QString& preset, const QString& filter);
  std::optional<QString> ChooseOpenFile(const QString& title, const QString& filter);

  void setScripted(bool scripted) { m_scripted = scripted; }
  void queueAnswer(Answer answer) { m_answers.push_back(std::move(answer)); }
  const std::vector<Question>& asked() const { return m_asked; }
  void clearAsked() { m_asked.clear(); }

 private:
  // The scripted answer, recording the question; nothing when a real dialog is to open.
  std::optional<Answer> Scripted(Kind kind, const QString& title, const QString& text);

  QWidget* m_parent;
  bool m_scripted = false;
  std::deque<Answer> m_answers;
  std::vector<Question> m_asked;
};

}  // namespace pellimore
