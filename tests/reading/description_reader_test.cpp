#include "reading/description_reader.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <iterator>

#include "reader_fixtures.h"
#include "reading/encoding.h"

namespace pellimore {
namespace {

using testing::ReaderFixture;
using testing::ReadingData;
using testing::TempFolder;
using testing::W;

struct ExpectedField {
  std::string HeaderRecord::*field;
  const char* name;
  const char* utf8;  // expected text, written in UTF-8
};

#define F(name, text) \
  ExpectedField { &HeaderRecord::name, #name, text }

// The header of both full fixture books (one windows-1251 with LF, one UTF-8 with CR LF).
const std::vector<ExpectedField> kFullBookHeader = {
    F(E_TI_BookTitle, "Пикник &amp; обочина"),
    F(E_TI_Genre, "sf; sf_humor"),
    F(E_TI_ALName, "Стругацкий"),
    F(E_TI_AFName, "Аркадий"),
    F(E_TI_AMName, "Натанович"),
    F(TI_ANickName, "Арк"),
    F(TI_AHomePage, "http://a.example/; http://b.example/"),
    F(TI_AEMail, "a@example.org"),
    F(E_TI_ALName2, "Стругацкий"),
    F(E_TI_AFName2, "Борис"),
    F(E_TI_AMName2, ""),
    F(TI_AEMail2, "b1@example.org; b2@example.org"),
    F(E_TI_ALName3, "Автор"),
    F(E_TI_AFName3, "Третий"),
    F(E_TI_ALName4, "Автор"),
    F(E_TI_AFName4, "Четвёртый"),
    F(TI_ANickName4, "Чет"),
    F(TI_MoreAuthorsRaw,
      "<author><first-name>Пятый</first-name><last-name>Автор</last-name></author>\r\n"
      "<author><nickname>Шестой</nickname></author>\r\n"),
    F(Memo3, "\r\n   <p>Первый абзац.</p>\r\n   <p>Второй <emphasis>абзац</emphasis>.</p>\r\n  "),
    F(TI_Keywords, "фантастика, зона"),
    F(TI_DateRaw, "<date value=\"1972-01-01\">1972</date>\r\n"),
    F(E_CoverPage, "<image l:href=\"#cover.jpg\"/>"),
    F(E_TI_Language, "ru"),
    F(TI_SrcLang, "ru"),
    F(TI_TranslatorRaw,
      "<translator><first-name>Иван</first-name><last-name>Переводчиков</last-name></translator>\r\n"),
    F(TI_SequenceRaw,
      "<sequence name=\"Мир Полудня\" number=\"3\"/>\r\n"
      "<sequence name=\"Цикл\"><sequence name=\"Подцикл\" number=\"1\"/></sequence>\r\n"),
    F(SrcTitleInfoRaw,
      "<src-title-info>\r\n  <genre>sf</genre>\r\n"
      "  <author><first-name>Src</first-name><last-name>Author</last-name></author>\r\n"
      "  <book-title>Roadside Picnic</book-title>\r\n  <lang>en</lang>\r\n </src-title-info>\r\n"),
    F(DI_AuthorRaw,
      "<author><nickname>old</nickname><email>old@example.org</email></author>\r\n"
      "<author><first-name>Пётр</first-name><last-name>Верстальщик</last-name>"
      "<home-page>http://p.example/</home-page></author>\r\n"),
    F(E_DI_FName_Orig, "Пётр"),
    F(E_DI_LName_Orig, "Верстальщик"),
    F(E_DI_MName_Orig, ""),
    F(E_DI_NickName_Orig, "old"),
    F(E_DI_HomePage_Orig, "http://p.example/"),
    F(E_DI_EMail_orig, "old@example.org"),
    F(DI_ProgramUsed, "FB Editor 2.0"),
    F(ME_Date, "05.03.2007"),
    F(E_DI_Date, "5 марта 2007"),
    F(E_DI_Src_Url, "http://lib.example/1; http://lib.example/2"),
    F(DI_SrcOcrRaw, "<src-ocr>Скан: Кто-то</src-ocr>\r\n"),
    F(E_DI_ID, "ABC-123"),
    F(E_DI_Version, "1.25"),
    F(DI_HistoryRaw, "<history><p>1.0 — создание</p><!-- правка --></history>\r\n"),
    F(PublishInfoRaw,
      "<publish-info>\r\n  <book-name>Пикник на обочине</book-name>\r\n"
      "  <publisher>Издательство</publisher>\r\n  <year>1980</year>\r\n"
      "  <sequence name=\"Серия\" number=\"7\"/>\r\n </publish-info>\r\n"),
    F(CustomInfoRaw, "<custom-info info-type=\"note\"><!-- комментарий -->Заметка</custom-info>\r\n"),
    F(OutputRaw, "<output mode=\"paid\" include-all=\"require\"><part l:href=\"#a\"/></output>\r\n"),
    F(Memo2, ""),
};

#undef F

void ExpectFullBookHeader(const HeaderRecord& header) {
  for (const ExpectedField& expected : kFullBookHeader) {
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(WorkingToUtf8(header.*expected.field), expected.utf8);
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(GetDescription, ReadsWindows1251Book) {
  ReaderFixture f;
  const std::string path = ReadingData("full_cp1251_lf.fb2");
  GetDescription(f.workspace, path);
  ExpectFullBookHeader(f.workspace.header);
  EXPECT_EQ(f.workspace.header.CurrentFileName, path);
  EXPECT_EQ(f.workspace.header.CurrentZipName, "");
  EXPECT_FALSE(f.workspace.header.SourceIsUtf8);
  EXPECT_EQ(f.workspace.statusPanels[1], "windows-1251");
  EXPECT_EQ(f.workspace.meDateColour, DateColour::Window);
  EXPECT_TRUE(f.workspace.LogList.empty());
  EXPECT_TRUE(f.prompt.reports.empty());
}

TEST(GetDescription, ReadsUtf8BookIntoTheSameHeader) {
  ReaderFixture f;
  GetDescription(f.workspace, ReadingData("full_utf8_crlf.fb2"));
  ExpectFullBookHeader(f.workspace.header);
  EXPECT_TRUE(f.workspace.header.SourceIsUtf8);
  EXPECT_EQ(f.workspace.statusPanels[1], "utf-8");
  EXPECT_TRUE(f.workspace.codePage.RadioButton2);
  EXPECT_TRUE(f.workspace.LogList.empty());
}

TEST(GetDescription, ReadsBookFromZipArchive) {
  TempFolder folder;
  const std::string archive = folder.File("book.zip");
  const std::string bytes = ReadFile(ReadingData("full_utf8_crlf.fb2"));
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(zip, nullptr);
  zip_source_t* readme = zip_source_buffer(zip, "not the book", 12, 0);
  ASSERT_GE(zip_file_add(zip, "readme.txt", readme, ZIP_FL_ENC_UTF_8), 0);
  zip_source_t* book = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
  ASSERT_GE(zip_file_add(zip, "Picnic.FB2", book, ZIP_FL_ENC_UTF_8), 0);
  ASSERT_EQ(zip_close(zip), 0);

  ReaderFixture f;
  GetDescription(f.workspace, archive);
  ExpectFullBookHeader(f.workspace.header);
  EXPECT_EQ(f.workspace.header.CurrentZipName, archive);
  EXPECT_EQ(f.workspace.header.CurrentFileName, folder.File("Picnic.FB2"));
  EXPECT_TRUE(f.workspace.LogList.empty());
}

TEST(GetDescription, MissingPathKeepsThePreviousBook) {
  ReaderFixture f;
  GetDescription(f.workspace, ReadingData("full_cp1251_lf.fb2"));
  const std::string status = f.workspace.statusPanels[1];
  GetDescription(f.workspace, ReadingData("no_such_book.fb2"));
  const HeaderRecord& header = f.workspace.header;
  EXPECT_EQ(header.CurrentFileName, "");
  EXPECT_EQ(header.CurrentZipName, "");
  EXPECT_EQ(WorkingToUtf8(header.E_TI_BookTitle), "Пикник &amp; обочина");
  EXPECT_EQ(WorkingToUtf8(header.TI_TranslatorRaw).substr(0, 12), "<translator>");
  EXPECT_EQ(f.workspace.statusPanels[1], status);
  EXPECT_TRUE(f.workspace.LogList.empty());
}

TEST(GetDescription, KeepsTheNewAuthorAndClearsTheRest) {
  ReaderFixture f;
  GetDescription(f.workspace, ReadingData("full_cp1251_lf.fb2"));
  f.workspace.header.E_DI_LName = "Me";
  f.workspace.header.DocAuthor = DocAuthorChoice::Replace;
  f.workspace.header.Memo2 = "old body";
  TempFolder folder;
  GetDescription(f.workspace, folder.Write("plain.fb2", "<FictionBook><body><p>x</p></body></FictionBook>"));
  const HeaderRecord& header = f.workspace.header;
  EXPECT_EQ(header.E_DI_LName, "Me");
  EXPECT_EQ(header.DocAuthor, DocAuthorChoice::Replace);
  for (const auto& [name, field] : HeaderTextFields()) {
    const std::string_view n = name;
    if (n == "E_DI_LName" || n == "CurrentFileName" || n == "CurrentFileDate") continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(header.*field, n == "E_DI_Version" ? "1.0" : "");
  }
}

// A document written by the test, read from a temporary folder.
struct SmallBook {
  ReaderFixture f;
  TempFolder folder;
  explicit SmallBook(std::string_view text, std::string_view name = "book.fb2") {
    GetDescription(f.workspace, folder.Write(name, text));
  }
  const HeaderRecord& header() const { return f.workspace.header; }
};

std::string Doc(std::string_view description, std::string_view declaration = "windows-1251") {
  return "<?xml version=\"1.0\" encoding=\"" + std::string(declaration) +
         "\"?>\n<FictionBook>\n<description>\n" + W(description) +
         "\n</description>\n<body><p>b</p></body>\n</FictionBook>\n";
}

TEST(GetDescription, TitleInfoRules) {
  {
    SCOPED_TRACE("a comment splits a text: the part after it wins");
    SmallBook book(Doc("<title-info><book-title>Один<!-- c -->Два</book-title></title-info>"));
    EXPECT_EQ(WorkingToUtf8(book.header().E_TI_BookTitle), "Два");
  }
  {
    SCOPED_TRACE("a cover image with its own end tag keeps the start tag, closed");
    SmallBook book(Doc("<title-info><coverpage><image l:href=\"#c.jpg\"></image></coverpage></title-info>"));
    EXPECT_EQ(book.header().E_CoverPage, "<image l:href=\"#c.jpg\"/>");
  }
  {
    SCOPED_TRACE("a self-closing title-info date ends at once");
    SmallBook book(Doc("<title-info><date value=\"2001-02-03\"/><lang>ru</lang></title-info>"));
    EXPECT_EQ(book.header().TI_DateRaw, "<date value=\"2001-02-03\"/>\r\n");
    EXPECT_EQ(book.header().E_TI_Language, "ru");
  }
  {
    SCOPED_TRACE("a series left open is closed at the end of title-info");
    SmallBook book(Doc("<title-info><sequence name=\"A\"><lang>ru</lang></title-info>"));
    EXPECT_EQ(book.header().TI_SequenceRaw, "<sequence name=\"A\"><lang>ru</lang></sequence>\r\n");
  }
  {
    SCOPED_TRACE("names in capitals count like lower-case ones; author names are trimmed");
    SmallBook book(Doc("<TITLE-INFO><Author><First-Name>\r\n Ann\t</First-Name></Author></TITLE-INFO>"));
    EXPECT_EQ(book.header().E_TI_AFName, "Ann");
  }
}

TEST(GetDescription, DocumentInfoRules) {
  {
    SCOPED_TRACE("an author's own id stays in E_DI_ID");
    SmallBook book(
        Doc("<document-info><author><nickname>n</nickname><id>author-id</id></author></document-info>"));
    EXPECT_EQ(book.header().E_DI_ID, "author-id");
    EXPECT_EQ(book.header().E_DI_NickName_Orig, "n");
  }
  {
    SCOPED_TRACE("a self-closing date: clean value, no text");
    SmallBook book(Doc("<document-info><date value=\"2010-11-12\"/>\n<id>x</id></document-info>"));
    EXPECT_EQ(book.header().ME_Date, "12.11.2010");
    EXPECT_EQ(book.header().E_DI_Date, "");
    EXPECT_EQ(book.f.workspace.meDateColour, DateColour::Window);
  }
  {
    SCOPED_TRACE("a date without attributes takes the file's date");
    ReaderFixture f;
    TempFolder folder;
    const std::string path =
        folder.Write("dated.fb2", Doc("<document-info><date>2019</date></document-info>"));
    f.workspace.meDateColour = DateColour::Window;
    GetDescription(f.workspace, path);
    EXPECT_EQ(f.workspace.header.ME_Date, f.workspace.header.CurrentFileDate);
    EXPECT_EQ(f.workspace.header.ME_Date.size(), 10u);
    EXPECT_EQ(f.workspace.header.E_DI_Date, "2019");
    EXPECT_EQ(f.workspace.meDateColour, DateColour::FromFile);
  }
  {
    SCOPED_TRACE("a version that is no number");
    SmallBook book(Doc("<document-info><version>v2</version></document-info>"));
    EXPECT_EQ(book.header().E_DI_Version, "1.0");
  }
}

TEST(GetDescription, StopsAtTheFirstBodyTagOnly) {
  SmallBook withBody(Doc("<title-info><lang>ru</lang></title-info>") +
                     "<title-info><lang>en</lang></title-info>");
  EXPECT_EQ(withBody.header().E_TI_Language, "ru");

  // A header-only file without any body: still read as markup, to its end.
  SmallBook withoutBody(
      "<FictionBook><description></description><x/>\n<title-info><lang>en</lang></title-info></FictionBook>");
  EXPECT_EQ(withoutBody.header().E_TI_Language, "en");
  EXPECT_TRUE(withoutBody.f.prompt.reports.empty());
  SmallBook unclosed("<FictionBook><title-info><lang>en</lang><lang");
  EXPECT_EQ(unclosed.header().E_TI_Language, "en");
  ASSERT_EQ(unclosed.f.prompt.reports.size(), 1u);
  EXPECT_EQ(unclosed.f.prompt.reports[0].second, "<lang\r\n");

  SmallBook walkedToEnd(
      "<FictionBook><description/><title-info><lang>en</lang></title-info><p>html</p>"
      "<!-- <body -->\n</FictionBook>");
  EXPECT_EQ(walkedToEnd.header().E_TI_Language, "en");
}

TEST(GetDescription, SectionsKeepCommentsAndLowerTheirTagNames) {
  SmallBook book(
      Doc("<Custom-Info Info-Type=\"x\"><!-- note --><P>a</P></Custom-Info>\n"
          "<output mode=\"free\"/>\n<custom-info info-type='y'/>"));
  EXPECT_EQ(book.header().CustomInfoRaw,
            "<custom-info Info-Type=\"x\"><!-- note --><p>a</p></custom-info>\r\n"
            "<custom-info info-type=\"y\"/>\r\n");
  EXPECT_EQ(book.header().OutputRaw, "<output mode=\"free\"/>\r\n");
}

TEST(GetDescription, SurvivesBadInput) {
  const std::string hugeValue(2'000'000, 'x');
  std::string deep = "<FictionBook><description><title-info>";
  for (int i = 0; i < 20000; ++i) deep += "<author><annotation><date>";
  deep += "</title-info></description><body/></FictionBook>";
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"unclosed tag", "<FictionBook><description><title-info><book-title>T</book-title><lang"},
      {"unclosed quote", "<FictionBook><title-info><lang>ru</lang><p a=\"x>text</p><!--<body-->"},
      {"description without title-info", "<FictionBook><description><lang>ru</lang></description><body/>"},
      {"elements in odd places", "<body/></title-info></author></date><title-info><author>"},
      {"end tags only", "</author></title-info></document-info></sequence><body>"},
      {"huge attribute", "<FictionBook><description><title-info><coverpage><image l:href=\"" + hugeValue +
                             "\"/></coverpage></title-info></description><body/>"},
      {"deeply repeated elements", deep},
      {"key without name", "<title-info x =\"1\" = \"2\"><lang>ru</lang></title-info><body/>"},
      {"empty file", ""},
      {"NUL byte", std::string("<FictionBook><body><p>a\0b</p></body>", 36)},
  };
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    SmallBook book(text);
    EXPECT_TRUE(book.f.workspace.LogList.empty());
  }
  SmallBook huge(cases[5].second);
  EXPECT_EQ(huge.header().E_CoverPage.size(), hugeValue.size() + 18);
  SmallBook unclosed(cases[1].second);
  ASSERT_EQ(unclosed.f.prompt.reports.size(), 1u);
  EXPECT_EQ(unclosed.f.prompt.reports[0].first, "> not found");
  EXPECT_EQ(unclosed.header().E_TI_Language, "ru");
}

TEST(GetDescription, ReadErrorsBecomeLogLines) {
  ReaderFixture f;
  TempFolder folder;
  GetDescription(f.workspace, folder.Write("broken.zip", "PK\x03\x04 this is no archive"));
  ASSERT_EQ(f.workspace.LogList.size(), 1u);
  EXPECT_EQ(f.workspace.LogList[0].rfind("GetDescription : ", 0), 0u);
}

TEST(GetDescription, OtherExtensionsGiveAnEmptyHeader) {
  SmallBook book(Doc("<title-info><lang>ru</lang></title-info>"), "book.txt");
  EXPECT_EQ(book.header().E_TI_Language, "");
  EXPECT_EQ(book.header().CurrentFileName, "");
  EXPECT_TRUE(book.f.workspace.LogList.empty());
}

}  // namespace
}  // namespace pellimore
