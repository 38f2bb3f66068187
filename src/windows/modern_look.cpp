#include "windows/modern_look.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QOperatingSystemVersion>
#include <QPalette>
#include <QToolBar>
#include <QWidget>

namespace pellimore {

namespace {

int ClassifyWin9x(const OsVersionRecord& record) {
  if (record.major != 4) return 1;
  switch (record.minor) {
    case 0:
      return 3;
    case 10:
      return record.servicePack.size() >= 2 && record.servicePack[1] == 'A' ? 5 : 4;
    case 90:
      return 6;
    default:
      return 1;
  }
}

int ClassifyWinNT(const OsVersionRecord& record) {
  switch (record.major) {
    case 4:
      return 7;
    case 5:
      return record.minor == 0 ? 8 : record.minor == 1 ? 9 : 2;
    case 6:
      return record.minor == 0 ? 10 : record.minor == 1 ? 11 : 12;
    default:
      return 2;
  }
}

// Plain frames stand for the original's panels; labels and scroll areas derive from QFrame
// too but are no containers.
bool IsPanel(const QWidget* widget) { return widget->metaObject() == &QFrame::staticMetaObject; }

bool IsTintedKind(const QWidget* widget) {
  return widget->isWindow() || qobject_cast<const QToolBar*>(widget) ||
         qobject_cast<const QGroupBox*>(widget) || IsPanel(widget);
}

}  // namespace

int ClassifyOsVersion(const OsVersionRecord& record) {
  switch (record.platform) {
    case OsVersionRecord::Platform::Win9x:
      return ClassifyWin9x(record);
    case OsVersionRecord::Platform::WinNT:
      return ClassifyWinNT(record);
    default:
      return 0;
  }
}

bool IsModernWindows(const OsVersionRecord& record) {
  if (record.platform == OsVersionRecord::Platform::Posix) return true;
  const int code = ClassifyOsVersion(record);
  return code >= 10 && code <= 12;
}

OsVersionRecord CurrentOsVersion() {
  OsVersionRecord record;
#if defined(Q_OS_WIN)
  record.platform = OsVersionRecord::Platform::WinNT;
  const QOperatingSystemVersion version = QOperatingSystemVersion::current();
  record.major = version.majorVersion();
  record.minor = version.minorVersion();
#else
  record.platform = OsVersionRecord::Platform::Posix;
#endif
  return record;
}

bool IsModernWindows() { return IsModernWindows(CurrentOsVersion()); }

void Tint(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, PanelTint);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void TintContainers(QObject* owner) {
  for (QObject* child : owner->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child); widget && IsTintedKind(widget)) Tint(widget);
    TintContainers(child);
  }
}

void TintApplication() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    Tint(window);
    TintContainers(window);
  }
}

QPoint TabCaptionOrigin(const QRect& rect, const QSize& textSize) {
  // QRect's right() is inclusive; the original's rectangles end one pixel further.
  const int left = rect.left();
  const int right = rect.left() + rect.width();
  const int top = rect.top();
  const int bottom = rect.top() + rect.height();
  const int centreX = left + (right - left) / 2;
  const int centreY = top + (bottom - top) / 2;
  return {centreX - textSize.width() / 2, centreY - textSize.height() / 2};
}

}  // namespace pellimore
