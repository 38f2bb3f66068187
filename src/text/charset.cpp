#include "text/charset.h"

#include <array>
#include <cctype>
#include <charconv>

#include "text/locale_env.h"

namespace pellimore {

namespace {

struct CharsetRow {
  std::string_view name;
  CharsetId id;
  std::string_view encoding;  // empty: the system's encoding name
};

// The order of the rows is the order in which names are compared.
constexpr std::array<CharsetRow, 19> kCharsets = {{
    {"ANSI_CHARSET", ANSI_CHARSET, ""},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET, ""},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET, ""},
    {"MAC_CHARSET", MAC_CHARSET, "mac-cyrillic-2000"},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET, "windows-932"},
    {"HANGEUL_CHARSET", HANGEUL_CHARSET, "windows-949"},
    {"JOHAB_CHARSET", JOHAB_CHARSET, "windows-949"},
    {"GB2312_CHARSET", GB2312_CHARSET, "gb2312"},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET, "windows-950"},
    {"GREEK_CHARSET", GREEK_CHARSET, "windows-1253"},
    {"TURKISH_CHARSET", TURKISH_CHARSET, "windows-1254"},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET, "windows-1258"},
    {"HEBREW_CHARSET", HEBREW_CHARSET, "windows-1255"},
    {"ARABIC_CHARSET", ARABIC_CHARSET, "windows-1256"},
    {"BALTIC_CHARSET", BALTIC_CHARSET, "windows-1257"},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET, "windows-1251"},
    {"THAI_CHARSET", THAI_CHARSET, "windows-874"},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET, "windows-1252"},
    {"OEM_CHARSET", OEM_CHARSET, ""},
}};

// Encoding names in the order CharsetIdFromEncoding compares them.
struct EncodingRow {
  std::string_view encoding;
  CharsetId id;
};
constexpr std::array<EncodingRow, 14> kEncodings = {{
    {"mac-cyrillic-2000", MAC_CHARSET},
    {"windows-932", SHIFTJIS_CHARSET},
    {"windows-949", HANGEUL_CHARSET},
    {"gb2312", GB2312_CHARSET},
    {"windows-950", CHINESEBIG5_CHARSET},
    {"windows-1253", GREEK_CHARSET},
    {"windows-1254", TURKISH_CHARSET},
    {"windows-1258", VIETNAMESE_CHARSET},
    {"windows-1255", HEBREW_CHARSET},
    {"windows-1256", ARABIC_CHARSET},
    {"windows-1257", BALTIC_CHARSET},
    {"windows-1251", RUSSIAN_CHARSET},
    {"windows-874", THAI_CHARSET},
    {"windows-1252", EASTEUROPE_CHARSET},
}};

constexpr std::size_t kMaxEncodingNameLength = 20;
constexpr int kDefaultAnsiCodePage = 1252;

std::string& SystemEncodingNameStorage() {
  static std::string name;
  return name;
}

bool IsWindowsSingleBytePage(int page) { return page == 874 || (page >= 1250 && page <= 1258); }

// "CP1251", "cp1251", "WINDOWS-1251", "windows1251" and "1251" give 1251; anything else 0.
int WindowsPageFromCharsetName(std::string_view charset) {
  std::string squeezed;
  for (char c : charset) {
    if (c == '-' || c == '_') continue;
    squeezed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  std::string_view digits = squeezed;
  for (std::string_view prefix : {std::string_view("WINDOWS"), std::string_view("CP")}) {
    if (digits.substr(0, prefix.size()) == prefix) {
      digits.remove_prefix(prefix.size());
      break;
    }
  }
  int page = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), page);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return IsWindowsSingleBytePage(page) ? page : 0;
}

// The part of a locale name after "." and before "@": "ru_RU.CP1251@x" gives "CP1251".
std::string_view CodesetOfLocaleName(std::string_view localeName) {
  std::size_t dot = localeName.find('.');
  if (dot == std::string_view::npos) return {};
  std::string_view codeset = localeName.substr(dot + 1);
  return codeset.substr(0, codeset.find('@'));
}

