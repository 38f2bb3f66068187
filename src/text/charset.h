#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellimore {

// Font charset numbers of the GDI conventions, as shown in the code-page box.
using CharsetId = std::uint16_t;

constexpr CharsetId ANSI_CHARSET = 0;
constexpr CharsetId DEFAULT_CHARSET = 1;
constexpr CharsetId SYMBOL_CHARSET = 2;
constexpr CharsetId MAC_CHARSET = 77;
constexpr CharsetId SHIFTJIS_CHARSET = 128;
constexpr CharsetId HANGEUL_CHARSET = 129;
constexpr CharsetId JOHAB_CHARSET = 130;
constexpr CharsetId GB2312_CHARSET = 134;
constexpr CharsetId CHINESEBIG5_CHARSET = 136;
constexpr CharsetId GREEK_CHARSET = 161;
constexpr CharsetId TURKISH_CHARSET = 162;
constexpr CharsetId VIETNAMESE_CHARSET = 163;
constexpr CharsetId HEBREW_CHARSET = 177;
constexpr CharsetId ARABIC_CHARSET = 178;
constexpr CharsetId BALTIC_CHARSET = 186;
constexpr CharsetId RUSSIAN_CHARSET = 204;
constexpr CharsetId THAI_CHARSET = 222;
constexpr CharsetId EASTEUROPE_CHARSET = 238;
constexpr CharsetId OEM_CHARSET = 255;

// Exact, case-sensitive match against the 19 charset names; anything else gives DEFAULT_CHARSET.
CharsetId CharsetIdFromName(std::string_view name);
// Encoding name for a document declaration; ids without a name of their own give SystemEncodingName().
std::string EncodingFromCharsetId(CharsetId id);
// Exact match (the caller lower-cases); SystemEncodingName() is tested first and gives DEFAULT_CHARSET.
CharsetId CharsetIdFromEncoding(std::string_view encoding);
// "windows-NNNN" for 874, 932, 949, 950 and 1251..1258, "gb2312" for 936, "mac-cyrillic-2000" for 77,
// empty for every other number.
std::string EncodingFromCodePage(int codePage);

// The system's ANSI code page from the locale of the process environment (LC_ALL, LC_CTYPE, LANG;
// "C" when none is set), by AnsiCodePageForLocale. The process locale is not changed.
int SystemAnsiCodePage();
// The code page a locale stands for: a locale whose character set is a Windows single-byte page
// gives that page, otherwise the page that Windows gives the locale's language (1252 by default).
// localeName is e.g. "ru_RU.UTF-8" or "C"; charset is the locale's codeset, e.g. "UTF-8" or "CP1251"
// (when empty, the codeset written in the name is used). "sr@latin" gives 1250, zh_TW and zh_HK 950.
int AnsiCodePageForLocale(std::string_view localeName, std::string_view charset);

// Encoding name of the system code page, set once at start-up (cut to 20 characters).
const std::string& SystemEncodingName();
void SetSystemEncodingName(std::string_view name);

}  // namespace pellimore
