#include "writing/description_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/charset.h"
#include "text/platform.h"
#include "writing_support.h"

namespace pellimore {
namespace {

constexpr const char* kRoot =
    "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">";

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class DescriptionWriterTest : public ::testing::Test {
 protected:
  DescriptionWriterTest() { workspace.prompt = &prompt; }

  std::string Build() { return BuildDescription(workspace); }
  // The lines from title-info's first child up to the line before " </title-info>".
  std::string TitleInfoBody() {
    const std::string text = Build();
    const std::size_t start = text.find(" <title-info>\r\n") + 15;
    return text.substr(start, text.find(" </title-info>") - start);
  }
  std::string DocumentInfoBody() {
    const std::string text = Build();
    const std::size_t start = text.find(" <document-info>\r\n") + 18;
    return text.substr(start, text.find(" </document-info>") - start);
  }

  testing::RecordingPrompt prompt;
  Workspace workspace;
  HeaderRecord& r = workspace.header;
};

TEST_F(DescriptionWriterTest, WorkedExampleByteForByte) {
  r.E_TI_Genre = "sf; adventure";
  r.E_TI_AFName = "Ivan";
  r.E_TI_ALName = "Petrov";
  r.E_TI_BookTitle = "Sample";
  r.E_TI_Language = "en";
  r.DocAuthor = DocAuthorChoice::Replace;
  r.E_DI_FName = "Anna";
  r.E_DI_LName = "Smirnova";
  r.DI_ProgramUsed = "Some Tool 1.0";
  r.ME_Date = "01.02.2008";
  r.E_DI_Date = "2008";
  r.E_DI_ID = "ID-1";
  r.E_DI_Version = "1.5";

  EXPECT_EQ(Build(), Lines({
                         R"(<?xml version="1.0" encoding="windows-1251"?>)",
                         kRoot,
                         "<description>",
                         " <title-info>",
                         "   <genre>sf</genre>",
                         "   <genre>adventure</genre>",
                         "   <author>",
                         "     <first-name>Ivan</first-name>",
                         "     <last-name>Petrov</last-name>",
                         "   </author>",
                         "   <book-title>Sample</book-title>",
                         "   <lang>en</lang>",
                         " </title-info>",
                         " <document-info>",
                         "   <author>",
                         "     <first-name>Anna</first-name>",
                         "     <last-name>Smirnova</last-name>",
                         "   </author>",
                         "   <program-used>Some Tool 1.0, Pellimore</program-used>",
                         R"(   <date value="2008-02-01">2008</date>)",
                         "   <id>ID-1</id>",
                         "   <version>1.5</version>",
                         " </document-info>",
                         "</description>",
                     }));
  EXPECT_FALSE(r.SaveAsUtf8);
}

TEST_F(DescriptionWriterTest, EmptyFieldsGiveTheMinimalDescription) {
  EXPECT_EQ(Build(), Lines({
                         R"(<?xml version="1.0" encoding="windows-1251"?>)",
                         kRoot,
                         "<description>",
                         " <title-info>",
                         "   <author>",
                         "     <first-name></first-name>",
                         "     <last-name></last-name>",
                         "   </author>",
                         "   <book-title></book-title>",
                         "   <lang>ru</lang>",
                         " </title-info>",
                         " <document-info>",
                         "   <program-used>Pellimore</program-used>",
                         "   <date></date>",
                         "   <id></id>",
                         "   <version>1.0</version>",
                         " </document-info>",
                         "</description>",
                     }));
}

TEST_F(DescriptionWriterTest, StoredSectionsGoInPlaceAsHeld) {
  r.TI_MoreAuthorsRaw = "<author><nickname>five</nickname></author>\r\n";
  r.Memo3 = "  \r\n<p>a &amp; b</p>\r\n<p>c</p>\t\r\n";
  r.TI_Keywords = "k1, k2";
  r.TI_DateRaw = "<date>1863</date>\r\n";
  r.E_CoverPage = "<image xlink:href=\"#c.jpg\"/>";
  r.TI_SrcLang = "fr";
  r.TI_TranslatorRaw = "<translator><last-name>T</last-name></translator>\r\n";
  r.TI_SequenceRaw = "<sequence name=\"S\" number=\"2\"/>\r\n";
  r.SrcTitleInfoRaw = "<src-title-info>x</src-title-info>\r\n";
  r.DI_AuthorRaw = "<author><nickname>old</nickname></author>\r\n";
  r.DI_SrcOcrRaw = "<src-ocr>ocr</src-ocr>\r\n";
  r.DI_HistoryRaw = "<history><p>h</p></history>\r\n";
  r.PublishInfoRaw = "<publish-info>p</publish-info>\r\n";
  r.CustomInfoRaw = "<custom-info info-type=\"a\">c</custom-info>\r\n";
  r.OutputRaw = "<output mode=\"free\"/>\r\n";

  const std::string text = Build();
  const std::string expected =
      " <title-info>\r\n"
      "   <author>\r\n     <first-name></first-name>\r\n     <last-name></last-name>\r\n   </author>\r\n"
      "<author><nickname>five</nickname></author>\r\n"
      "   <book-title></book-title>\r\n"
      "   <annotation>\r\n<p>a &amp; b</p>\r\n<p>c</p>\r\n   </annotation>\r\n"
      "   <keywords>k1, k2</keywords>\r\n"
      "<date>1863</date>\r\n"
      "   <coverpage><image xlink:href=\"#c.jpg\"/></coverpage>\r\n"
      "   <lang>ru</lang>\r\n"
      "   <src-lang>fr</src-lang>\r\n"
      "<translator><last-name>T</last-name></translator>\r\n"
      "<sequence name=\"S\" number=\"2\"/>\r\n"
      " </title-info>\r\n"
      "<src-title-info>x</src-title-info>\r\n"
      " <document-info>\r\n"
      "<author><nickname>old</nickname></author>\r\n"
      "   <program-used>Pellimore</program-used>\r\n"
      "   <date></date>\r\n"
      "<src-ocr>ocr</src-ocr>\r\n"
      "   <id></id>\r\n"
      "   <version>1.0</version>\r\n"
      "<history><p>h</p></history>\r\n"
      " </document-info>\r\n"
      "<publish-info>p</publish-info>\r\n"
      "<custom-info info-type=\"a\">c</custom-info>\r\n"
      "<output mode=\"free\"/>\r\n"
      "</description>\r\n";
  EXPECT_EQ(text.substr(text.find(" <title-info>")), expected);
}

TEST_F(DescriptionWriterTest, AuthorBlockRules) {
  struct Case {
    const char* name;
    std::string first, middle, last, nick, homePages, emails;
    std::string expected;  // the block of co-author 2, empty when it is left out
  };
  const std::string open = "   <author>\r\n";
  const std::string close = "   </author>\r\n";
  const std::vector<Case> cases = {
      {"first name only", "Ivan", "", "", "", "", "",
       open + "     <first-name>Ivan</first-name>\r\n     <last-name></last-name>\r\n" + close},
      {"nickname only", "", "", "", "nick", "", "", open + "     <nickname>nick</nickname>\r\n" + close},
      {"middle name only", "", "M", "", "", "", "", ""},
      {"all names", "A", "B", "C", "D", "", "",
       open +
           "     <first-name>A</first-name>\r\n     <middle-name>B</middle-name>\r\n"
           "     <last-name>C</last-name>\r\n     <nickname>D</nickname>\r\n" +
           close},
      {"home pages and mails only", "", "", "", "", "h1;h2", " ;m1",
       open +
           "     <first-name></first-name>\r\n     <last-name></last-name>\r\n"
           "     <home-page>h1</home-page>\r\n     <home-page>h2</home-page>\r\n     <email>m1</email>\r\n" +
           close},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    r.E_TI_AFName = "X";
    r.E_TI_ALName = "Y";
    r.E_TI_AFName2 = c.first;
    r.E_TI_AMName2 = c.middle;
    r.E_TI_ALName2 = c.last;
    r.TI_ANickName2 = c.nick;
    r.TI_AHomePage2 = c.homePages;
    r.TI_AEMail2 = c.emails;
    const std::string first =
        open + "     <first-name>X</first-name>\r\n     <last-name>Y</last-name>\r\n" + close;
    const std::string body = TitleInfoBody();
    EXPECT_EQ(body.substr(0, body.find("   <book-title>")), first + c.expected);
  }
}

TEST_F(DescriptionWriterTest, DocumentAuthorChoice) {
  r.DI_AuthorRaw = "<author><nickname>old</nickname></author>\r\n";
  r.E_DI_NickName = "me";
  const std::string oldAuthor = r.DI_AuthorRaw;
  const std::string newAuthor = "   <author>\r\n     <nickname>me</nickname>\r\n   </author>\r\n";
  const std::string program = "   <program-used>";

  r.DocAuthor = DocAuthorChoice::Add;
  std::string body = DocumentInfoBody();
  EXPECT_EQ(body.substr(0, body.find(program)), oldAuthor + newAuthor);
  r.DocAuthor = DocAuthorChoice::Replace;
  body = DocumentInfoBody();
  EXPECT_EQ(body.substr(0, body.find(program)), newAuthor);
  r.DocAuthor = DocAuthorChoice::Ignore;
  body = DocumentInfoBody();
  EXPECT_EQ(body.substr(0, body.find(program)), oldAuthor);

  r.E_DI_NickName.clear();
  r.DocAuthor = DocAuthorChoice::Replace;
  body = DocumentInfoBody();
  EXPECT_EQ(
      body.substr(0, body.find(program)),
      "   <author>\r\n     <first-name></first-name>\r\n     <last-name></last-name>\r\n   </author>\r\n");
}

TEST_F(DescriptionWriterTest, ProgramUsed) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "Pellimore"},
      {"Some Tool", "Some Tool, Pellimore"},
      {"PELLIMORE 2", "PELLIMORE 2"},
      {"  FB Tools  ", "FB Tools  , Pellimore"},
      {" x pellimore ", "x pellimore"},
  };
  for (const auto& [program, expected] : cases) {
    SCOPED_TRACE(program);
    r.DI_ProgramUsed = program;
    EXPECT_NE(DocumentInfoBody().find("   <program-used>" + expected + "</program-used>\r\n"),
              std::string::npos);
  }
}

