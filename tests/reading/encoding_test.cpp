#include "reading/encoding.h"

#include <gtest/gtest.h>

#include "reader_fixtures.h"
#include "reading/description_reader.h"
#include "text/charset.h"

namespace pellimore {
namespace {

using testing::ReaderFixture;
using testing::TempFolder;
using testing::W;

constexpr int kGreekEntry = 7;
constexpr int kRussianEntry = 13;

// A book with the given declaration line and a Cyrillic title in UTF-8.
std::string BookWith(std::string_view declaration) {
  return std::string(declaration) +
         "\n<FictionBook><description><title-info><book-title>Ёж</book-title></title-info>"
         "</description><body/></FictionBook>\n";
}

struct DeclarationCase {
  const char* name;
  const char* declaration;
  bool utf8;
  CharsetId charset;  // SourceCharset and SaveCharset afterwards
  const char* status;
  int entry;  // ComboBox2Index afterwards (starting from RUSSIAN_CHARSET)
};

TEST(ReadDeclaredEncoding, EachDeclarationForm) {
  const DeclarationCase cases[] = {
      {"utf-8", "<?xml version=\"1.0\" encoding=\"utf-8\"?>", true, 0, "utf-8", kRussianEntry},
      {"utf-8 in capitals", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", true, 0, "utf-8", kRussianEntry},
      {"utf-8 in apostrophes", "<?xml version='1.0' encoding='utf-8'?>", true, 0, "utf-8", kRussianEntry},
      {"utf-8 before another attribute", "<?xml encoding=\"Utf-8\" standalone=\"yes\"?>", true, 0, "utf-8",
       kRussianEntry},
      {"utf8 without hyphen", "<?xml version=\"1.0\" encoding=\"utf8\"?>", false, DEFAULT_CHARSET,
       "windows-1251", CodePageBox::kDefaultEntry},
      {"the system's code page", "<?xml version=\"1.0\" encoding=\"Windows-1251\"?>", false, DEFAULT_CHARSET,
       "windows-1251", CodePageBox::kDefaultEntry},
      {"greek", "<?xml version=\"1.0\" encoding=\"windows-1253\"?>", false, GREEK_CHARSET, "windows-1253",
       kGreekEntry},
      {"vietnamese, not in the list", "<?xml version=\"1.0\" encoding=\"windows-1258\"?>", false,
       VIETNAMESE_CHARSET, "windows-1258", kRussianEntry},
      {"koi8-r, outside the table", "<?xml version=\"1.0\" encoding=\"koi8-r\"?>", false, DEFAULT_CHARSET,
       "windows-1251", CodePageBox::kDefaultEntry},
      // Without an encoding name, well-formed UTF-8 bytes are read as XML's default encoding.
      {"no encoding attribute", "<?xml version=\"1.0\"?>", true, 0, "utf-8", kRussianEntry},
      {"no declaration", "", true, 0, "utf-8", kRussianEntry},
  };
  for (const DeclarationCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderFixture f;
    TempFolder folder;
    // The previous book was UTF-8 and left RUSSIAN_CHARSET in the list and the state.
    HeaderRecord& header = f.workspace.header;
    header.SourceIsUtf8 = true;
    header.SourceCharset = header.SaveCharset = RUSSIAN_CHARSET;
    f.workspace.codePage.ComboBox2Index = kRussianEntry;
    f.workspace.codePage.RadioButton1 = false;
    f.workspace.codePage.RadioButton2 = true;

    GetDescription(f.workspace, folder.Write("book.fb2", BookWith(c.declaration)));

    EXPECT_EQ(header.SourceIsUtf8, c.utf8);
    EXPECT_EQ(header.SourceCharset, c.utf8 ? RUSSIAN_CHARSET : c.charset);
    EXPECT_EQ(header.SaveCharset, c.utf8 ? RUSSIAN_CHARSET : c.charset);
    EXPECT_EQ(f.workspace.statusPanels[1], c.status);
    EXPECT_EQ(f.workspace.codePage.ComboBox2Index, c.entry);
    EXPECT_EQ(f.workspace.codePage.RadioButton2, c.utf8);
    EXPECT_EQ(f.workspace.codePage.RadioButton1, !c.utf8);
    EXPECT_EQ(f.workspace.codePage.RadioButton2TabStop, c.utf8);
    EXPECT_EQ(f.workspace.codePage.RadioButton1TabStop, !c.utf8);
    // Decoded only under a UTF-8 declaration; otherwise the bytes stay as written.
    EXPECT_EQ(header.E_TI_BookTitle, c.utf8 ? W("Ёж") : std::string("Ёж"));
  }
}

TEST(ReadDeclaredEncoding, UndeclaredSingleByteTextIsNotReadAsUtf8) {
  const std::string singleByteTitle = W("Ёж");
  const struct {
    const char* name;
    std::string book;
  } cases[] = {
      {"windows-1251 bytes", "<FictionBook><description><title-info><book-title>" + singleByteTitle +
                                 "</book-title></title-info></description><body/></FictionBook>\n"},
      {"ASCII only", "<FictionBook><description><title-info><book-title>Hedgehog</book-title></title-info>"
                     "</description><body/></FictionBook>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderFixture f;
    TempFolder folder;
    f.workspace.header.SourceIsUtf8 = true;  // left by the previous book
    GetDescription(f.workspace, folder.Write("book.fb2", c.book));
    EXPECT_FALSE(f.workspace.header.SourceIsUtf8);
    EXPECT_TRUE(f.workspace.codePage.RadioButton1);
    EXPECT_EQ(f.workspace.statusPanels[1], "windows-1251");
  }
  ReaderFixture f;
  TempFolder folder;
  GetDescription(f.workspace, folder.Write("book.fb2", cases[0].book));
  EXPECT_EQ(f.workspace.header.E_TI_BookTitle, singleByteTitle);
}

TEST(ReadDeclaredEncoding, FixKeepsTheRadioButtonsButNotTheList) {
  ReaderFixture f;
  TempFolder folder;
  CodePageBox& box = f.workspace.codePage;
  box.ChBFix = true;
  box.RadioButton1 = false;
  box.RadioButton2 = true;
  GetDescription(f.workspace,
                 folder.Write("a.fb2", BookWith("<?xml version=\"1.0\" encoding=\"windows-1253\"?>")));
  EXPECT_TRUE(box.RadioButton2);
  EXPECT_FALSE(box.RadioButton1TabStop);
  EXPECT_FALSE(box.RadioButton2TabStop);
  EXPECT_EQ(box.ComboBox2Index, kGreekEntry);
  EXPECT_EQ(f.workspace.statusPanels[1], "windows-1253");
  EXPECT_EQ(ChooseOutputEncoding(f.workspace), "utf-8");
  EXPECT_TRUE(f.workspace.header.SaveAsUtf8);

  box.RadioButton1 = true;
  box.RadioButton2 = false;
  GetDescription(f.workspace, folder.Write("b.fb2", BookWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>")));
  EXPECT_TRUE(box.RadioButton1);
  EXPECT_EQ(f.workspace.header.E_TI_BookTitle, W("Ёж"));
  EXPECT_EQ(ChooseOutputEncoding(f.workspace), "windows-1253");
  EXPECT_FALSE(f.workspace.header.SaveAsUtf8);
  EXPECT_EQ(f.workspace.header.SaveCharset, GREEK_CHARSET);
}

TEST(ChooseOutputEncoding, FollowsTheBoxAtTheMomentOfSaving) {
  ReaderFixture f;
  CodePageBox& box = f.workspace.codePage;
  const struct {
    int entry;
    const char* encoding;
    CharsetId charset;
  } cases[] = {
      {CodePageBox::kDefaultEntry, "windows-1251", DEFAULT_CHARSET},
      {0, "windows-1251", ANSI_CHARSET},
      {kRussianEntry, "windows-1251", RUSSIAN_CHARSET},
      {kGreekEntry, "windows-1253", GREEK_CHARSET},
      {5, "windows-1252", EASTEUROPE_CHARSET},
      {10, "windows-949", JOHAB_CHARSET},
      {11, "mac-cyrillic-2000", MAC_CHARSET},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    box.ComboBox2Index = c.entry;
    EXPECT_EQ(ChooseOutputEncoding(f.workspace), c.encoding);
    EXPECT_EQ(f.workspace.header.SaveCharset, c.charset);
    EXPECT_FALSE(f.workspace.header.SaveAsUtf8);
  }
  box.RadioButton1 = false;
  box.RadioButton2 = true;
  EXPECT_EQ(ChooseOutputEncoding(f.workspace), "utf-8");
  EXPECT_TRUE(f.workspace.header.SaveAsUtf8);
}

TEST(ChooseOutputEncoding, EmptySystemEncodingNameGivesAnEmptyName) {
  ReaderFixture f;
  SetSystemEncodingName("");
  const std::string name = ChooseOutputEncoding(f.workspace);
  SetSystemEncodingName("windows-1251");
  EXPECT_EQ(name, "");
  EXPECT_EQ(f.workspace.header.SaveCharset, DEFAULT_CHARSET);
}

TEST(DecodeDocumentText, DecodesCharacterByCharacter) {
  ReaderFixture f;
  f.workspace.header.SourceIsUtf8 = true;
  const struct {
    const char* name;
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"Cyrillic", "Привет", W("Привет")},
      {"one stray byte",
       "При\xFF"
       "вет",
       W("При?вет")},
      {"a cut sequence at the end", "ёж\xD0", W("ёж?")},
      {"a four-byte character",
       "a\xF0\x9F\x98\x80"
       "b",
       "a?b"},
      {"a character the code page lacks",
       "a\xE4\xB8\xAD"
       "b",
       "a?b"},
      {"plain ASCII", "x &amp; y", "x &amp; y"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeDocumentText(f.workspace, c.utf8), c.expected);
  }
  f.workspace.header.SourceIsUtf8 = false;
  EXPECT_EQ(DecodeDocumentText(f.workspace, "При\xFF"), "При\xFF");
}

TEST(ApplyCharset, AppliesOnlyAChangedCharset) {
  ReaderFixture f;
  CodePageBox& box = f.workspace.codePage;
  HeaderRecord& header = f.workspace.header;

  box.ComboBox2Index = 0;  // ANSI_CHARSET as the first action: SourceCharset is already 0
  ComboBox2Change(f.workspace);
  EXPECT_EQ(box.FieldsCharset, DEFAULT_CHARSET);
  EXPECT_EQ(header.SourceCharset, ANSI_CHARSET);

  box.ComboBox2Index = kGreekEntry;
  ComboBox2Change(f.workspace);
  EXPECT_EQ(box.FieldsCharset, GREEK_CHARSET);
  EXPECT_EQ(header.SourceCharset, GREEK_CHARSET);
  EXPECT_FALSE(box.CharsetApplying);

  SelectCharsetEntry(f.workspace, RUSSIAN_CHARSET);  // from code: no fonts change
  EXPECT_EQ(box.ComboBox2Index, kRussianEntry);
  EXPECT_EQ(box.FieldsCharset, GREEK_CHARSET);

  ApplyCharset(f.workspace, CharsetAsker::Other, ARABIC_CHARSET);
  EXPECT_EQ(box.ComboBox2Index, 1);
  EXPECT_EQ(box.FieldsCharset, ARABIC_CHARSET);

  box.CharsetApplying = true;  // while ApplyCharset runs, the list's handler does nothing
  box.ComboBox2Index = kGreekEntry;
  ComboBox2Change(f.workspace);
  EXPECT_EQ(box.FieldsCharset, ARABIC_CHARSET);
}

TEST(SelectCharsetEntry, KeepsTheSelectionForCharsetsOutsideTheList) {
  ReaderFixture f;
  f.workspace.codePage.ComboBox2Index = kGreekEntry;
  SelectCharsetEntry(f.workspace, VIETNAMESE_CHARSET);
  EXPECT_EQ(f.workspace.codePage.ComboBox2Index, kGreekEntry);
  SelectCharsetEntry(f.workspace, 99);
  EXPECT_EQ(f.workspace.codePage.ComboBox2Index, kGreekEntry);
  SelectCharsetEntry(f.workspace, OEM_CHARSET);
  EXPECT_EQ(f.workspace.codePage.ComboBox2Index, 12);
}

TEST(CodePageBox, FixAndRadioButtonHandlers) {
  ReaderFixture f;
  CodePageBox& box = f.workspace.codePage;
  box.ChBFix = true;
  ChBFixClick(f.workspace);
  EXPECT_FALSE(box.RadioButton1Enabled);
  EXPECT_FALSE(box.RadioButton2Enabled);
  EXPECT_FALSE(box.ComboBox2Enabled);

  box.RadioButton1 = false;
  box.RadioButton2 = true;
  RadioButton1Click(f.workspace);
  EXPECT_FALSE(box.RadioButton1TabStop);
  EXPECT_FALSE(box.RadioButton2TabStop);

  box.ChBFix = false;
  ChBFixClick(f.workspace);
  EXPECT_TRUE(box.RadioButton1Enabled);
  EXPECT_TRUE(box.RadioButton2Enabled);
  EXPECT_TRUE(box.ComboBox2Enabled);
  RadioButton1Click(f.workspace);
  EXPECT_FALSE(box.RadioButton1TabStop);
  EXPECT_TRUE(box.RadioButton2TabStop);
}

}  // namespace
}  // namespace pellimore
