#include "text/codepage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace pellimore {
namespace {

// Puts the pinned working code page back after tests that switch it.
class CodePageTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWorkingCodePage(1251); }
};

TEST_F(CodePageTest, Cp1251ToUtf8) {
  const struct {
    const char* bytes;
    const char* utf8;
  } cases[] = {
      {"plain ASCII 123", "plain ASCII 123"},
      {"\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
      {"\xC0\xDF\xE0\xFF\xA8\xB8", "АЯаяЁё"},
      {"\x88\x96\xB9", "€–№"},
      {"\xB2\xB3\xAF\xBF\xAA\xBA\xA5\xB4", "ІіЇїЄєҐґ"},
      {"a\x98z", "a\xEF\xBF\xBDz"},  // 0x98 is undefined in 1251
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(WorkingToUtf8(c.bytes), c.utf8);
  }
}

TEST_F(CodePageTest, Utf8ToCp1251CharacterByCharacter) {
  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"Привет, мир!", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!"},
      {"Ёлка €", "\xA8\xEB\xEA\xE0 \x88"},
      {"café", "caf?"},  // é is not in 1251
      {"日本", "??"},    // one "?" per character, not per byte
      {"a😀b", "a?b"},    // 4-byte characters
      {"😀😀", "??"},
      {"\xEF\xBF\xBD", "?"},                  // U+FFFD itself
      {"\xFF", "?"},                          // never a lead byte
      {"a\xC3", "a?"},                        // cut off at the end
      {"\xE2\x82x", "?x"},                    // cut off before another character
      {"\xC0\xAF", "??"},                     // overlong lead and a stray continuation
      {"\xE0\x80\xAF", "???"},                // overlong three-byte form
      {"\xED\xA0\x80", "???"},                // a surrogate
      {"\xF4\x90\x80\x80", "????"},           // beyond U+10FFFF
      {"\x80\xBF", "??"},                     // stray continuations
      {"\xD0\xAF\xFF\xD0\xAF", "\xDF?\xDF"},  // the rest of the text stays
      {"\xF0\x9F\x98", "?"},                  // a cut four-byte character
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToWorking(c.utf8), c.bytes);
  }
}

TEST_F(CodePageTest, EveryDefinedByteRoundTripsInEveryWindowsPage) {
  for (int page : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    SCOPED_TRACE(page);
    SetWorkingCodePage(page);
    EXPECT_EQ(WorkingCodePage(), page);
    for (int b = 1; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      const std::string utf8 = WorkingToUtf8(byte);
      if (utf8 == "\xEF\xBF\xBD") continue;  // undefined in this page
      EXPECT_EQ(Utf8ToWorking(utf8), byte) << "byte " << b;
    }
  }
}

TEST_F(CodePageTest, OtherPagesConvertTheirOwnLetters) {
  SetWorkingCodePage(1253);
  EXPECT_EQ(WorkingToUtf8("\xC1\xE1\xD9\xF9"), "ΑαΩω");
  EXPECT_EQ(Utf8ToWorking("Ωмега"), "\xD9????");  // Cyrillic is not in 1253
  SetWorkingCodePage(1252);
  EXPECT_EQ(Utf8ToWorking("café Привет"), "caf\xE9 ??????");
  // 1258 writes letters without a byte of their own as a base letter and a combining mark.
  SetWorkingCodePage(1258);
  EXPECT_EQ(Utf8ToWorking("ế"), "\xEA\xEC");
  EXPECT_EQ(Utf8ToWorking("ŵ"), "?");
}

TEST_F(CodePageTest, UnknownOrMultiBytePagesAreRejected) {
  for (int page : {0, -5, 99999, 932, 936, 949, 950}) {
    SCOPED_TRACE(page);
    EXPECT_THROW(SetWorkingCodePage(page), std::invalid_argument);
    EXPECT_EQ(WorkingCodePage(), 1251);
  }
  EXPECT_NO_THROW(SetWorkingCodePage(866));  // an OEM single-byte page
  EXPECT_EQ(WorkingToUtf8("\x80"), "А");
}

TEST_F(CodePageTest, LowerCaseFollowsTheWorkingPage) {
  const struct {
    int page;
    const char* text;
    const char* lower;
  } cases[] = {
      {1251, "\xC0\xC1\xC2\xDF\xA8 ABCZ", "\xE0\xE1\xE2\xFF\xB8 abcz"},  // АБВЯЁ ABCZ
      {1251, "\xE0\xFF\xB8 az 09 .,!", "\xE0\xFF\xB8 az 09 .,!"},        // already small
      {1251, "\x80\x81\x8A\xA1\xA3\xA5\xAA\xAF\xB2", "\x90\x83\x9A\xA2\xBC\xB4\xBA\xBF\xB3"},
      {1252, "\xC0\xC9\xD6\x8A\x8C\x9F", "\xE0\xE9\xF6\x9A\x9C\xFF"},  // ÀÉÖŠŒŸ
      {1252, "\xD7\xDF", "\xD7\xDF"},                                  // × and ß stay
      {1253, "\xC1\xD3\xD9\xA2", "\xE1\xF3\xF9\xDC"},                  // ΑΣΩΆ
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    SetWorkingCodePage(c.page);
    EXPECT_EQ(LowerCase(c.text), c.lower);
  }
  SetWorkingCodePage(1251);
  EXPECT_EQ(LowerCaseByte('\xC9'), '\xE9');  // Й
  EXPECT_EQ(LowerCaseByte('Q'), 'q');
  EXPECT_EQ(LowerCaseByte('\x98'), '\x98');  // undefined bytes stay
}

TEST_F(CodePageTest, AsciiLowerLeavesOtherBytesAlone) {
  EXPECT_EQ(AsciiLower("XML \xC0\xC1 Body-Tag"), "xml \xC0\xC1 body-tag");
  EXPECT_EQ(AsciiLower(""), "");
}

TEST_F(CodePageTest, LargeTextsConvertInOneCall) {
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += "Line \xCF\xF0\xE8\xE2\xE5\xF2 <p>\r\n";
  const std::string utf8 = WorkingToUtf8(bytes);
  EXPECT_EQ(utf8.size(), bytes.size() + 200000 * 6);
  EXPECT_EQ(Utf8ToWorking(utf8), bytes);
}

}  // namespace
}  // namespace pellimore
