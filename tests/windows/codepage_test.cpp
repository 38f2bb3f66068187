#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "window_test_support.h"

namespace pellimore::test {

// The code-page box as books are read.
class CodePageTest : public QObject {
  Q_OBJECT

 private:
  WorkingFolderGuard m_guard;
  QTemporaryDir m_folder;

  template <class T>
  static T* Find(const TForm1& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
  }

  static void Open(TForm1& window, const QString& name) {
    auto* files = Find<QListWidget>(window, "FileListBox1");
    files->setCurrentItem(files->findItems(name, Qt::MatchExactly).value(0));
    window.action(QStringLiteral("Act_GetFile"))->trigger();
  }

  std::unique_ptr<TForm1> WindowOnFolder() {
    auto window = MakeWindow();
    window->ChooseFolder(m_folder.path());
    return window;
  }

 private slots:
  void initTestCase() {
    WriteBook(m_folder.path(), QStringLiteral("utf8.fb2"), QStringLiteral("Война и мир").toUtf8(), "utf-8");
    WriteBook(m_folder.path(), QStringLiteral("greek.fb2"), "\xC1\xE8\xDE\xED\xE1", "windows-1253");
  }

  void aUtf8BookSelectsUtf8AndIsDecoded() {
    auto window = WindowOnFolder();
    Open(*window, QStringLiteral("utf8.fb2"));
    QCOMPARE(Find<QLineEdit>(*window, "E_TI_BookTitle")->text(), QStringLiteral("Война и мир"));
    QVERIFY(Find<QRadioButton>(*window, "RadioButton2")->isChecked());
    QCOMPARE(Find<QRadioButton>(*window, "RadioButton2")->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(Find<QRadioButton>(*window, "RadioButton1")->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(Find<QComboBox>(*window, "ComboBox2")->currentText(), QStringLiteral("DEFAULT_CHARSET"));
    QCOMPARE(Find<QLabel>(*window, "StatusPanel1")->text(), QStringLiteral("utf-8"));
  }

  void aGreekBookSelectsAnsiAndTheGreekCharset() {
    auto window = WindowOnFolder();
    Open(*window, QStringLiteral("utf8.fb2"));
    Open(*window, QStringLiteral("greek.fb2"));
    QVERIFY(Find<QRadioButton>(*window, "RadioButton1")->isChecked());
    QCOMPARE(Find<QComboBox>(*window, "ComboBox2")->currentText(), QStringLiteral("GREEK_CHARSET"));
    QCOMPARE(Find<QLabel>(*window, "StatusPanel1")->text(), QStringLiteral("windows-1253"));
    // The bytes stay as read: shown through the working code page.
    QCOMPARE(window->workspace().header.E_TI_BookTitle, std::string("\xC1\xE8\xDE\xED\xE1"));
  }

  void fixKeepsTheChoiceWhateverTheBooksDeclare() {
    auto window = WindowOnFolder();
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton2"), Qt::LeftButton);
    QTest::mouseClick(Find<QCheckBox>(*window, "ChBFix"), Qt::LeftButton);
    QVERIFY(!Find<QRadioButton>(*window, "RadioButton1")->isEnabled());
    QVERIFY(!Find<QComboBox>(*window, "ComboBox2")->isEnabled());
    Open(*window, QStringLiteral("greek.fb2"));
    QVERIFY(Find<QRadioButton>(*window, "RadioButton2")->isChecked());
    QCOMPARE(Find<QComboBox>(*window, "ComboBox2")->currentText(), QStringLiteral("GREEK_CHARSET"));
    QCOMPARE(Find<QLabel>(*window, "StatusPanel1")->text(), QStringLiteral("windows-1253"));

    // Fix off, "ANSI", Fix on again: a UTF-8 book keeps "ANSI".
    QTest::mouseClick(Find<QCheckBox>(*window, "ChBFix"), Qt::LeftButton);
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton1"), Qt::LeftButton);
    QTest::mouseClick(Find<QCheckBox>(*window, "ChBFix"), Qt::LeftButton);
    Open(*window, QStringLiteral("utf8.fb2"));
    QVERIFY(Find<QRadioButton>(*window, "RadioButton1")->isChecked());
    QCOMPARE(Find<QLabel>(*window, "StatusPanel1")->text(), QStringLiteral("utf-8"));
  }

  void choosingACharsetSetsTheFieldFonts() {
    auto window = WindowOnFolder();
    auto* combo = Find<QComboBox>(*window, "ComboBox2");
    const int greek = combo->findText(QStringLiteral("GREEK_CHARSET"));
    combo->setCurrentIndex(greek);
    emit combo->activated(greek);
    for (const char* name :
         {"E_TI_BookTitle", "E_TI_AMName4", "Memo2", "Memo3", "E_DI_Version", "E_DI_MName"}) {
      QCOMPARE(window->findChild<QWidget*>(QLatin1String(name))->property("fontCharset").toInt(), 161);
    }
    for (const char* name : {"E_DI_Src_Url", "ME_Date", "E_DI_NickName", "E_DI_LName_Orig"}) {
      QVERIFY2(!window->findChild<QWidget*>(QLatin1String(name))->property("fontCharset").isValid(), name);
    }
  }
};

static RegisterTest<CodePageTest> registration;

}  // namespace pellimore::test

#include "codepage_test.moc"