struct LocaleParts {
  std::string language;   // "ru"
  std::string territory;  // "RU"
  std::string modifier;   // "latin"
};

LocaleParts SplitLocaleName(std::string_view name) {
  LocaleParts parts;
  std::size_t at = name.find('@');
  if (at != std::string_view::npos) {
    parts.modifier = std::string(name.substr(at + 1));
    name = name.substr(0, at);
  }
  name = name.substr(0, name.find('.'));
  std::size_t underscore = name.find('_');
  parts.language = std::string(name.substr(0, underscore));
  if (underscore != std::string_view::npos) parts.territory = std::string(name.substr(underscore + 1));
  for (char& c : parts.language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : parts.territory) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return parts;
}

// The ANSI code page that Windows gives a language.
int WindowsPageOfLanguage(const LocaleParts& locale) {
  struct LanguagePage {
    std::string_view language;
    int page;
  };
  static constexpr LanguagePage kPages[] = {
      {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251}, {"el", 1253},
      {"tr", 1254}, {"az", 1254}, {"he", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"et", 1257},
      {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},  {"ko", 949},  {"cs", 1250},
      {"pl", 1250}, {"hu", 1250}, {"sk", 1250}, {"sl", 1250}, {"hr", 1250}, {"ro", 1250}, {"sq", 1250},
  };
  if (locale.language == "zh") {
    bool traditional = locale.territory == "TW" || locale.territory == "HK" || locale.territory == "MO";
    return traditional ? 950 : 936;
  }
  // Serbian in Latin letters is a Central European page on Windows.
  if (locale.language == "sr" && locale.modifier == "latin") return 1250;
  for (const LanguagePage& entry : kPages) {
    if (entry.language == locale.language) return entry.page;
  }
  return kDefaultAnsiCodePage;
}

}  // namespace

CharsetId CharsetIdFromName(std::string_view name) {
  for (const CharsetRow& row : kCharsets) {
    if (row.name == name) return row.id;
  }
  return DEFAULT_CHARSET;
}

std::string EncodingFromCharsetId(CharsetId id) {
  for (const CharsetRow& row : kCharsets) {
    if (row.id == id) return row.encoding.empty() ? SystemEncodingName() : std::string(row.encoding);
  }
  return SystemEncodingName();
}

CharsetId CharsetIdFromEncoding(std::string_view encoding) {
  if (encoding == SystemEncodingName()) return DEFAULT_CHARSET;
  for (const EncodingRow& row : kEncodings) {
    if (row.encoding == encoding) return row.id;
  }
  return DEFAULT_CHARSET;
}

std::string EncodingFromCodePage(int codePage) {
  switch (codePage) {
    case 874:
    case 932:
    case 949:
    case 950:
      return "windows-" + std::to_string(codePage);
    case 936:
      return "gb2312";
    case 77:
      return "mac-cyrillic-2000";
    default:
      if (codePage >= 1251 && codePage <= 1258) return "windows-" + std::to_string(codePage);
      return {};
  }
}

int AnsiCodePageForLocale(std::string_view localeName, std::string_view charset) {
  if (charset.empty()) charset = CodesetOfLocaleName(localeName);
  if (int page = WindowsPageFromCharsetName(charset)) return page;
  return WindowsPageOfLanguage(SplitLocaleName(localeName));
}

int SystemAnsiCodePage() {
  const std::string localeName = LocaleNameFromEnvironment("LC_CTYPE");
  return AnsiCodePageForLocale(localeName, LocaleCodeset(localeName));
}

const std::string& SystemEncodingName() { return SystemEncodingNameStorage(); }

void SetSystemEncodingName(std::string_view name) {
  SystemEncodingNameStorage() = std::string(name.substr(0, kMaxEncodingNameLength));
}

}  // namespace pellimore
