#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "text/charset.h"

namespace pellimore {

// The script a font charset of the code-page box stands for; Any for the charsets without one.
QFontDatabase::WritingSystem WritingSystemForCharset(CharsetId id);
// base when its family covers the charset's script, else base with the first family that does.
QFont FontForCharset(const QFont& base, CharsetId id);

}  // namespace pellimore
