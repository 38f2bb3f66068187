#include <QApplication>
#include <QLocale>
#include <clocale>
#include <stdexcept>

#include "text/charset.h"
#include "text/codepage.h"
#include "text/platform.h"
#include "windows/main_window.h"

namespace {

// The working code page is the system's ANSI page; a multi-byte page (932, 936, 949, 950)
// cannot hold the core's single-byte texts, so such a system works in 1252, and its documents
// are declared in the page their bytes are really in.
void SetUpPlatform() {
  int codePage = pellimore::SystemAnsiCodePage();
  try {
    pellimore::SetWorkingCodePage(codePage);
  } catch (const std::invalid_argument&) {
    codePage = 1252;
    pellimore::SetWorkingCodePage(codePage);
  }
  pellimore::SetSystemEncodingName(pellimore::EncodingFromCodePage(codePage).substr(0, 20));
  pellimore::SetShortDateFormat(pellimore::SystemShortDateFormat());
  const QString mark = QLocale::system().decimalPoint();
  pellimore::SetDecimalMark(mark.size() == 1 ? mark.front().toLatin1() : '.');
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt takes the whole locale from the environment; number formatting in the core must keep
  // the point, the user's decimal mark is handled explicitly.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Pellimore"));
  QApplication::setApplicationDisplayName(QStringLiteral("Pellimore"));
  SetUpPlatform();
  pellimore::TForm1 window;
  window.show();
  return QApplication::exec();
}
