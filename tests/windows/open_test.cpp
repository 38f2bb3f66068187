#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "window_test_support.h"
#include "windows/file_browser.h"

namespace pellimore::test {

namespace {

QString Title(const TForm1& window) {
  return window.findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle"))->text();
}

}  // namespace

// Opening books from the three lists of the left pane, and walking them.
class OpenTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_folder;
  QStringList m_books;  // Book1 .. Book5, in the file list's order
  WorkingFolderGuard m_guard;

  std::unique_ptr<TForm1> WindowOnFolder() {
    auto window = MakeWindow();
    window->ChooseFolder(m_folder.path());
    return window;
  }
  static QListWidget* List(const TForm1& window, const char* name) {
    return window.findChild<QListWidget*>(QLatin1String(name));
  }
  static QTabWidget* Pages(const TForm1& window, const char* name) {
    return window.findChild<QTabWidget*>(QLatin1String(name));
  }

 private slots:
  void initTestCase() {
    QVERIFY(m_folder.isValid());
    for (int i = 1; i <= 5; ++i) {
      m_books << WriteBook(m_folder.path(), QStringLiteral("book%1.fb2").arg(i),
                           "Book" + QByteArray::number(i));
    }
    WriteFile(m_folder.path(), QStringLiteral("notes.txt"), "text");
    QDir(m_folder.path()).mkdir(QStringLiteral("sub.fb2"));
  }

  void listsOrdinaryMatchingFilesByName() {
    QTemporaryDir folder;
    for (const char* name : {"b.fb2", "A.FB2", "c.zip", "d.txt", ".hidden.fb2", "e"}) {
      WriteFile(folder.path(), QLatin1String(name), "x");
    }
    QDir(folder.path()).mkdir(QStringLiteral("f.fb2"));
    QCOMPARE(ListBookFiles(folder.path(), QStringLiteral("*.fb2;*.zip")),
             QStringList({QStringLiteral("A.FB2"), QStringLiteral("b.fb2"), QStringLiteral("c.zip")}));
    QCOMPARE(ListBookFiles(folder.path(), QStringLiteral("*.*")).size(), 5);
  }

  void choosingAFolderMakesItTheWorkingFolder() {
    auto window = WindowOnFolder();
    QCOMPARE(QDir::currentPath(), QDir(m_folder.path()).canonicalPath());
    QListWidget* files = List(*window, "FileListBox1");
    QCOMPARE(files->count(), 5);
    QCOMPARE(files->item(0)->text(), QStringLiteral("book1.fb2"));
    // "Zip files (*.zip)" hides the books; "All files (*.*)" shows the notes too.
    auto* filter = window->findChild<QComboBox*>(QStringLiteral("FilterComboBox1"));
    filter->setCurrentIndex(2);
    emit filter->activated(2);
    QCOMPARE(files->count(), 0);
    filter->setCurrentIndex(3);
    emit filter->activated(3);
    QCOMPARE(files->count(), 6);
  }

