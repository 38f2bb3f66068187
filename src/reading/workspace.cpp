#include "reading/workspace.h"

namespace pellimore {

const std::vector<std::string>& CharsetEntries() {
  static const std::vector<std::string> entries = {
      "ANSI_CHARSET",     "ARABIC_CHARSET", "BALTIC_CHARSET",  "CHINESEBIG5_CHARSET", "DEFAULT_CHARSET",
      "EASTEUROPE_CHARSET", "GB2312_CHARSET", "GREEK_CHARSET", "HANGEUL_CHARSET",     "HEBREW_CHARSET",
      "JOHAB_CHARSET",    "MAC_CHARSET",    "OEM_CHARSET",     "RUSSIAN_CHARSET",     "SHIFTJIS_CHARSET",
      "SYMBOL_CHARSET",   "THAI_CHARSET",   "TURKISH_CHARSET",
  };
  return entries;
}

}  // namespace pellimore
