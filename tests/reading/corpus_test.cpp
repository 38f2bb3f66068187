// Every book of the shared corpus of real FictionBook files opens, and its header comes out as a
// reader of that book expects. The corpus lives outside the project; the tests skip without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "reader_fixtures.h"
#include "reading/body.h"
#include "reading/book_loading.h"
#include "reading/description_reader.h"

namespace pellimore {
namespace {

namespace fs = std::filesystem;
using testing::ReaderFixture;
using testing::TempFolder;
using testing::W;

const fs::path kBooks = fs::path(PELLIMORE_CORPUS_DIR) / "books";

std::vector<fs::path> CorpusBooks() {
  std::vector<fs::path> books;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kBooks, error)) {
    if (entry.is_regular_file()) books.push_back(entry.path());
  }
  std::sort(books.begin(), books.end());
  return books;
}

#define SKIP_WITHOUT_CORPUS() \
  if (!fs::is_directory(kBooks)) GTEST_SKIP() << "no corpus at " << kBooks

struct BookFacts {
  const char* title;  // UTF-8, compared after conversion into the working code page
  const char* lastName;
  const char* firstName;
  const char* lang;
  bool utf8;
  const char* status;
  // More fields: name → expected text (UTF-8).
  std::map<std::string, std::string> more;
  bool undecoded = false;  // the book's bytes are kept as they are (no UTF-8 declaration)
};

const char* const kCp = "windows-1251";

