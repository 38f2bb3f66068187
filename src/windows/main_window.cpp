#include "windows/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include "reading/encoding.h"
#include "reading/header_record.h"
#include "text/platform.h"
#include "ui_batch_list_page.h"
#include "ui_body_page.h"
#include "ui_common_list_page.h"
#include "ui_description_page.h"
#include "ui_files_page.h"
#include "ui_main_window.h"
#include "ui_settings_page.h"
#include "windows/file_browser.h"
#include "windows/modern_look.h"
#include "windows/text_bridge.h"
#include "windows/tinted_tab_widget.h"
#include "windows/window_actions.h"

namespace pellimore {

namespace {

constexpr int kStatusPanelWidths[3] = {650, 100, 50};

// The fields whose font follows the charset chosen in the code-page box.
const char* const kCharsetFieldNames[] = {
    "Memo2",        "Memo3",        "E_TI_BookTitle", "E_TI_AFName",  "E_TI_ALName",  "E_TI_AMName",
    "E_TI_AFName2", "E_TI_ALName2", "E_TI_AMName2",   "E_TI_AFName3", "E_TI_ALName3", "E_TI_AMName3",
    "E_TI_AFName4", "E_TI_ALName4", "E_TI_AMName4",   "E_TI_Genre",   "E_CoverPage",  "E_TI_Language",
    "E_DI_Date",    "E_DI_ID",      "E_DI_Version",   "E_DI_FName",   "E_DI_LName",   "E_DI_MName",
};

QIcon StandardIcon(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

}  // namespace

TForm1::TForm1(const WindowSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TForm1>()),
      filesPage(std::make_unique<Ui::FilesPage>()),
      commonPage(std::make_unique<Ui::CommonListPage>()),
      batchPage(std::make_unique<Ui::BatchListPage>()),
      descriptionPage(std::make_unique<Ui::DescriptionPage>()),
      bodyPage(std::make_unique<Ui::BodyPage>()),
      settingsPage(std::make_unique<Ui::SettingsPage>()),
      m_dialogs(this),
      m_prompt(m_dialogs) {
  m_workspace.prompt = &m_prompt;
  ui->setupUi(this);
  SetUpPages();
  SetUpActions();
  SetUpMenus();
  SetUpToolBars();
  SetUpStatusBar();
  SetUpFileBrowser();
  ConnectControls();
  // The client area below the menu is 840 x 672 at design size.
  const int menuHeight = menuBar()->sizeHint().height();
  setMinimumSize(840, 672 + menuHeight);
  resize(840, 672 + menuHeight);
  FormCreate(settings);
}

TForm1::~TForm1() {
  // FormDestroy: the settings are stored here once the settings file exists; the log goes
  // with the workspace.
  m_workspace.prompt = nullptr;
}

QAction* TForm1::action(const QString& name) const {
  const auto found = m_actions.find(name);
  return found == m_actions.end() ? nullptr : found->second;
}

void TForm1::SetUpPages() {
  QFont font;
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(11);
  setFont(font);

  filesPage->setupUi(ui->TabSheet3);
  commonPage->setupUi(ui->TabSheet4);
  batchPage->setupUi(ui->TabSheet7);
  descriptionPage->setupUi(ui->TabSheet1);
  bodyPage->setupUi(ui->TabSheet5);
  settingsPage->setupUi(ui->TabSheet6);

  ui->PageControl1->tintedTabBar()->setFixedTabWidth(150);
  ui->PageControl2->tintedTabBar()->setFixedTabWidth(110);
  descriptionPage->PageControl3->tintedTabBar()->setFixedTabWidth(150);

  bodyPage->Splitter1->setSizes({177, 400});
  bodyPage->Splitter1->setStretchFactor(1, 1);
  bodyPage->SpeedButton3->setIcon(StandardIcon(QStyle::SP_ArrowDown));
  commonPage->SpeedButton2->setIcon(StandardIcon(QStyle::SP_BrowserReload));
  ui->SBNewHead->setIcon(StandardIcon(QStyle::SP_FileDialogContentsView));

  for (const std::string& entry : CharsetEntries()) ui->ComboBox2->addItem(WorkingToQString(entry));
  for (const FileFilter& filter : FileFilters()) filesPage->FilterComboBox1->addItem(filter.caption);
  for (QComboBox* box : {filesPage->FilterComboBox1, filesPage->DriveComboBox1}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(8);
  }
  m_fileMask = FileFilters().front().mask;

  for (const auto& [name, member] : HeaderTextFields()) {
    const QString objectName = QLatin1String(name);
    if (objectName == QLatin1String("ME_Date") || objectName == QLatin1String("E_DI_Version")) continue;
    if (auto* edit = findChild<QLineEdit*>(objectName)) m_textFields.emplace_back(edit, member);
  }
  for (const char* name : kCharsetFieldNames) {
    if (auto* widget = findChild<QWidget*>(QLatin1String(name))) m_charsetFields.push_back(widget);
  }

  // The date field: two-digit day and month (digits may be left out), a four-digit year.
  const QChar separator = QLatin1Char(DateSeparator());
  descriptionPage->ME_Date->setInputMask(QStringLiteral("00") + separator + QStringLiteral("00") + separator +
                                         QStringLiteral("9999;_"));
}

void TForm1::SetUpActions() {
  ActionList1 = new QObject(this);
  ActionList1->setObjectName(QStringLiteral("ActionList1"));
  ActionList2 = new QObject(this);
  ActionList2->setObjectName(QStringLiteral("ActionList2"));
  std::vector<QAction*> actions = CreateActions(ActionList1, ActionList1Entries());
  const std::vector<QAction*> second = CreateActions(ActionList2, ActionList2Entries());
  actions.insert(actions.end(), second.begin(), second.end());

  for (QAction* action : actions) {
    m_actions[action->objectName()] = action;
    // Act_BeginEdit bears F2 too, but the key always reaches Act_GoEdit: it is bound to no
    // widget, so its shortcut never competes.
    if (action->objectName() == QLatin1String("Act_BeginEdit")) {
      action->setShortcutContext(Qt::WidgetShortcut);
      continue;
    }
    addAction(action);
  }

  action(QStringLiteral("Act_GetFile"))->setIcon(StandardIcon(QStyle::SP_DialogOpenButton));
  action(QStringLiteral("Act_View"))->setIcon(StandardIcon(QStyle::SP_FileDialogContentsView));
  action(QStringLiteral("Act_AddToBatch"))->setIcon(StandardIcon(QStyle::SP_ArrowRight));
  action(QStringLiteral("Act_AddAllToBatch"))->setIcon(StandardIcon(QStyle::SP_MediaSeekForward));
  action(QStringLiteral("Act_OpenBatchFromTxt"))->setIcon(StandardIcon(QStyle::SP_DirOpenIcon));
  action(QStringLiteral("Act_SaveBatchToTxt"))->setIcon(StandardIcon(QStyle::SP_DialogSaveButton));
  action(QStringLiteral("Act_DelFromBatch"))->setIcon(StandardIcon(QStyle::SP_DialogDiscardButton));
  action(QStringLiteral("Act_ClearBatch"))->setIcon(StandardIcon(QStyle::SP_TrashIcon));
  action(QStringLiteral("Act_StartBatch"))->setIcon(StandardIcon(QStyle::SP_MediaPlay));

  m_languageGroup = new QActionGroup(this);
  for (const char* name : {"Act_SelLangEn", "Act_SelLangRu"}) {
    QAction* language = action(QLatin1String(name));
    language->setCheckable(true);
    m_languageGroup->addAction(language);
  }
  action(QStringLiteral("Act_SelLangEn"))->setChecked(true);
  // The language menu's entries in the language files.
  action(QStringLiteral("Act_SelLangEn"))->setProperty("menuItemName", QStringLiteral("ru1"));
  action(QStringLiteral("Act_SelLangRu"))->setProperty("menuItemName", QStringLiteral("en1"));
}

void TForm1::SetUpMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  const auto menuItem = [this](QMenu* menu, const char* name, const char* caption, QKeySequence key = {}) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QLatin1String(name));
    item->setShortcut(key);
    m_actions[item->objectName()] = item;
    return item;
  };

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  for (const char* name : {"Act_GetFile", "Act_Save", "Act_SaveAs", "", "Act_Prev", "Act_next", "",
                           "Act_AddToBatch", "Act_AddAllToBatch", "", "Act_View", ""}) {
    if (*name == '\0') {
      file->addSeparator();
    } else {
      file->addAction(action(QLatin1String(name)));
    }
  }
  connect(menuItem(file, "Quit1", "Quit"), &QAction::triggered, this, &QWidget::close);

  QMenu* settings = bar->addMenu(QStringLiteral("&Settings"));
  settings->setObjectName(QStringLiteral("Settings1"));
  QMenu* language = settings->addMenu(QStringLiteral("Language"));
  language->setObjectName(QStringLiteral("Language1"));
  language->addAction(action(QStringLiteral("Act_SelLangEn")));
  language->addAction(action(QStringLiteral("Act_SelLangRu")));

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  menuItem(help, "Help2", "&Help", QKeySequence(Qt::Key_F1));
  menuItem(help, "About1", "&About...");

  Unvisible1 = bar->addMenu(QStringLiteral("Unvisible"));
  Unvisible1->setObjectName(QStringLiteral("Unvisible1"));
  menuItem(Unvisible1, "CreatePellimoreenlng1", "Create Pellimore_en.lng");
  menuItem(Unvisible1, "mmiViewLog", "View Log");
  Unvisible1->menuAction()->setVisible(false);
}