  void enterOnAFolderOpensIt() {
    auto window = WindowOnFolder();
    auto* folders = window->findChild<QTreeWidget*>(QStringLiteral("DirectoryListBox1"));
    const QList<QTreeWidgetItem*> found = folders->findItems(QStringLiteral("sub.fb2"), Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    folders->setCurrentItem(found.first());
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(QDir::currentPath(), QDir(m_folder.path()).canonicalPath() + QStringLiteral("/sub.fb2"));
    QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("FileListBox1"))->count(), 0);
  }

  void enterInTheFileListOpensAndLandsInTheTitle() {
    auto window = WindowOnFolder();
    Pages(*window, "PageControl1")->setCurrentIndex(2);
    QListWidget* files = List(*window, "FileListBox1");
    files->setCurrentRow(1);
    files->setFocus();
    QSignalSpy reachedTheList(files, &QListWidget::activated);
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(reachedTheList.count(), 0);
    QCOMPARE(Title(*window), QStringLiteral("Book2"));
    QCOMPARE(Pages(*window, "PageControl1")->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("E_TI_BookTitle"));
    QCOMPARE(files->currentRow(), 1);
    auto* panel = window->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
    QCOMPARE(panel->text(), m_books[1]);
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(),
             QStringLiteral("windows-1251"));
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("StatusPanel2"))->text().isEmpty());
  }

  void doubleClickOpensFromTheListClicked_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("list");
    QTest::newRow("Files") << 0 << QStringLiteral("FileListBox1");
    QTest::newRow("Common list") << 1 << QStringLiteral("ListBox1");
    QTest::newRow("Batch list") << 2 << QStringLiteral("ListBox2");
  }

  void doubleClickOpensFromTheListClicked() {
    QFETCH(int, page);
    QFETCH(QString, list);
    auto window = WindowOnFolder();
    List(*window, "ListBox1")->addItems(m_books);
    List(*window, "ListBox2")->addItems(m_books);
    Pages(*window, "PageControl2")->setCurrentIndex(page);
    Pages(*window, "PageControl1")->setCurrentIndex(1);
    auto* clicked = window->findChild<QListWidget*>(list);
    QApplication::processEvents();
    const QRect row = clicked->visualItemRect(clicked->item(3));
    // A real double click: the first click selects, the second one is the double click.
    QTest::mouseClick(clicked->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(clicked->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(Title(*window), QStringLiteral("Book4"));
    QCOMPARE(Pages(*window, "PageControl1")->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("E_TI_BookTitle"));
  }

  void f5OpensTheSourceListsEntryAndKeepsPageAndFocus_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Files") << 0 << QStringLiteral("Book3");
    QTest::newRow("Common list") << 1 << QStringLiteral("Book4");
    QTest::newRow("Batch list") << 2 << QStringLiteral("Book5");
  }

  void f5OpensTheSourceListsEntryAndKeepsPageAndFocus() {
    QFETCH(int, page);
    QFETCH(QString, expected);
    auto window = WindowOnFolder();
    List(*window, "FileListBox1")->setCurrentRow(2);
    List(*window, "ListBox1")->addItems(m_books);
    List(*window, "ListBox1")->setCurrentRow(3);
    List(*window, "ListBox2")->addItems(m_books);
    List(*window, "ListBox2")->setCurrentRow(4);
    Pages(*window, "PageControl2")->setCurrentIndex(page);
    Pages(*window, "PageControl1")->setCurrentIndex(1);
    auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo2"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_F5);
    QCOMPARE(Title(*window), expected);
    QCOMPARE(Pages(*window, "PageControl1")->currentIndex(), 1);
    QCOMPARE(QApplication::focusWidget(), memo);
  }

  void f5WithNothingSelectedLoadsNothing() {
    auto window = WindowOnFolder();
    window->action(QStringLiteral("Act_GetFile"))->trigger();
    QVERIFY(Title(*window).isEmpty());
    QVERIFY(window->workspace().header.CurrentFileName.empty());
    QVERIFY(window->dialogs().asked().empty());
  }

  void nextAndPreviousWalkTheFileList() {
    auto window = WindowOnFolder();
    QListWidget* files = List(*window, "FileListBox1");
    files->setCurrentRow(0);
    auto* title = window->findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle"));
    title->setFocus();
    for (const char* expected : {"Book2", "Book3", "Book4"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
      QCOMPARE(Title(*window), QLatin1String(expected));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(Title(*window), QStringLiteral("Book3"));
    QCOMPARE(QApplication::focusWidget(), title);
  }

  void theWalkStopsAtBothEndsAndReopens() {
    auto window = WindowOnFolder();
    QListWidget* files = List(*window, "FileListBox1");
    auto* title = window->findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle"));
    files->setCurrentRow(4);
    window->action(QStringLiteral("Act_next"))->trigger();
    QCOMPARE(Title(*window), QStringLiteral("Book5"));
    // Typed changes are lost when the last entry is opened again.
    title->setText(QStringLiteral("typed"));
    title->setModified(true);
    window->action(QStringLiteral("Act_next"))->trigger();
    QCOMPARE(files->currentRow(), 4);
    QCOMPARE(Title(*window), QStringLiteral("Book5"));

    files->setCurrentRow(0);
    window->action(QStringLiteral("Act_Prev"))->trigger();
    QCOMPARE(files->currentRow(), 0);
    QCOMPARE(Title(*window), QStringLiteral("Book1"));
  }

  void withNothingSelectedNextOpensTheFirstAndPreviousNothing() {
    auto window = WindowOnFolder();
    window->action(QStringLiteral("Act_Prev"))->trigger();
    QVERIFY(Title(*window).isEmpty());
    window->action(QStringLiteral("Act_next"))->trigger();
    QCOMPARE(Title(*window), QStringLiteral("Book1"));
  }

  void anEmptyListOpensNothingAndSaysNothing() {
    auto window = WindowOnFolder();
    Pages(*window, "PageControl2")->setCurrentIndex(2);
    window->action(QStringLiteral("Act_next"))->trigger();
    window->action(QStringLiteral("Act_Prev"))->trigger();
    QVERIFY(Title(*window).isEmpty());
    QVERIFY(window->dialogs().asked().empty());
  }

  void nextKeepsTheSettingsPageAndTheFocus() {
    auto window = WindowOnFolder();
    Pages(*window, "PageControl1")->setCurrentIndex(2);
    auto* folder = window->findChild<QLineEdit*>(QStringLiteral("E_Dir_To_Save"));
    folder->setFocus();
    window->findChild<QWidget*>(QStringLiteral("ButNext"))->setFocus();
    QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("ButNext")), Qt::LeftButton);
    QCOMPARE(Title(*window), QStringLiteral("Book1"));
    QCOMPARE(Pages(*window, "PageControl1")->currentIndex(), 2);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ButNext"));
  }

  void f2GoesToTheGenreFieldFromAnyField() {
    auto window = WindowOnFolder();
    auto* title = window->findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle"));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_F2);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("E_TI_Genre"));

    Pages(*window, "PageControl1")->setCurrentIndex(1);
    auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo3"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_F2);
    QCOMPARE(Pages(*window, "PageControl1")->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("E_TI_Genre"));

    // The second F2 command shows the title field when run.
    window->action(QStringLiteral("Act_BeginEdit"))->trigger();
    QCOMPARE(QApplication::focusWidget(), title);
  }
};

static RegisterTest<OpenTest> registration;

}  // namespace pellimore::test

#include "open_test.moc"
