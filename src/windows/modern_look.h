#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <string>

class QObject;
class QWidget;

namespace pellimore {

// The one colour of every tinted container and owner-drawn tab face.
inline const QColor PanelTint{209, 208, 203};

// The operating system's version record, as far as the look depends on it.
struct OsVersionRecord {
  enum class Platform { Unreadable, Win9x, WinNT, Posix };
  Platform platform = Platform::Unreadable;
  int major = 0;
  int minor = 0;
  std::string servicePack;  // the service string, e.g. " A" or "Service Pack 3"
};

// The system's generation code, 0..12: 0 unreadable or unknown platform; 9x family 1, 3..6;
// NT family 2, 7..12 (10..12 are the NT 6.x systems).
int ClassifyOsVersion(const OsVersionRecord& record);
// True for the NT 6.x codes (10, 11, 12), and for a Posix system, which gets the tinted look too.
bool IsModernWindows(const OsVersionRecord& record);
// The record of the running system.
OsVersionRecord CurrentOsVersion();
bool IsModernWindows();

// Gives every window, tool bar, group box and panel among the objects owned by owner (walked
// depth-first in ownership order) the PanelTint background.
void TintContainers(QObject* owner);
// TintContainers over every top-level window of the application, the windows included.
void TintApplication();
// Gives one widget the PanelTint background.
void Tint(QWidget* widget);

// Where an owner-drawn tab caption of textSize has its top-left corner: centred in rect,
// divisions rounding toward zero.
QPoint TabCaptionOrigin(const QRect& rect, const QSize& textSize);

}  // namespace pellimore
