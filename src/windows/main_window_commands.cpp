// The commands of the main window and the "Files" page.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <exception>

#include "reading/body.h"
#include "reading/description_reader.h"
#include "reading/encoding.h"
#include "ui_batch_list_page.h"
#include "ui_body_page.h"
#include "ui_common_list_page.h"
#include "ui_description_page.h"
#include "ui_files_page.h"
#include "ui_main_window.h"
#include "ui_settings_page.h"
#include "windows/file_browser.h"
#include "windows/main_window.h"
#include "windows/text_bridge.h"
#include "writing/output_naming.h"
#include "writing/save_pipeline.h"

namespace pellimore {

namespace {

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

template <class Command>
void TForm1::RunCommand(Command&& command) {
  ReadModel();
  try {
    command();
  } catch (const SaveAbandoned&) {
    // Its text was shown through the prompt already.
    ShowModel();
    return;
  } catch (const std::exception& failure) {
    ShowModel();
    ShowFailure(failure.what());
    return;
  }
  ShowModel();
}

// --- the "Files" page --------------------------------------------------------------------------

void TForm1::SetUpFileBrowser() {
  QTreeWidget* folders = filesPage->DirectoryListBox1;
  folders->setItemsExpandable(false);
  folders->setExpandsOnDoubleClick(false);
  connect(folders, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item) ChooseFolder(item->data(0, Qt::UserRole).toString());
  });
  connect(filesPage->DriveComboBox1, &QComboBox::activated, this, &TForm1::DriveComboBox1Change);
  connect(filesPage->FilterComboBox1, &QComboBox::activated, this, &TForm1::FilterComboBox1Change);
  for (const QString& root : VolumeRoots()) filesPage->DriveComboBox1->addItem(root);
  m_currentFolder = QDir::currentPath();
  RefillFolderList();
  RefillFileList();
}

void TForm1::ChooseFolder(const QString& folder) {
  const QString path = QDir(folder).absolutePath();
  if (!QDir(path).exists()) return;
  QDir::setCurrent(path);
  m_currentFolder = QDir::currentPath();
  RefillFolderList();
  RefillFileList();
}

void TForm1::RefillFolderList() {
  QTreeWidget* folders = filesPage->DirectoryListBox1;
  folders->clear();
  QStringList roots;
  for (int i = 0; i < filesPage->DriveComboBox1->count(); ++i)
    roots << filesPage->DriveComboBox1->itemText(i);
  const QString volume = VolumeOf(m_currentFolder, roots);
  filesPage->DriveComboBox1->setCurrentIndex(static_cast<int>(roots.indexOf(volume)));

  const auto addItem = [folders](QTreeWidgetItem* parent, const QString& path, const QString& caption,
                                 QStyle::StandardPixmap icon) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(folders);
    item->setText(0, caption);
    item->setData(0, Qt::UserRole, path);
    item->setIcon(0, folders->style()->standardIcon(icon));
    return item;
  };
  QTreeWidgetItem* parent = nullptr;
  for (const QString& path : FolderChain(volume, m_currentFolder)) {
    const QString caption = parent ? QDir(path).dirName() : path;
    parent = addItem(parent, path, caption, QStyle::SP_DirOpenIcon);
  }
  for (const QString& name : ListSubFolders(m_currentFolder)) {
    addItem(parent, QDir(m_currentFolder).filePath(name), name, QStyle::SP_DirClosedIcon);
  }
  folders->expandAll();
  folders->setCurrentItem(parent);
}

void TForm1::RefillFileList() {
  QListWidget* files = filesPage->FileListBox1;
  files->clear();
  files->addItems(ListBookFiles(m_currentFolder, m_fileMask));
}

void TForm1::FilterComboBox1Change(int index) {
  if (index < 0 || index >= static_cast<int>(FileFilters().size())) return;
  m_fileMask = FileFilters()[static_cast<std::size_t>(index)].mask;
  RefillFileList();
}

void TForm1::DriveComboBox1Change(int index) { ChooseFolder(filesPage->DriveComboBox1->itemText(index)); }

// --- sources and opening -----------------------------------------------------------------------

