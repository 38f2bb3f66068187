#include <QApplication>
#include <QTest>
#include <clocale>

#include "text/charset.h"
#include "text/codepage.h"
#include "text/platform.h"
#include "window_test_support.h"

// Runs every registered window test class on the offscreen platform with the pinned platform
// of all tests: code page 1251, day-first dates, a point as decimal mark.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationDisplayName(QStringLiteral("Pellimore"));
  pellimore::SetWorkingCodePage(1251);
  pellimore::SetSystemEncodingName("windows-1251");
  pellimore::SetShortDateFormat("dd.MM.yyyy");
  pellimore::SetDecimalMark('.');

  int failures = 0;
  for (const auto& factory : pellimore::test::TestClasses()) {
    const std::unique_ptr<QObject> tests = factory();
    failures += QTest::qExec(tests.get(), argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
