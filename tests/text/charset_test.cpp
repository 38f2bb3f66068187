#include "text/charset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace pellimore {
namespace {

// Restores the pinned system encoding name after each test.
class CharsetTest : public ::testing::Test {
 protected:
  void TearDown() override { SetSystemEncodingName("windows-1251"); }
};

TEST_F(CharsetTest, CharsetIdFromNameMatchesExactNamesOnly) {
  const struct {
    const char* name;
    CharsetId id;
  } cases[] = {
      {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},
      {"SYMBOL_CHARSET", 2},        {"MAC_CHARSET", 77},
      {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},
      {"JOHAB_CHARSET", 130},       {"GB2312_CHARSET", 134},
      {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},
      {"TURKISH_CHARSET", 162},     {"VIETNAMESE_CHARSET", 163},
      {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},
      {"BALTIC_CHARSET", 186},      {"RUSSIAN_CHARSET", 204},
      {"THAI_CHARSET", 222},        {"EASTEUROPE_CHARSET", 238},
      {"OEM_CHARSET", 255},         {"russian_charset", 1},
      {"Russian_Charset", 1},       {"", 1},
      {"RUSSIAN_CHARSET ", 1},      {"RUSSIAN", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CharsetIdFromName(c.name), c.id);
  }
}

TEST_F(CharsetTest, EncodingFromCharsetIdFallsBackToSystemName) {
  SetSystemEncodingName("windows-1251");
  const struct {
    CharsetId id;
    const char* encoding;
  } cases[] = {
      {0, "windows-1251"},    {1, "windows-1251"},       {2, "windows-1251"},   {255, "windows-1251"},
      {204, "windows-1251"},  {77, "mac-cyrillic-2000"}, {128, "windows-932"},  {129, "windows-949"},
      {130, "windows-949"},   {134, "gb2312"},           {136, "windows-950"},  {161, "windows-1253"},
      {162, "windows-1254"},  {163, "windows-1258"},     {177, "windows-1255"}, {178, "windows-1256"},
      {186, "windows-1257"},  {222, "windows-874"},      {238, "windows-1252"}, {3, "windows-1251"},
      {1000, "windows-1251"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(EncodingFromCharsetId(c.id), c.encoding);
  }
}

TEST_F(CharsetTest, CharsetIdFromEncodingTestsSystemNameFirst) {
  const struct {
    const char* system;
    const char* encoding;
    CharsetId id;
  } cases[] = {
      {"windows-1251", "windows-1251", 1},
      {"windows-1251", "windows-1252", 238},
      {"windows-1252", "windows-1252", 1},
      {"windows-1252", "windows-1251", 204},
      {"windows-1251", "mac-cyrillic-2000", 77},
      {"windows-1251", "windows-932", 128},
      {"windows-1251", "windows-949", 129},
      {"windows-1251", "gb2312", 134},
      {"windows-1251", "windows-950", 136},
      {"windows-1251", "windows-1253", 161},
      {"windows-1251", "windows-1254", 162},
      {"windows-1251", "windows-1258", 163},
      {"windows-1251", "windows-1255", 177},
      {"windows-1251", "windows-1256", 178},
      {"windows-1251", "windows-1257", 186},
      {"windows-1251", "windows-874", 222},
      {"windows-1251", "koi8-r", 1},
      {"windows-1251", "iso-8859-1", 1},
      {"windows-1251", "windows-1250", 1},
      {"windows-1251", "utf8", 1},
      {"windows-1251", "WINDOWS-1253", 1},
      {"windows-1251", "", 1},
      {"", "", 1},
      {"", "windows-1251", 204},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.system) + " / " + c.encoding);
    SetSystemEncodingName(c.system);
    EXPECT_EQ(CharsetIdFromEncoding(c.encoding), c.id);
  }
}