TEST_F(DescriptionWriterTest, DateLine) {
  struct Case {
    std::string masked, text, expected;
  };
  const std::vector<Case> cases = {
      {"01.02.2008", "", R"(   <date value="2008-02-01"></date>)"},
      {"29.02.2007", "Feb 2007", R"(   <date value="Feb 2007">Feb 2007</date>)"},
      {"  .  .    ", "", "   <date></date>"},
      {"", "", "   <date></date>"},
      {"1.2.2008", "x", R"(   <date value="2008-02-01">x</date>)"},
      {"01/02/2008", "", "   <date></date>"},
      {"01.02.08", "", "   <date></date>"},
      {"", "a\"b & c", R"(   <date value="a&quot;b &amp; c">a"b &amp; c</date>)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.masked + " / " + c.text);
    r.ME_Date = c.masked;
    r.E_DI_Date = c.text;
    EXPECT_NE(DocumentInfoBody().find(c.expected + "\r\n"), std::string::npos) << DocumentInfoBody();
  }
}

TEST(IsoDateFromMask, FollowsThePlatformDateSeparator) {
  SetShortDateFormat("dd/MM/yyyy");
  EXPECT_EQ(IsoDateFromMask("31/12/1999"), "1999-12-31");
  EXPECT_EQ(IsoDateFromMask("31.12.1999"), std::nullopt);
  SetShortDateFormat("dd.MM.yyyy");
  EXPECT_EQ(IsoDateFromMask("31.12.1999"), "1999-12-31");
  EXPECT_EQ(IsoDateFromMask("31.11.1999"), std::nullopt);
}