void TForm1::SetUpToolBars() {
  const auto makeToolBar = [this](const char* name, QWidget* holder,
                                  std::initializer_list<const char*> names) {
    auto* bar = new QToolBar(holder);
    bar->setObjectName(QLatin1String(name));
    bar->setIconSize(QSize(20, 20));
    bar->setMovable(false);
    for (const char* actionName : names) {
      if (*actionName == '\0') {
        bar->addSeparator();
      } else {
        bar->addAction(action(QLatin1String(actionName)));
      }
    }
    holder->layout()->addWidget(bar);
    return bar;
  };
  ToolBar1 = makeToolBar("ToolBar1", ui->PanelToolBar1,
                         {"Act_GetFile", "Act_View", "", "Act_AddToBatch", "Act_AddAllToBatch"});
  ToolBar4 = makeToolBar("ToolBar4", batchPage->PanelToolBar4,
                         {"Act_OpenBatchFromTxt", "Act_SaveBatchToTxt", "", "Act_DelFromBatch",
                          "Act_ClearBatch", "", "Act_StartBatch"});
}

void TForm1::SetUpStatusBar() {
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel(ui->StatusBar1);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFixedWidth(kStatusPanelWidths[i]);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    ui->StatusBar1->addWidget(panel);
    m_statusPanels[i] = panel;
  }
}

