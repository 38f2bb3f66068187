#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "window_test_support.h"

namespace pellimore::test {

// "Save", the "Save" button and "Save As..." from the window.
class SaveTest : public QObject {
  Q_OBJECT

 private:
  WorkingFolderGuard m_guard;
  std::unique_ptr<QTemporaryDir> m_folder;
  QString m_book;

  template <class T>
  static T* Find(const TForm1& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
  }

  // A window with book.fb2 ("XML Basics" by John Smith) open from the file list.
  std::unique_ptr<TForm1> WindowWithBook() {
    auto window = MakeWindow();
    window->ChooseFolder(m_folder->path());
    Find<QListWidget>(*window, "FileListBox1")->setCurrentRow(0);
    window->action(QStringLiteral("Act_GetFile"))->trigger();
    return window;
  }

  static void TypeTitle(TForm1& window, const QString& title) {
    auto* edit = Find<QLineEdit>(window, "E_TI_BookTitle");
    edit->selectAll();
    QTest::keyClicks(edit, title);
  }

 private slots:
  void init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_book = WriteBook(m_folder->path(), QStringLiteral("book.fb2"), "XML Basics");
  }

  void typedDateAndVersionReachTheRecord() {
    auto window = MakeWindow();
    auto* date = Find<QLineEdit>(*window, "ME_Date");
    date->setFocus();
    date->home(false);
    QTest::keyClicks(date, QStringLiteral("05032007"));
    auto* version = Find<QLineEdit>(*window, "E_DI_Version");
    version->selectAll();
    QTest::keyClicks(version, QStringLiteral("2.5"));
    window->action(QStringLiteral("Act_GetFile"))->trigger();  // nothing selected: only writes back
    QCOMPARE(window->workspace().header.ME_Date, std::string("05.03.2007"));
    QCOMPARE(window->workspace().header.E_DI_Version, std::string("2.5"));
    QCOMPARE(version->text(), QStringLiteral("2.50"));
    QCOMPARE(date->text(), QStringLiteral("05.03.2007"));
  }

  void saveWritesOverTheSource() {
    auto window = WindowWithBook();
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton3"), Qt::LeftButton);
    TypeTitle(*window, QStringLiteral("Edited Title"));
    window->action(QStringLiteral("Act_Save"))->trigger();
    const QByteArray saved = ReadFile(m_book);
    QVERIFY(saved.contains("<book-title>Edited Title</book-title>"));
    QVERIFY(saved.contains("<body><section><p>Body text</p></section></body>"));
    QVERIFY(saved.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"));
    QVERIFY(window->dialogs().asked().empty());
  }

  void saveButtonSavesAndMovesToNext() {
    auto window = WindowWithBook();
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton3"), Qt::LeftButton);
    Find<QCheckBox>(*window, "ChBZip")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(*window, "ButSave"), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(m_book + QStringLiteral(".zip")));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ButNext"));
  }

  void saveIntoTheSaveFolderUnderATemplateName_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::newRow("Cyrillic") << QStringLiteral("RadioButton5") << QStringLiteral("Smith J. XML Basics.fb2");
    QTest::newRow("transliterated") << QStringLiteral("RadioButton6")
                                    << QStringLiteral("Smith_J._Xml_Basics.fb2");
    QTest::newRow("no rename") << QStringLiteral("RadioButton7") << QStringLiteral("book.fb2");
  }

  void saveIntoTheSaveFolderUnderATemplateName() {
    QFETCH(QString, button);
    QFETCH(QString, name);
    auto window = WindowWithBook();
    const QString target = QDir(m_folder->path()).filePath(QStringLiteral("out"));
    QDir().mkpath(target);
    QTest::mouseClick(Find<QRadioButton>(*window, "RadioButton4"), Qt::LeftButton);
    Find<QLineEdit>(*window, "E_Dir_To_Save")->setText(target + QLatin1Char('/'));
    Find<QCheckBox>(*window, "ChBSubfolders")->setChecked(false);
    QTest::mouseClick(window->findChild<QRadioButton*>(button), Qt::LeftButton);
    window->action(QStringLiteral("Act_Save"))->trigger();
    QCOMPARE(QDir(target).entryList(QDir::Files), QStringList{name});
    QCOMPARE(ReadFile(m_book), BookBytes("windows-1251", "XML Basics"));
  }

  void saveAsWritesWhereTheDialogSays() {
    auto window = WindowWithBook();
    const QString target = QDir(m_folder->path()).filePath(QStringLiteral("copy"));
    window->dialogs().queueAnswer({true, target});
    QTest::keyClick(Find<QLineEdit>(*window, "E_TI_BookTitle"), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(window->dialogs().asked().size(), std::size_t{1});
    const ModalDialogs::Question& question = window->dialogs().asked().front();
    QCOMPARE(question.kind, ModalDialogs::Kind::SaveFile);
    QCOMPARE(question.text, m_book);
    // The name is used as typed: no extension is added.
    QVERIFY(ReadFile(target).contains("<book-title>XML Basics</book-title>"));
  }

  void saveAsCancelledOrWithoutABookWritesNothing() {
    auto window = WindowWithBook();
    window->dialogs().queueAnswer({false, {}});
    window->action(QStringLiteral("Act_SaveAs"))->trigger();
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).size(), 1);

    auto empty = MakeWindow();
    empty->action(QStringLiteral("Act_SaveAs"))->trigger();
    QVERIFY(empty->dialogs().asked().empty());
  }

  void aFailedWriteIsShownInAMessageBox() {
    auto window = WindowWithBook();
    window->dialogs().queueAnswer(
        {true, QDir(m_folder->path()).filePath(QStringLiteral("missing/dir/x.fb2"))});
    window->action(QStringLiteral("Act_SaveAs"))->trigger();
    const auto& asked = window->dialogs().asked();
    QCOMPARE(asked.size(), std::size_t{2});
    QCOMPARE(asked.back().kind, ModalDialogs::Kind::Message);
    QCOMPARE(asked.back().title, QStringLiteral("Pellimore"));
    QVERIFY2(asked.back().text.startsWith(QStringLiteral("Cannot create file")),
             qPrintable(asked.back().text));
    // The window goes on working.
    QCOMPARE(Find<QLineEdit>(*window, "E_TI_BookTitle")->text(), QStringLiteral("XML Basics"));
  }
};

static RegisterTest<SaveTest> registration;

}  // namespace pellimore::test

#include "save_test.moc"
