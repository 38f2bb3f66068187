#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "text/platform.h"
#include "window_test_support.h"

namespace pellimore::test {

namespace {

template <class T>
T* Find(const TForm1& window, const char* name) {
  T* widget = window.findChild<T*>(QLatin1String(name));
  if (!widget) qWarning("missing %s", name);
  return widget;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesPagesAndPanels() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Pellimore"));
    QCOMPARE(window->objectName(), QStringLiteral("Form1"));
    for (const char* name : {"PageControl1", "PageControl2", "PageControl3"}) {
      QCOMPARE(Find<QTabWidget>(*window, name)->currentIndex(), 0);
    }
    const auto* left = Find<QTabWidget>(*window, "PageControl2");
    QCOMPARE(left->tabText(0), QStringLiteral("Files"));
    QCOMPARE(left->tabText(1), QStringLiteral("Common list"));
    QCOMPARE(left->tabText(2), QStringLiteral("Batch list"));
    const auto* right = Find<QTabWidget>(*window, "PageControl1");
    QCOMPARE(right->tabText(0), QStringLiteral("description"));
    QCOMPARE(right->tabText(1), QStringLiteral("Body"));
    QCOMPARE(right->tabText(2), QStringLiteral("Settings"));

    const int widths[3] = {650, 100, 50};
    for (int i = 0; i < 3; ++i) {
      const auto* panel = window->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
      QVERIFY(panel);
      QCOMPARE(panel->width(), widths[i]);
      QVERIFY(panel->text().isEmpty());
    }
    // A cleared header: version 1.0, "Ignore", the date empty.
    QCOMPARE(Find<QLineEdit>(*window, "E_DI_Version")->text(), QStringLiteral("1.00"));
    QVERIFY(Find<QRadioButton>(*window, "RB5")->isChecked());
    QCOMPARE(window->workspace().header.ME_Date, std::string());
    QVERIFY(!Find<QLineEdit>(*window, "E_CoverPage")->isVisibleTo(window.get()));
    QVERIFY(Find<QLineEdit>(*window, "E_TI_Genre")->isReadOnly());
  }

  void versionShowsTheUsersDecimalMark() {
    WorkingFolderGuard guard;
    SetDecimalMark(',');
    auto window = MakeWindow();
    SetDecimalMark('.');
    QCOMPARE(Find<QLineEdit>(*window, "E_DI_Version")->text(), QStringLiteral("1,00"));
  }

  void codePageBoxStartsAnsiWithDefaultCharset() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    auto* combo = Find<QComboBox>(*window, "ComboBox2");
    QCOMPARE(combo->count(), 18);
    QCOMPARE(combo->currentText(), QStringLiteral("DEFAULT_CHARSET"));
    QCOMPARE(combo->focusPolicy(), Qt::ClickFocus);
    QVERIFY(Find<QRadioButton>(*window, "RadioButton1")->isChecked());
    QVERIFY(!Find<QRadioButton>(*window, "RadioButton2")->isChecked());
    QVERIFY(!Find<QCheckBox>(*window, "ChBFix")->isChecked());
    QVERIFY(Find<QRadioButton>(*window, "RadioButton2")->isEnabled());
    QVERIFY(combo->isEnabled());
  }

