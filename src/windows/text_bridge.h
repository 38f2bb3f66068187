#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pellimore {

// The one crossing between the core's byte strings and Qt's strings.

// Texts: bytes of the working code page. Characters the page lacks become "?" on the way back.
QString WorkingToQString(std::string_view bytes);
std::string QStringToWorking(const QString& text);

// Paths: the file system's own bytes, as the core hands them to the operating system.
QString PathToQString(std::string_view path);
std::string QStringToPath(const QString& path);

// A failure's text: paths and system reasons arrive in the file system's bytes (UTF-8), core
// messages in the working code page.
QString FailureToQString(std::string_view what);

}  // namespace pellimore