void TForm1::ConnectControls() {
  const auto onTriggered = [this](const char* name, void (TForm1::*handler)()) {
    connect(action(QLatin1String(name)), &QAction::triggered, this, handler);
  };
  onTriggered("Act_GoEdit", &TForm1::Act_GoEditExecute);
  onTriggered("Act_BeginEdit", &TForm1::Act_BeginEditExecute);
  onTriggered("Act_GetFile", &TForm1::Act_GetFileExecute);
  onTriggered("Act_next", &TForm1::Act_nextExecute);
  onTriggered("Act_Prev", &TForm1::Act_PrevExecute);
  onTriggered("Act_Save", &TForm1::Act_SaveExecute);
  onTriggered("Act_SaveAs", &TForm1::Act_SaveAsExecute);
  onTriggered("Act_Unvisible", &TForm1::Act_UnvisibleExecute);

  connect(ui->ButSave, &QPushButton::clicked, this, &TForm1::ButSaveClick);
  connect(ui->ButNext, &QPushButton::clicked, action(QStringLiteral("Act_next")), &QAction::trigger);
  connect(ui->ButPrev, &QPushButton::clicked, action(QStringLiteral("Act_Prev")), &QAction::trigger);
  connect(bodyPage->SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
  connect(settingsPage->SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
  connect(settingsPage->RadioButton3, &QRadioButton::clicked, this, &TForm1::RadioButton4Click);
  connect(settingsPage->RadioButton4, &QRadioButton::clicked, this, &TForm1::RadioButton4Click);
  connect(ui->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
  connect(ui->RadioButton1, &QRadioButton::clicked, this, &TForm1::RadioButton1Click);
  connect(ui->RadioButton2, &QRadioButton::clicked, this, &TForm1::RadioButton1Click);
  connect(ui->ChBFix, &QCheckBox::clicked, this, &TForm1::ChBFixClick);

  for (QListWidget* list : {filesPage->FileListBox1, commonPage->ListBox1, batchPage->ListBox2}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, [this, list] { OpenFromList(list); });
  }
  qApp->installEventFilter(this);
}

void TForm1::FormCreate(const WindowSettings& settings) {
  ModernLook = IsModernWindows();
  if (ModernLook) {
    TintApplication();
    Tint(ui->StatusBar1);
  }
  ui->StatusBar1->setSizeGripEnabled(!ModernLook);
  for (TintedTabWidget* pages : {ui->PageControl1, ui->PageControl2, descriptionPage->PageControl3}) {
    pages->setCurrentIndex(0);
    pages->tintedTabBar()->setOwnerDrawn(ModernLook);
  }
  m_workspace.codePage.CharsetApplying = false;
  LoadSettings(settings);
  setWindowTitle(QStringLiteral("Pellimore"));
  ClearHeader(m_workspace.header);
  m_workspace.LogList.clear();
  ShowModel();
  move(0, 0);
}

void TForm1::LoadSettings(const WindowSettings& settings) {
  commonPage->E_Path->setText(PathToQString(settings.LibPath));
  if (settings.tabIndex >= 0 && settings.tabIndex <= 2) ui->PageControl2->setCurrentIndex(settings.tabIndex);

  HeaderRecord& header = m_workspace.header;
  header.E_DI_FName = settings.fname;
  header.E_DI_LName = settings.lname;
  header.E_DI_MName = settings.mname;
  header.E_DI_NickName = settings.nick;
  header.E_DI_EMail = settings.email;
  header.E_DI_HomePage = settings.hpage;

  action(QLatin1String(settings.lang ? "Act_SelLangEn" : "Act_SelLangRu"))->setChecked(true);

  m_saveSettings.mode = settings.fileAct ? SaveMode::ReplaceSource : SaveMode::SaveToDir;
  m_saveSettings.E_Dir_To_Save =
      settings.SavePath ? *settings.SavePath : QStringToPath(QDir::currentPath()) + "/";
  switch (settings.fileName) {
    case 0:
      m_saveSettings.nameTemplate = NameTemplate::Cyrillic;
      break;
    case 1:
      m_saveSettings.nameTemplate = NameTemplate::Transliterated;
      break;
    case 2:
      m_saveSettings.nameTemplate = NameTemplate::NoRename;
      break;
    default:
      break;
  }
  m_saveSettings.ChBSubfolders = settings.DoSubfolders;

  CodePageBox& box = m_workspace.codePage;
  box.RadioButton1 = settings.RBCode;
  box.RadioButton2 = !settings.RBCode;
  box.RadioButton1TabStop = box.RadioButton1;
  box.RadioButton2TabStop = box.RadioButton2;
  box.ChBFix = settings.FixCodePage;
  m_saveSettings.ChBZip = settings.Zip;
  commonPage->CHZip->setChecked(settings.CommZip);
  if (settings.ZipName == 0) m_saveSettings.zipName = ZipNameFrom::Fb2FileName;
  if (settings.ZipName == 1) m_saveSettings.zipName = ZipNameFrom::ZipFileName;
  UpdateFixState(m_workspace);
}

WindowSettings TForm1::SettingsFromControls() {
  ReadModel();
  WindowSettings settings;
  const HeaderRecord& header = m_workspace.header;
  settings.LibPath = QStringToPath(commonPage->E_Path->text());
  settings.tabIndex = ui->PageControl2->currentIndex();
  settings.fname = header.E_DI_FName;
  settings.lname = header.E_DI_LName;
  settings.mname = header.E_DI_MName;
  settings.nick = header.E_DI_NickName;
  settings.email = header.E_DI_EMail;
  settings.hpage = header.E_DI_HomePage;
  settings.lang = action(QStringLiteral("Act_SelLangEn"))->isChecked();
  settings.fileAct = m_saveSettings.mode == SaveMode::ReplaceSource;
  settings.SavePath = m_saveSettings.E_Dir_To_Save;
  settings.fileName = static_cast<int>(m_saveSettings.nameTemplate);
  settings.DoSubfolders = m_saveSettings.ChBSubfolders;
  settings.RBCode = m_workspace.codePage.RadioButton1;
  settings.FixCodePage = m_workspace.codePage.ChBFix;
  settings.Zip = m_saveSettings.ChBZip;
  settings.CommZip = commonPage->CHZip->isChecked();
  settings.ZipName = m_saveSettings.zipName == ZipNameFrom::ZipFileName ? 1 : 0;
  return settings;
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_shown) return;
  m_shown = true;
  // FormShow: windows created after the main window get the tint too.
  if (ModernLook) TintApplication();
}

bool TForm1::IsWindowShortcut(const QKeySequence& key) const {
  for (const auto& [name, action] : m_actions) {
    if (name == QLatin1String("Act_BeginEdit")) continue;
    if (!action->shortcut().isEmpty() && action->shortcut() == key) return true;
  }
  return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // The window's commands come before a field's own use of a key (Ctrl+Left and Ctrl+Right
    // move by words in an edit), in every focus.
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence sequence(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    if (widget && widget->window() == this && IsWindowShortcut(sequence)) {
      event->ignore();
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* list = qobject_cast<QListWidget*>(watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (list && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (list == filesPage->FileListBox1 || list == commonPage->ListBox1 || list == batchPage->ListBox2)) {
      OpenFromList(list);
      return true;  // swallowed: no beep, no further handling
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace pellimore