const std::map<std::string, BookFacts>& Facts() {
  static const std::map<std::string, BookFacts> facts = {
      {"alan_caucasian_village_out_of_order.fb2",
       {"Из кавказской деревни в Варшаву",
        "Кавказский",
        "Алан",
        "ru",
        true,
        "utf-8",
        {{"ME_Date", "05.01.2025"},
         {"E_DI_Date", "05 января 2025"},
         {"E_DI_LName_Orig", "Кавказский"},
         {"E_TI_Genre", "humor"}}}},
      {"asnyk_no_description_pl.fb2", {"", "", "", "", true, "utf-8", {}}},
      {"bulgakov_whiteguard_no_namespace_cp1251.fb2", {"", "", "", "", false, kCp, {{"Memo3", ""}}}},
      {"clach04_handwritten_en.fb2",
       {"Sample FB2 book",
        "Clark",
        "Chris",
        "",
        true,
        "utf-8",
        {{"E_DI_NickName_Orig", "clach04"},
         {"E_DI_Version", "1.1"},
         {"TI_Keywords", "ebook,sample,markdown,fb2,FictionBook2"},
         {"DI_ProgramUsed", "vim and scite"}}}},
      {"coolreader_manual_ru_bom.fb2",
       {"Основные функции",
        "3.0.18",
        "Coolreader",
        "ru",
        true,
        "utf-8",
        {{"E_DI_Date", "16/03/2009"},
         {"PublishInfoRaw", "<publish-info></publish-info>\r\n"},
         {"E_DI_ID", ""}}}},
      {"doyle_study_in_scarlet_iso8859-1.fb2",
       {"A Study in Scarlet",
        "Doyle",
        "Arthur",
        "",
        false,
        kCp,
        {{"ME_Date", "01.06.2002"},
         {"E_DI_NickName_Orig", "Haali"},
         {"E_TI_AMName", "Conan"},
         {"E_TI_Genre", "detective"},
         {"TI_DateRaw", "<date value=\"1887-01-01\">1887</date>\r\n"}}}},
      {"dumas_twenty_years_after_cp1251.fb2",
       {"Двадцать лет спустя",
        "Дюма",
        "Александр",
        "ru",
        false,
        kCp,
        {{"ME_Date", "17.05.2004"},
         {"E_DI_ID", "C5FE6500-43C3-46C8-B106-06B4BC11498F"},
         {"E_CoverPage", "<image xlink:href=\"#cover.jpg\"/>"},
         {"E_DI_LName_Orig", "Казаков"},
         {"TI_DateRaw", ""}}}},
      {"fblib_empty_description.fb2", {"", "", "", "", false, kCp, {}}},
      {"fblib_malformed_unclosed_title_info.fb2",
       {"War and Peace",
        "Tolstoy",
        "Lev",
        "",
        false,
        kCp,
        {{"TI_ANickName", "LevT"}, {"E_TI_Genre", "history_russia; romance_historical"}}}},
      {"fbreader_minihelp_ru_koi8r.fb2",
       {"\xEF\x20\xD0\xD2\xCF\xC7\xD2\xC1\xCD\xCD\xC5"
        " FBReader",
        "FBReader",
        "",
        "ru",
        false,
        kCp,
        {},
        true}},
      {"fbreader_minihelp_zh_bom.fb2", {"?? FBReader", "FBReader", "", "zh", true, "utf-8", {}}},
      {"fbreaderj_fragment_spaced_attrs_no_ns.fb2", {"", "", "", "", false, kCp, {}}},
      {"fictionup_markdown_example_en.fb2",
       {"FICTIONUP MARKDOWN EXAMPLE",
        "Druzhin",
        "Vadim",
        "en",
        true,
        "utf-8",
        {{"E_CoverPage", "<image xlink:href=\"#fictionup.png\" />"},
         {"TI_SequenceRaw", "<sequence name=\"All about FICTIONUP\" number=\"1\"/>\r\n"},
         {"E_DI_ID", "fictionup-example-en-0002"},
         {"DI_ProgramUsed", "fictionup 0.2"}}}},
      {"gribov_example_commented_nodecl.fb2",
       {"Война и мир",
        "Толстой",
        "Лев",
        "ru",
        true,
        "utf-8",
        {{"E_DI_ID", "GribUser_WarAndWorld_D49FHSH8l0HS5"}, {"E_DI_Version", "2.0"}}}},
      {"gribov_example_war_and_peace.fb2",
       {"Война и мир",
        "Толстой",
        "Лев",
        "ru",
        true,
        "utf-8",
        {{"E_TI_Genre",
          "history_russia; romance_historical; literature_classics; literature_history; literature_war; "
          "literature_rus_classsic; computers"},
         {"ME_Date", "15.10.2002"},
         {"E_DI_Date", "15 ноября 2002г., 19:53"},
         {"E_DI_ID", "GribUser_WarAndPeace_D49FHSH8l0HS5"},
         {"E_DI_Version", "2.0"},
         {"E_DI_NickName_Orig", "GribUser"},
         {"E_DI_EMail_orig", "grib@gribuser.ru"},
         {"E_CoverPage", "<image xlink:href=\"#cover.jpg\"/>"},
         {"TI_SequenceRaw", "<sequence name=\"Детство, Отрочество, Юность\" number=\"2\"/>\r\n"}}}},
      {"gribov_fb21_demo_cp1251.fb2",
       {"Тестовый ознакомительный документ FictionBook 2.1",
        "Грибов",
        "Дмитрий",
        "ru",
        false,
        kCp,
        {{"ME_Date", "08.11.2004"},
         {"E_TI_AMName", "Петрович"},
         {"TI_AEMail", "grib@gribuser.ru"},
         {"E_CoverPage", "<image l:href=\"#fish1.png\"/>"},
         {"E_DI_ID", "73E17C07-1199-470B-AB84-A51C722109C6"}}}},
      {"gribov_fb21_demo_cp1251.fb2.zip",
       {"Тестовый ознакомительный документ FictionBook 2.1",
        "Грибов",
        "Дмитрий",
        "ru",
        false,
        kCp,
        {{"ME_Date", "08.11.2004"}, {"E_DI_ID", "73E17C07-1199-470B-AB84-A51C722109C6"}}}},
      {"heinlein_header_only_no_description.fb2",
       {"Аквариум с золотыми рыбками",
        "Хайнлайн",
        "Роберт",
        "ru",
        true,
        "utf-8",
        {{"TI_SrcLang", "en"},
         {"E_TI_AMName", "Энсон"},
         {"TI_SequenceRaw", "<sequence name=\"сб. Угроза с Земли\" number=\"6\"/>\r\n"},
         {"TI_DateRaw", "<date>1942</date>\r\n"}}}},
      {"kaznelson_test_book_2015.fb2",
       {"Тестовая книга",
        "Иванов",
        "Иван",
        "ru",
        true,
        "utf-8",
        {{"E_TI_ALName2", "Петров"},
         {"E_TI_AMName2", "Петрович"},
         {"E_TI_ALName3", "Сидоров"},
         {"ME_Date", "26.105.201"},
         {"E_CoverPage", "<image l:href=\"#cover.jpg\"/>"},
         {"TI_SequenceRaw", "<sequence name=\"Тесты\" number=\"1\"></sequence>\r\n"},
         {"E_DI_Version", "2.4"},
         {"E_DI_ID", "BD-A2B81E-20EB-3A4E-EE8F-1664-26E3-BEF744"}}}},
      {"pandoc_reader_meta.fb2",
       {"Book title",
        "Last",
        "First",
        "",
        true,
        "utf-8",
        {{"E_TI_AMName", "Middle"}, {"E_TI_ALName2", "Author"}, {"TI_Keywords", "foo, bar, baz"}}}},
      {"pandoc_writer_output.fb2",
       {"Pandoc Test Suite",
        "MacFarlane",
        "John",
        "",
        true,
        "utf-8",
        {{"TI_ANickName2", "Anonymous"}, {"DI_ProgramUsed", "pandoc"}, {"E_TI_Genre", "unrecognised"}}}},
      {"rglazkov_complex_header.fb2",
       {"Вторая мировая война",
        "Черчилль",
        "Уинстон",
        "ru",
        true,
        "utf-8",
        {{"TI_ANickName", "winston_cigarette"},
         {"TI_AHomePage", "winston.example.com; churchill.example.com"},
         {"TI_AEMail2", "vovchik@example.com; vladimir@example.com"},
         {"TI_ANickName2", "vovchik"},
         {"E_TI_Genre", "nonf_biography; sci_history; nonfiction"},
         {"E_CoverPage", "<image l:href=\"#cover.jpg\"/>"},
         {"ME_Date", "11.06.2014"},
         {"E_DI_Src_Url",
          "http://www.litres.ru/pages/biblio_book/?art=7003942&amp;lfrom=700971545; http://example.com"},
         {"E_DI_NickName_Orig", "On84ly"}}}},
      {"tolstoy_karenina_cover_cp1251.fb2",
       {"Анна Каренина",
        "Толстой",
        "Лев",
        "ru",
        false,
        kCp,
        {{"ME_Date", "02.02.2005"},
         {"E_CoverPage", "<image l:href=\"#cover.jpg\"/>"},
         {"E_DI_FName_Orig", "Vitmaier"},
         {"TI_SrcLang", "ru"}}}},
      {"tolstoy_karenina_no_description_cp1251.fb2", {"", "", "", "", false, kCp, {}}},
  };
  return facts;
}