TEST(VersionText, TwoDecimalsAtMost) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1", "1.0"},     {"2.25", "2.25"}, {"1.234", "1.23"}, {"1.5", "1.5"}, {"1.0", "1.0"},
      {"0.996", "1.0"}, {"-2.5", "-2.5"}, {"10.10", "10.1"}, {"abc", "0.0"}, {"", "0.0"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(VersionText(value), expected) << value;
  SetDecimalMark(',');
  EXPECT_EQ(VersionText("3,75"), "3.75");
  SetDecimalMark('.');
}

TEST_F(DescriptionWriterTest, TypedTextIsEscapedAndReferencesKept) {
  r.E_TI_BookTitle = "Tom & Jerry &amp; &#169; &#xA9; <3";
  r.E_TI_Genre = ";sf;; ";
  r.E_DI_Src_Url = "http://example.org/?a=1&amp;b=2; http://x.org/?a&b";
  r.E_TI_AFName = "A&B";
  r.E_TI_ALName = "<C>";
  const std::string title = TitleInfoBody();
  EXPECT_NE(title.find("   <book-title>Tom &amp; Jerry &amp; &#169; &#xA9; &lt;3</book-title>\r\n"),
            std::string::npos);
  EXPECT_NE(title.find("     <first-name>A&amp;B</first-name>\r\n     <last-name>&lt;C></last-name>\r\n"),
            std::string::npos);
  EXPECT_EQ(title.rfind("   <genre>sf</genre>\r\n   <author>\r\n", 0), 0u) << "exactly one genre";
  const std::string info = DocumentInfoBody();
  EXPECT_NE(info.find("   <src-url>http://example.org/?a=1&amp;b=2</src-url>\r\n"
                      "   <src-url>http://x.org/?a&amp;b</src-url>\r\n"),
            std::string::npos);
}

TEST_F(DescriptionWriterTest, TrimsFieldsAndChoosesTheEncoding) {
  r.E_TI_BookTitle = " Title\t";
  r.E_TI_Language = "   ";
  r.Memo3 = "  ";
  workspace.codePage.RadioButton1 = false;
  workspace.codePage.RadioButton2 = true;
  const std::string text = Build();
  EXPECT_EQ(r.E_TI_BookTitle, "Title");
  EXPECT_TRUE(r.SaveAsUtf8);
  EXPECT_EQ(text.substr(0, text.find("\r\n")), R"(<?xml version="1.0" encoding="utf-8"?>)");
  EXPECT_NE(text.find("   <lang>ru</lang>\r\n"), std::string::npos);
  EXPECT_EQ(text.find("annotation"), std::string::npos);
}

TEST_F(DescriptionWriterTest, EmptySystemEncodingGivesAnEmptyAttribute) {
  SetSystemEncodingName("");
  const std::string text = Build();
  SetSystemEncodingName("windows-1251");
  EXPECT_EQ(text.substr(0, text.find("\r\n")), R"(<?xml version="1.0" encoding=""?>)");
}

}  // namespace
}  // namespace pellimore
