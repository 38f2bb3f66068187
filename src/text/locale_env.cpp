#include "text/locale_env.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>

namespace pellimore {

namespace {

const char* NonEmptyVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::string LocaleInfo(const std::string& localeName, int categoryMask, nl_item item) {
  locale_t locale = newlocale(categoryMask, localeName.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return {};
  const char* value = nl_langinfo_l(item, locale);
  std::string result = value != nullptr ? value : "";
  freelocale(locale);
  return result;
}

}  // namespace

std::string LocaleNameFromEnvironment(const char* categoryVariable) {
  for (const char* name : {"LC_ALL", categoryVariable, "LANG"}) {
    if (const char* value = NonEmptyVariable(name)) return value;
  }
  return "C";
}

std::string LocaleCodeset(const std::string& localeName) {
  return LocaleInfo(localeName, LC_CTYPE_MASK, CODESET);
}

std::string LocaleDateFormat(const std::string& localeName) {
  return LocaleInfo(localeName, LC_TIME_MASK, D_FMT);
}

std::string LocaleRadixChar(const std::string& localeName) {
  return LocaleInfo(localeName, LC_NUMERIC_MASK, RADIXCHAR);
}

}  // namespace pellimore