std::string* FieldByName(HeaderRecord& header, std::string_view name) {
  for (const auto& [fieldName, field] : HeaderTextFields()) {
    if (name == fieldName) return &(header.*field);
  }
  return nullptr;
}

TEST(Corpus, EveryBookOpensAsItsReaderExpects) {
  SKIP_WITHOUT_CORPUS();
  const std::vector<fs::path> books = CorpusBooks();
  ASSERT_FALSE(books.empty());
  for (const fs::path& book : books) {
    const std::string name = book.filename().string();
    SCOPED_TRACE(name);
    ReaderFixture f;
    GetDescription(f.workspace, book.string());
    EXPECT_TRUE(f.workspace.LogList.empty()) << f.workspace.LogList.front();
    EXPECT_TRUE(f.prompt.reports.empty()) << f.prompt.reports.front().first;
    const BodyText body = ExtractBody(f.workspace, true);
    EXPECT_TRUE(f.workspace.LogList.empty());

    const auto found = Facts().find(name);
    if (found == Facts().end()) continue;  // a book added later: opening it is the test
    const BookFacts& facts = found->second;
    HeaderRecord& header = f.workspace.header;
    auto expected = [&](const std::string& utf8) { return facts.undecoded ? utf8 : W(utf8); };
    EXPECT_EQ(header.E_TI_BookTitle, expected(facts.title));
    EXPECT_EQ(header.E_TI_ALName, expected(facts.lastName));
    EXPECT_EQ(header.E_TI_AFName, expected(facts.firstName));
    EXPECT_EQ(header.E_TI_Language, facts.lang);
    EXPECT_EQ(header.SourceIsUtf8, facts.utf8);
    EXPECT_EQ(f.workspace.statusPanels[1], facts.status);
    for (const auto& [field, text] : facts.more) {
      SCOPED_TRACE(field);
      const std::string* value = FieldByName(header, field);
      ASSERT_NE(value, nullptr);
      EXPECT_EQ(*value, expected(text));
    }
    if (!header.CurrentFileName.empty()) {
      const bool hasBody = name != "heinlein_header_only_no_description.fb2";
      EXPECT_TRUE(body.sourceRead);
      EXPECT_EQ(body.text.rfind("<body", 0) == 0, hasBody) << body.text.substr(0, 40);
    }
  }
}