TEST_F(CharsetTest, CharsetRoundTripThroughEncodingName) {
  SetSystemEncodingName("windows-1251");
  const struct {
    CharsetId id;
    CharsetId back;
  } cases[] = {
      {0, 1},     {1, 1},     {2, 1},     {77, 77},   {128, 128}, {129, 129}, {130, 129},
      {134, 134}, {136, 136}, {161, 161}, {162, 162}, {163, 163}, {177, 177}, {178, 178},
      {186, 186}, {204, 1},   {222, 222}, {238, 238}, {255, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(CharsetIdFromEncoding(EncodingFromCharsetId(c.id)), c.back);
  }
}

TEST_F(CharsetTest, EmptySystemNameGivesEmptyEncoding) {
  SetSystemEncodingName(EncodingFromCodePage(1250));
  EXPECT_EQ(SystemEncodingName(), "");
  EXPECT_EQ(EncodingFromCharsetId(DEFAULT_CHARSET), "");
  EXPECT_EQ(CharsetIdFromEncoding(""), DEFAULT_CHARSET);
  EXPECT_EQ(CharsetIdFromEncoding("windows-1251"), RUSSIAN_CHARSET);
}

TEST_F(CharsetTest, SystemEncodingNameIsCutToTwentyCharacters) {
  SetSystemEncodingName("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(SystemEncodingName(), "abcdefghijklmnopqrst");
  SetSystemEncodingName("windows-1257");
  EXPECT_EQ(SystemEncodingName(), "windows-1257");
}

TEST_F(CharsetTest, EncodingFromCodePage) {
  const struct {
    int page;
    const char* encoding;
  } cases[] = {
      {874, "windows-874"},
      {932, "windows-932"},
      {936, "gb2312"},
      {949, "windows-949"},
      {950, "windows-950"},
      {1251, "windows-1251"},
      {1252, "windows-1252"},
      {1255, "windows-1255"},
      {1258, "windows-1258"},
      {77, "mac-cyrillic-2000"},
      {1250, ""},
      {1259, ""},
      {437, ""},
      {0, ""},
      {-1251, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    EXPECT_EQ(EncodingFromCodePage(c.page), c.encoding);
  }
}

TEST(AnsiCodePageForLocaleTest, WindowsCharsetOrLanguageRule) {
  const struct {
    const char* locale;
    const char* charset;
    int page;
  } cases[] = {
      // The locale's own character set is a Windows page.
      {"ru_RU.CP1251", "CP1251", 1251},
      {"en_US.CP1251", "CP1251", 1251},
      {"en_US.UTF-8", "WINDOWS-1257", 1257},
      {"th_TH.cp874", "", 874},
      {"ru_RU.cp1251", "", 1251},
      {"de_DE.windows1250", "", 1250},
      // Otherwise the language decides.
      {"ru_RU.UTF-8", "UTF-8", 1251},
      {"ru_RU.KOI8-R", "KOI8-R", 1251},
      {"ru_RU.CP866", "IBM866", 1251},
      {"uk_UA.UTF-8", "UTF-8", 1251},
      {"be_BY", "", 1251},
      {"bg_BG.UTF-8", "UTF-8", 1251},
      {"mk_MK", "", 1251},
      {"sr_RS.UTF-8", "UTF-8", 1251},
      {"sr_RS.UTF-8@latin", "UTF-8", 1250},
      {"el_GR.UTF-8", "UTF-8", 1253},
      {"tr_TR.ISO-8859-9", "ISO-8859-9", 1254},
      {"az_AZ", "", 1254},
      {"he_IL.UTF-8", "UTF-8", 1255},
      {"ar_EG", "", 1256},
      {"fa_IR", "", 1256},
      {"ur_PK", "", 1256},
      {"et_EE", "", 1257},
      {"lv_LV", "", 1257},
      {"lt_LT.UTF-8", "UTF-8", 1257},
      {"vi_VN", "", 1258},
      {"th_TH.TIS-620", "TIS-620", 874},
      {"ja_JP.eucJP", "EUC-JP", 932},
      {"zh_CN.UTF-8", "UTF-8", 936},
      {"zh_SG", "", 936},
      {"zh_TW.UTF-8", "UTF-8", 950},
      {"zh_HK.Big5-HKSCS", "BIG5-HKSCS", 950},
      {"ko_KR.EUC-KR", "EUC-KR", 949},
      {"cs_CZ", "", 1250},
      {"pl_PL.UTF-8", "UTF-8", 1250},
      {"hu_HU", "", 1250},
      {"sk_SK", "", 1250},
      {"sl_SI", "", 1250},
      {"hr_HR", "", 1250},
      {"ro_RO", "", 1250},
      {"sq_AL", "", 1250},
      {"de_DE.ISO-8859-1", "ISO-8859-1", 1252},
      {"en_US.UTF-8", "UTF-8", 1252},
      {"C", "ANSI_X3.4-1968", 1252},
      {"C.UTF-8", "UTF-8", 1252},
      {"POSIX", "", 1252},
      {"", "", 1252},
      {"RU_ru.utf8", "", 1251},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " / " + c.charset);
    EXPECT_EQ(AnsiCodePageForLocale(c.locale, c.charset), c.page);
  }
}

// Sets locale variables for one test and puts the old values back.
class LocaleEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      if (m_saved[i]) {
        setenv(kVariables[i], m_saved[i]->c_str(), 1);
      } else {
        unsetenv(kVariables[i]);
      }
    }
  }
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LANG"};

 private:
  std::vector<std::optional<std::string>> m_saved;
};

TEST_F(LocaleEnvironmentTest, SystemAnsiCodePageFollowsLocaleVariables) {
  EXPECT_EQ(SystemAnsiCodePage(), 1252);  // nothing set: the C locale
  setenv("LANG", "el_GR.UTF-8", 1);
  EXPECT_EQ(SystemAnsiCodePage(), 1253);
  setenv("LC_CTYPE", "ru_RU.UTF-8", 1);
  EXPECT_EQ(SystemAnsiCodePage(), 1251);
  setenv("LC_ALL", "he_IL.UTF-8", 1);
  EXPECT_EQ(SystemAnsiCodePage(), 1255);
  setenv("LC_ALL", "", 1);  // an empty variable counts as unset
  EXPECT_EQ(SystemAnsiCodePage(), 1251);
  setenv("LC_CTYPE", "en_US.CP1257", 1);  // a locale that need not be installed
  EXPECT_EQ(SystemAnsiCodePage(), 1257);
}

}  // namespace
}  // namespace pellimore