  void defaultSettingsSaveToTheWorkingFolder() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    QVERIFY(Find<QRadioButton>(*window, "RadioButton4")->isChecked());
    auto* folder = Find<QLineEdit>(*window, "E_Dir_To_Save");
    QCOMPARE(folder->text(), QDir::currentPath() + QLatin1Char('/'));
    QVERIFY(folder->isEnabled());
    QVERIFY(Find<QToolButton>(*window, "SpeedButton5")->isEnabled());
    QVERIFY(Find<QCheckBox>(*window, "ChBSubfolders")->isChecked());
    QVERIFY(Find<QCheckBox>(*window, "ChBSubfolders")->isEnabled());
    QVERIFY(Find<QRadioButton>(*window, "RadioButton5")->isChecked());
    QVERIFY(Find<QRadioButton>(*window, "RadioButton8")->isChecked());
    QVERIFY(!Find<QCheckBox>(*window, "ChBZip")->isChecked());
    QVERIFY(window->action(QStringLiteral("Act_SelLangEn"))->isChecked());
  }

  void replaceSourceDisablesTheFolderControls() {
    WorkingFolderGuard guard;
    WindowSettings settings;
    settings.fileAct = true;
    auto window = MakeWindow(settings);
    QVERIFY(Find<QRadioButton>(*window, "RadioButton3")->isChecked());
    for (const char* name : {"E_Dir_To_Save", "SpeedButton5", "ChBSubfolders", "GroupBox7", "RadioButton6"}) {
      QVERIFY2(!Find<QWidget>(*window, name)->isEnabled(), name);
    }
    // Choosing "Save to dir:" enables them.
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton4"), Qt::LeftButton);
    QVERIFY(Find<QLineEdit>(*window, "E_Dir_To_Save")->isEnabled());
    QVERIFY(Find<QWidget>(*window, "GroupBox7")->isEnabled());
  }

  void commandsCarryTheirCaptionsAndShortcuts() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    struct Case {
      const char* name;
      const char* caption;
      const char* shortcut;
    };
    const Case cases[] = {
        {"Act_GoEdit", "", "F2"},
        {"Act_Save", "Save", ""},
        {"Act_next", "Next", "Ctrl+Left"},
        {"Act_Prev", "Previous", "Ctrl+Right"},
        {"Act_GetFile", "Open...", "F5"},
        {"Act_AddToBatch", "Add To Batch list", "Ctrl+B"},
        {"Act_View", "View", "F9"},
        {"Act_Unvisible", "Unvisible", "Ctrl+U"},
        {"Act_SelLangEn", "English", ""},
        {"Act_SelLangRu", "Russian", ""},
        {"Act_BeginEdit", "Do edit", "F2"},
        {"Act_SaveAs", "Save As...", "Ctrl+S"},
        {"Act_DelFromBatch", "Delete from batch", ""},
        {"Act_ClearBatch", "Clear Batch list", ""},
        {"Act_SaveBatchToTxt", "Save to file", ""},
        {"Act_OpenBatchFromTxt", "Open from file", ""},
        {"Act_StartBatch", "Start", ""},
        {"Act_AddAllToBatch", "Add all to batch", ""},
        {"Quit1", "Quit", ""},
        {"Help2", "&Help", "F1"},
        {"About1", "&About...", ""},
        {"CreatePellimoreenlng1", "Create Pellimore_en.lng", ""},
        {"mmiViewLog", "View Log", ""},
    };
    for (const Case& c : cases) {
      QAction* action = window->action(QLatin1String(c.name));
      QVERIFY2(action, c.name);
      QCOMPARE(action->text(), QString::fromLatin1(c.caption));
      QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut)));
    }
    QCOMPARE(window->action(QStringLiteral("Act_GoEdit"))->parent()->objectName(),
             QStringLiteral("ActionList1"));
    QCOMPARE(window->action(QStringLiteral("Act_Save"))->parent()->objectName(),
             QStringLiteral("ActionList2"));

    const QStringList fileMenu = [&] {
      QStringList captions;
      for (QAction* entry : window->findChild<QMenu*>(QStringLiteral("File1"))->actions()) {
        captions << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
      }
      return captions;
    }();
    QCOMPARE(fileMenu, QString::fromLatin1("Open...|Save|Save As...|-|Previous|Next|-|Add To Batch list|"
                                           "Add all to batch|-|View|-|Quit")
                           .split(QLatin1Char('|')));
  }

  void controlsCarryTheirNames() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    for (const char* name : {"ToolBar1",
                             "ToolBar4",
                             "TabSheet1",
                             "TabSheet2",
                             "TabSheet3",
                             "TabSheet4",
                             "TabSheet5",
                             "TabSheet6",
                             "TabSheet7",
                             "TabSheet8",
                             "DriveComboBox1",
                             "DirectoryListBox1",
                             "FilterComboBox1",
                             "FileListBox1",
                             "E_Path",
                             "SpeedButton4",
                             "CHZip",
                             "SpeedButton2",
                             "ListBox1",
                             "ListBox2",
                             "GroupBox1",
                             "GroupBox2",
                             "GroupBox4",
                             "GroupBox5",
                             "GroupBox6",
                             "GroupBox7",
                             "E_TI_BookTitle",
                             "E_TI_ALName",
                             "E_TI_AMName4",
                             "SBSelectGenre",
                             "E_TI_Language",
                             "ME_Date",
                             "E_DI_Date",
                             "E_DI_ID",
                             "SpeedButton1",
                             "E_DI_Src_Url",
                             "E_DI_LName_Orig",
                             "E_DI_EMail_orig",
                             "E_DI_LName",
                             "E_DI_EMail",
                             "RB3",
                             "RB4",
                             "Memo2",
                             "Memo3",
                             "SpeedButton3",
                             "ButSave",
                             "ButNext",
                             "ButPrev",
                             "SBNewHead",
                             "ChBZip",
                             "Label1",
                             "MainMenu1"}) {
      QVERIFY2(window->findChild<QObject*>(QLatin1String(name)), name);
    }
    QCOMPARE(Find<QComboBox>(*window, "FilterComboBox1")->count(), 4);
    QVERIFY(Find<QLineEdit>(*window, "E_DI_LName_Orig")->isReadOnly());
    QCOMPARE(Find<QLineEdit>(*window, "E_DI_LName")->focusPolicy(), Qt::ClickFocus);
  }

  void ctrlUTogglesTheHiddenMenu() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    QAction* menu = window->findChild<QMenu*>(QStringLiteral("Unvisible1"))->menuAction();
    QVERIFY(!menu->isVisible());
    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle")), Qt::Key_U,
                    Qt::ControlModifier);
    QVERIFY(menu->isVisible());
    QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
    QVERIFY(!menu->isVisible());
  }

  void shutDownTakesTheNewAuthorAsTyped() {
    WorkingFolderGuard guard;
    WindowSettings loaded;
    loaded.lname = "Smirnova";
    loaded.tabIndex = 2;
    auto window = MakeWindow(loaded);
    QCOMPARE(Find<QTabWidget>(*window, "PageControl2")->currentIndex(), 2);
    auto* first = Find<QLineEdit>(*window, "E_DI_FName");
    QCOMPARE(Find<QLineEdit>(*window, "E_DI_LName")->text(), QStringLiteral("Smirnova"));
    QTest::keyClicks(first, QStringLiteral("Anna"));
    const WindowSettings stored = window->SettingsFromControls();
    QCOMPARE(stored.fname, std::string("Anna"));
    QCOMPARE(stored.lname, std::string("Smirnova"));
    QCOMPARE(stored.tabIndex, 2);
    QVERIFY(!stored.fileAct);
  }

  void quitClosesTheWindow() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    window->action(QStringLiteral("Quit1"))->trigger();
    QVERIFY(!window->isVisible());
  }
};

static RegisterTest<StartupTest> registration;

}  // namespace pellimore::test

#include "startup_test.moc"