TEST(Corpus, BooksOpenFromTheirArchivesAndOtherExtensionsAreSkipped) {
  SKIP_WITHOUT_CORPUS();
  ReaderFixture f;
  const fs::path zip = kBooks / "gribov_fb21_demo_cp1251.fb2.zip";
  GetDescription(f.workspace, zip.string());
  EXPECT_EQ(f.workspace.header.CurrentZipName, zip.string());
  EXPECT_EQ(f.workspace.header.CurrentFileName, (kBooks / "test2.1.fb2").string());
  const std::string zipped = GetBody(f.workspace);
  ReaderFixture plain;
  GetDescription(plain.workspace, (kBooks / "gribov_fb21_demo_cp1251.fb2").string());
  EXPECT_EQ(zipped, GetBody(plain.workspace));
  EXPECT_EQ(f.workspace.header.OutputRaw, plain.workspace.header.OutputRaw);

  ReaderFixture fbz;
  GetDescription(fbz.workspace, (kBooks / "file_format_sample.fbz").string());
  EXPECT_EQ(fbz.workspace.header.CurrentFileName, "");
  EXPECT_EQ(fbz.workspace.header.E_TI_BookTitle, "");
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WellFormed(const TempFolder& folder, const std::string& document) {
  const std::string path = folder.Write("check.xml", document);
  const std::string command = "xmllint --noout --nowarning '" + path + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// What the writer puts back verbatim (the stored sections) and after the new description (the
// body rebuilt from tokens) stays well-formed for every well-formed book.
TEST(Corpus, RebuiltSectionsAndBodiesStayWellFormed) {
  SKIP_WITHOUT_CORPUS();
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  const std::vector<std::string> notWellFormed = {"fblib_malformed_unclosed_title_info.fb2",
                                                  "fbreader_minihelp_ru_koi8r.fb2",
                                                  "fbreader_minihelp_zh_bom.fb2"};
  TempFolder folder;
  for (const fs::path& book : CorpusBooks()) {
    const std::string name = book.filename().string();
    if (book.extension() != ".fb2" || std::count(notWellFormed.begin(), notWellFormed.end(), name)) continue;
    SCOPED_TRACE(name);
    ReaderFixture f;
    GetDescription(f.workspace, book.string());
    const HeaderRecord& h = f.workspace.header;
    const std::string sections = h.E_CoverPage + h.Memo3 + h.TI_MoreAuthorsRaw + h.TI_DateRaw +
                                 h.TI_TranslatorRaw + h.TI_SequenceRaw + h.DI_AuthorRaw + h.DI_SrcOcrRaw +
                                 h.DI_HistoryRaw + h.SrcTitleInfoRaw + h.PublishInfoRaw + h.CustomInfoRaw +
                                 h.OutputRaw;
    // Every byte is a character of ISO-8859-1, whatever the book's code page: only the structure counts.
    EXPECT_TRUE(WellFormed(folder,
                           "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<x xmlns:l=\"urn:l\" "
                           "xmlns:xlink=\"urn:l\">" +
                               sections + "</x>\n"));

    const std::string source = ReadBytes(book);
    const BodyText body = ExtractBody(f.workspace, false);
    std::size_t bodyAt = std::string::npos;
    for (const char* marker : {"<body>", "<body ", "<BODY"}) bodyAt = std::min(bodyAt, source.find(marker));
    if (bodyAt == std::string::npos) continue;
    EXPECT_TRUE(WellFormed(folder, source.substr(0, bodyAt) + body.text));
  }
}

}  // namespace
}  // namespace pellimore