QListWidget* TForm1::SourceList() const {
  switch (ui->PageControl2->currentIndex()) {
    case 1:
      return commonPage->ListBox1;
    case 2:
      return batchPage->ListBox2;
    default:
      return filesPage->FileListBox1;
  }
}

QString TForm1::CurrentEntry(QListWidget* list) const {
  const int row = SelectedRow(list);
  if (row < 0) return {};
  const QString text = list->item(row)->text();
  return list == filesPage->FileListBox1 ? QDir(m_currentFolder).filePath(text) : text;
}

void TForm1::OpenBook(const QString& path) {
  RunCommand([&] { GetDescription(m_workspace, QStringToPath(path)); });
}

void TForm1::OpenFromList(QListWidget* list) {
  OpenBook(CurrentEntry(list));
  if (ui->PageControl1->currentIndex() != 0) ui->PageControl1->setCurrentIndex(0);
  descriptionPage->E_TI_BookTitle->setFocus();
}

void TForm1::Act_GetFileExecute() { OpenBook(CurrentEntry(SourceList())); }

void TForm1::Act_GoEditExecute() {
  ui->PageControl1->setCurrentIndex(0);
  descriptionPage->E_TI_Genre->setFocus();
}

void TForm1::Act_BeginEditExecute() {
  if (ui->PageControl1->currentIndex() != 0) ui->PageControl1->setCurrentIndex(0);
  descriptionPage->E_TI_BookTitle->setFocus();
}

void TForm1::Act_nextExecute() {
  QListWidget* list = SourceList();
  const int row = SelectedRow(list);
  if (row < list->count() - 1) list->setCurrentRow(row + 1);
  OpenBook(CurrentEntry(list));
  if (ui->PageControl1->currentIndex() == 0) descriptionPage->E_TI_BookTitle->setFocus();
}

void TForm1::Act_PrevExecute() {
  QListWidget* list = SourceList();
  const int row = SelectedRow(list);
  if (row > 0) list->setCurrentRow(row - 1);
  OpenBook(CurrentEntry(list));
  if (ui->PageControl1->currentIndex() == 0) descriptionPage->E_TI_BookTitle->setFocus();
}

// --- saving ------------------------------------------------------------------------------------

void TForm1::Act_SaveExecute() {
  RunCommand([&] { pellimore::Act_SaveExecute(m_workspace, m_saveSettings); });
}

void TForm1::ButSaveClick() {
  RunCommand([&] { pellimore::ButSaveClick(m_workspace, m_saveSettings); });
  ui->ButNext->setFocus();
}

void TForm1::Act_SaveAsExecute() {
  if (m_workspace.header.CurrentFileName.empty()) return;
  const auto chosen =
      m_dialogs.ChooseSaveFile(QStringLiteral("Save As"), PathToQString(m_workspace.header.CurrentFileName),
                               QStringLiteral("FictionBook files (*.fb2);;All files (*.*)"));
  if (!chosen) return;
  RunCommand([&] { pellimore::Act_SaveAsExecute(m_workspace, m_saveSettings, QStringToPath(*chosen)); });
}

void TForm1::SpeedButton5Click() {
  RunCommand([&] { pellimore::SpeedButton5Click(m_workspace, m_saveSettings); });
}

void TForm1::RadioButton4Click() {
  ReadSaveSettings();
  ApplySaveControls();
}

// --- body, code-page box, window ---------------------------------------------------------------

void TForm1::SpeedButton3Click() {
  RunCommand([&] { pellimore::SpeedButton3Click(m_workspace); });
}

void TForm1::ComboBox2Change(int) {
  RunCommand([&] { pellimore::ComboBox2Change(m_workspace); });
}

void TForm1::RadioButton1Click() {
  RunCommand([&] { pellimore::RadioButton1Click(m_workspace); });
}

void TForm1::ChBFixClick() {
  RunCommand([&] { pellimore::ChBFixClick(m_workspace); });
}

void TForm1::Act_UnvisibleExecute() {
  QAction* menu = Unvisible1->menuAction();
  menu->setVisible(!menu->isVisible());
}

}  // namespace pellimore
