#include "windows/charset_font.h"

namespace pellimore {

QFontDatabase::WritingSystem WritingSystemForCharset(CharsetId id) {
  switch (id) {
    case RUSSIAN_CHARSET:
      return QFontDatabase::Cyrillic;
    case GREEK_CHARSET:
      return QFontDatabase::Greek;
    case TURKISH_CHARSET:
    case BALTIC_CHARSET:
    case EASTEUROPE_CHARSET:
      return QFontDatabase::Latin;
    case HEBREW_CHARSET:
      return QFontDatabase::Hebrew;
    case ARABIC_CHARSET:
      return QFontDatabase::Arabic;
    case THAI_CHARSET:
      return QFontDatabase::Thai;
    case VIETNAMESE_CHARSET:
      return QFontDatabase::Vietnamese;
    case SHIFTJIS_CHARSET:
      return QFontDatabase::Japanese;
    case HANGEUL_CHARSET:
    case JOHAB_CHARSET:
      return QFontDatabase::Korean;
    case GB2312_CHARSET:
      return QFontDatabase::SimplifiedChinese;
    case CHINESEBIG5_CHARSET:
      return QFontDatabase::TraditionalChinese;
    case SYMBOL_CHARSET:
      return QFontDatabase::Symbol;
    default:
      return QFontDatabase::Any;
  }
}

QFont FontForCharset(const QFont& base, CharsetId id) {
  const QFontDatabase::WritingSystem script = WritingSystemForCharset(id);
  if (script == QFontDatabase::Any) return base;
  const QStringList families = QFontDatabase::families(script);
  if (families.isEmpty() || families.contains(base.family())) return base;
  QFont font = base;
  font.setFamilies({families.first()});
  return font;
}

}  // namespace pellimore
