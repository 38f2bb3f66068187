#include <QGroupBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "window_test_support.h"
#include "windows/modern_look.h"
#include "windows/tinted_tab_widget.h"

namespace pellimore::test {

using Platform = OsVersionRecord::Platform;

class LookTest : public QObject {
  Q_OBJECT

 private slots:
  void classifiesVersionRecords_data() {
    QTest::addColumn<int>("platform");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("servicePack");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("modern");
    const auto row = [](const char* name, Platform p, int major, int minor, const char* sp, int code,
                        bool modern) {
      QTest::newRow(name) << static_cast<int>(p) << major << minor << QString::fromLatin1(sp) << code
                          << modern;
    };
    row("unreadable", Platform::Unreadable, 6, 1, "", 0, false);
    row("95", Platform::Win9x, 4, 0, "", 3, false);
    row("98", Platform::Win9x, 4, 10, "", 4, false);
    row("98 SE", Platform::Win9x, 4, 10, " A", 5, false);
    row("Me", Platform::Win9x, 4, 90, "", 6, false);
    row("9x other minor", Platform::Win9x, 4, 3, "", 1, false);
    row("9x other major", Platform::Win9x, 5, 0, "", 1, false);
    row("NT 4", Platform::WinNT, 4, 0, "", 7, false);
    row("2000", Platform::WinNT, 5, 0, "", 8, false);
    row("XP", Platform::WinNT, 5, 1, "Service Pack 3", 9, false);
    row("2003", Platform::WinNT, 5, 2, "", 2, false);
    row("Vista", Platform::WinNT, 6, 0, "", 10, true);
    row("7", Platform::WinNT, 6, 1, "", 11, true);
    row("8", Platform::WinNT, 6, 2, "", 12, true);
    row("NT 10 counts as old", Platform::WinNT, 10, 0, "", 2, false);
    row("NT 3", Platform::WinNT, 3, 51, "", 2, false);
    row("Linux", Platform::Posix, 0, 0, "", 0, true);
  }

  void classifiesVersionRecords() {
    QFETCH(int, platform);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, servicePack);
    QFETCH(int, code);
    QFETCH(bool, modern);
    const OsVersionRecord record{static_cast<Platform>(platform), major, minor, servicePack.toStdString()};
    QCOMPARE(ClassifyOsVersion(record), code);
    QCOMPARE(IsModernWindows(record), modern);
  }

  void runningSystemGetsTheTintedLook() { QVERIFY(IsModernWindows()); }

  void centresTabCaptionsRoundingTowardZero() {
    // Rectangle 10..160 x 2..22 (right and bottom exclusive): centre (85, 12).
    QCOMPARE(TabCaptionOrigin(QRect(10, 2, 150, 20), QSize(41, 13)), QPoint(65, 6));
    QCOMPARE(TabCaptionOrigin(QRect(0, 0, 111, 21), QSize(40, 12)), QPoint(35, 4));
  }

  void tintsContainersAndDrawsTabFaces() {
    WorkingFolderGuard guard;
    auto window = MakeWindow();
    QVERIFY(window->modernLook());
    QCOMPARE(window->palette().color(QPalette::Window), PanelTint);
    for (const char* name : {"GroupBox1", "GroupBox3", "GroupBox6"}) {
      auto* group = window->findChild<QGroupBox*>(QLatin1String(name));
      QVERIFY(group);
      QCOMPARE(group->palette().color(QPalette::Window), PanelTint);
      QVERIFY(group->autoFillBackground());
    }
    auto* toolBar = window->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    QVERIFY(toolBar && toolBar->autoFillBackground());
    // Edits keep their own white face.
    auto* title = window->findChild<QLineEdit*>(QStringLiteral("E_TI_BookTitle"));
    QVERIFY(!title->autoFillBackground());

    auto* status = window->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QCOMPARE(status->palette().color(QPalette::Window), PanelTint);
    QVERIFY(!status->isSizeGripEnabled());
    for (const char* name : {"PageControl1", "PageControl2", "PageControl3"}) {
      auto* pages = window->findChild<TintedTabWidget*>(QLatin1String(name));
      QVERIFY(pages);
      QVERIFY(pages->tintedTabBar()->ownerDrawn());
    }
    QCOMPARE(
        window->findChild<TintedTabWidget*>(QStringLiteral("PageControl2"))->tintedTabBar()->fixedTabWidth(),
        110);
    QCOMPARE(
        window->findChild<TintedTabWidget*>(QStringLiteral("PageControl1"))->tintedTabBar()->fixedTabWidth(),
        150);
  }
};

static RegisterTest<LookTest> registration;

}  // namespace pellimore::test

#include "look_test.moc"
