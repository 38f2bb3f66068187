#pragma once

#include <string>

namespace pellimore {

// Reading the process locale without changing it: the locale name that the environment gives a
// category (LC_ALL, then the category's own variable, then LANG; "C" when none is set), and
// the values of such a locale. Each value is empty when the locale is not installed.

std::string LocaleNameFromEnvironment(const char* categoryVariable);
std::string LocaleCodeset(const std::string& localeName);     // e.g. "UTF-8", "CP1251"
std::string LocaleDateFormat(const std::string& localeName);  // D_FMT, e.g. "%d.%m.%Y"
std::string LocaleRadixChar(const std::string& localeName);   // e.g. "," or "."

}  // namespace pellimore
