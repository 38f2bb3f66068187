#include "text/translit.h"

#include <gtest/gtest.h>

#include <string>

#include "text/codepage.h"

namespace pellimore {
namespace {

// The tests run with the working code page 1251: texts are written in UTF-8 and converted.
std::string Cp1251(const char* utf8) { return Utf8ToWorking(utf8); }

TEST(TransliterateTest, CyrillicToLatin) {
  const struct {
    const char* text;
    const char* latin;
  } cases[] = {
      {"Толстой Л.Н. Война и Мир", "tolstoj l.n. vojna i mir"},
      {"Щука", "shuka"},
      {"Объявление", "objavlenie"},
      {"Юля", "julja"},
      {"Ёжик", "ezhik"},
      {"ЁЛКА", "elka"},
      {"Хоцкий", "hockij"},
      {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "abvgdeezhzijklmnoprstufhcchshshyejuja"},
      {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", "abvgdeezhzijklmnoprstufhcchshshyejuja"},
      {"ABC xyz 123 .,;!", "abc xyz 123 .,;!"},
      {"Ъ", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Transliterate(Cp1251(c.text)), c.latin);
  }
}

TEST(TransliterateTest, LettersOutsideTheTableStayLowerCased) {
  // Ukrainian Ї, І and Є are lowered (0xBF, 0xB3, 0xBA) and copied; tab and no-break space stay.
  EXPECT_EQ(Transliterate(Cp1251("Їжак Іван Єва")), "\xBFzhak \xB3van \xBAva");
  EXPECT_EQ(Transliterate("a\t\xA0z"), "a\t\xA0z");
}

TEST(TransliterateTest, SameByteValuesInAnotherPage) {
  SetWorkingCodePage(1252);
  // À (0xC0) is lowered to à (0xE0), the byte of Cyrillic а.
  EXPECT_EQ(Transliterate("\xC0\xFF"), "aja");
  SetWorkingCodePage(1251);
}

TEST(FileNameTest, SpacesToUnderscores) {
  EXPECT_EQ(SpacesToUnderscores("tolstoj l.n. vojna i mir"), "tolstoj_l.n._vojna_i_mir");
  EXPECT_EQ(SpacesToUnderscores("  a  "), "__a__");
  EXPECT_EQ(SpacesToUnderscores("a\tb\xA0"
                                "c"),
            "a\tb\xA0"
            "c");
  EXPECT_EQ(SpacesToUnderscores(""), "");
}

TEST(FileNameTest, CapitalizeFirstRaisesAsciiOnly) {
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"", ""},
      {"abc", "Abc"},
      {"Abc", "Abc"},
      {"a", "A"},
      {"1abc", "1abc"},
      {"\xE0"
       "bc",
       "\xE0"
       "bc"},
      {"zed", "Zed"},
      {"{x", "{x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CapitalizeFirst(c.text), c.result);
  }
}

TEST(FileNameTest, CapitalizeWords) {
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"tolstoj_l.n._vojna_i_mir", "Tolstoj_L.n._Vojna_I_Mir"},
      {"a_b", "A_B"},
      {"a_", "A"},
      {"_a", "_A"},
      {"__a", "_A"},
      {"a__b", "A__B"},
      {"a_b_", "A_B"},
      {"abc", "Abc"},
      {"_", ""},
      {"__", ""},
      {"", ""},
      {"1_x", "1_X"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CapitalizeWords(c.text), c.result);
  }
}

TEST(FileNameTest, TransliteratedTemplateChain) {
  const std::string latin = Transliterate(Cp1251("Толстой Л.Н. Война и Мир"));
  EXPECT_EQ(CapitalizeWords(SpacesToUnderscores(latin)), "Tolstoj_L.n._Vojna_I_Mir");
}

TEST(FileNameTest, RemoveBadFileChars) {
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"a?b:c*d|e", "abcde"},
      {"?:<>\"*\\/|", ""},
      {"C:\\books/x<y>\"z\"", "Cbooksxyz"},
      {"??::", ""},
      {"a\tb\x01"
       "c. d'e",
       "a\tb\x01"
       "c. d'e"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RemoveBadFileChars(c.text), c.result);
  }
}

TEST(FileNameTest, RemoveColons) {
  EXPECT_EQ(RemoveColons("C:"), "C");
  EXPECT_EQ(RemoveColons("a::b:"), "ab");
  EXPECT_EQ(RemoveColons("a?b"), "a?b");
  EXPECT_EQ(RemoveColons(""), "");
}

}  // namespace
}  // namespace pellimore
