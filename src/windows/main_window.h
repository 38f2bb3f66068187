#pragma once

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reading/workspace.h"
#include "windows/modal_dialogs.h"
#include "windows/qt_user_prompt.h"
#include "windows/window_settings.h"
#include "writing/save_settings.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolBar;

namespace Ui {
class TForm1;
class FilesPage;
class CommonListPage;
class BatchListPage;
class DescriptionPage;
class BodyPage;
class SettingsPage;
}  // namespace Ui

namespace pellimore {

// The main window: the file sources on the left, the header fields, body, settings and
// code-page box on the right. The core's Workspace and SaveSettings are the model; the window
// shows them and writes the user's edits back before every command.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(const WindowSettings& settings = {}, QWidget* parent = nullptr);
  ~TForm1() override;

  Workspace& workspace() { return m_workspace; }
  pellimore::SaveSettings& saveSettings() { return m_saveSettings; }
  ModalDialogs& dialogs() { return m_dialogs; }
  bool modernLook() const { return ModernLook; }
  QAction* action(const QString& name) const;

  // The folder shown on the "Files" page; choosing one also makes it the working folder.
  QString currentFolder() const { return m_currentFolder; }
  void ChooseFolder(const QString& folder);
  // The current entry of a list of the left pane: a full path, or empty.
  QString CurrentEntry(QListWidget* list) const;
  QListWidget* SourceList() const;
  // What shut-down stores: the controls' state, the user's latest edits included.
  WindowSettings SettingsFromControls();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Start-up.
  void SetUpPages();
  void SetUpActions();
  void SetUpMenus();
  void SetUpToolBars();
  void SetUpStatusBar();
  void SetUpFileBrowser();
  void ConnectControls();
  void FormCreate(const WindowSettings& settings);
  void LoadSettings(const WindowSettings& settings);

  // The model and the widgets.
  void HeaderToWidgets();
  void WidgetsToHeader();
  void ShowCodePageBox();
  void ReadCodePageBox();
  void ShowSaveSettings();
  void ReadSaveSettings();
  void ShowStatusPanels();
  void ApplyFieldsFont();
  void ApplySaveControls();
  void ShowModel();
  void ReadModel();
  // Writes the edits back, runs a core command, shows the model again; a failure's text is
  // shown in a message box.
  template <class Command>
  void RunCommand(Command&& command);
  void ShowFailure(const char* what);

  // The "Files" page.
  void RefillFolderList();
  void RefillFileList();
  void FilterComboBox1Change(int index);
  void DriveComboBox1Change(int index);

  // Commands.
  void OpenBook(const QString& path);
  void OpenFromList(QListWidget* list);
  void Act_GetFileExecute();
  void Act_GoEditExecute();
  void Act_BeginEditExecute();
  void Act_nextExecute();
  void Act_PrevExecute();
  void Act_SaveExecute();
  void ButSaveClick();
  void Act_SaveAsExecute();
  void Act_UnvisibleExecute();
  void SpeedButton3Click();
  void SpeedButton5Click();
  void RadioButton4Click();
  void ComboBox2Change(int index);
  void RadioButton1Click();
  void ChBFixClick();

  bool IsWindowShortcut(const QKeySequence& key) const;

  std::unique_ptr<Ui::TForm1> ui;
  std::unique_ptr<Ui::FilesPage> filesPage;
  std::unique_ptr<Ui::CommonListPage> commonPage;
  std::unique_ptr<Ui::BatchListPage> batchPage;
  std::unique_ptr<Ui::DescriptionPage> descriptionPage;
  std::unique_ptr<Ui::BodyPage> bodyPage;
  std::unique_ptr<Ui::SettingsPage> settingsPage;

  ModalDialogs m_dialogs;
  QtUserPrompt m_prompt;
  Workspace m_workspace;
  pellimore::SaveSettings m_saveSettings;
  bool ModernLook = false;
  bool m_shown = false;

  std::map<QString, QAction*> m_actions;
  QObject* ActionList1 = nullptr;
  QObject* ActionList2 = nullptr;
  QActionGroup* m_languageGroup = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolBar* ToolBar4 = nullptr;
  QMenu* Unvisible1 = nullptr;
  QLabel* m_statusPanels[3] = {};

  QString m_currentFolder;
  QString m_fileMask;
  CharsetId m_fontCharset = DEFAULT_CHARSET;
  std::vector<std::pair<QLineEdit*, std::string HeaderRecord::*>> m_textFields;
  std::vector<QWidget*> m_charsetFields;
};

}  // namespace pellimore
