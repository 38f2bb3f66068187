#include "reading/book_loading.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "text/platform.h"

namespace pellimore {
namespace {

using namespace std::string_literals;

struct ZipEntrySpec {
  std::string name;
  std::string bytes;
  std::time_t mtime = 0;  // 0: libzip's default
};

// Writes an archive with the entries in the given order, stored without compression so a test can
// find an entry's bytes in the file.
std::string WriteZip(const std::string& path, const std::vector<ZipEntrySpec>& entries) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) throw std::runtime_error("zip_open failed");
  for (const ZipEntrySpec& entry : entries) {
    zip_source_t* source = zip_source_buffer(zip, entry.bytes.data(), entry.bytes.size(), 0);
    const zip_int64_t index = zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_GUESS);
    if (index < 0) throw std::runtime_error("zip_file_add failed");
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    if (entry.mtime != 0) zip_file_set_mtime(zip, static_cast<zip_uint64_t>(index), entry.mtime, 0);
  }
  if (zip_close(zip) != 0) throw std::runtime_error("zip_close failed");
  return path;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::time_t LocalTime(int year, int month, int day, int hour) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

void SetModificationTime(const std::string& path, std::time_t time) {
  const timespec times[2] = {{time, 0}, {time, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A fixed time zone and short date format, and a workspace whose fields hold an earlier book.
class BookLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) m_savedTz = tz;
    setenv("TZ", "Europe/Moscow", 1);
    tzset();
    workspace.header.CurrentFileName = "/old/book.fb2";
    workspace.header.CurrentZipName = "/old/book.zip";
    workspace.header.CurrentFileDate = "01.01.2001";
    workspace.statusPanels[0] = "/old/book.zip";
  }
  void TearDown() override {
    if (m_savedTz) {
      setenv("TZ", m_savedTz->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
    SetShortDateFormat("dd.MM.yyyy");
  }

  // Loads a path that must fail with a message naming it; the lines loaded meanwhile.
  Lines LoadFailingNaming(const std::string& path) {
    Lines lines;
    try {
      LoadBookLines(lines, path, workspace);
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
    return lines;
  }

  void ExpectNothingLoaded(const Lines& lines) {
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(workspace.header.CurrentFileName, "");
    EXPECT_EQ(workspace.header.CurrentZipName, "");
    EXPECT_EQ(workspace.header.CurrentFileDate, "");
    EXPECT_EQ(workspace.statusPanels[0], "/old/book.zip");
  }

  testing::TempFolder folder;
  Workspace workspace;

 private:
  std::optional<std::string> m_savedTz;
};

TEST(SplitLinesTest, BreaksAtCrLfLoneCrAndLoneLf) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"a\r", {"a"}},
      {"a\0b\nc"s, {"a"}},
      {"line\r\nsecond\0\r\nlost"s, {"line", "second"}},
      {"\0abc"s, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

TEST(SplitLinesTest, JoinEndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines(SplitLines("one\ntwo\rthree")), "one\r\ntwo\r\nthree\r\n");
}

TEST(SplitLinesTest, CrLfTextIsSplitAndJoinInOnePass) {
  const std::string texts[] = {"",        "a",          "a\r\n",      "a\n\nb",   "a\r\rb\r",
                               "\r\n\r\n", "a\r\nb\n\r", "x\0y\r\n"s, "\n",     "a\r\n\n"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const std::string expected = JoinLines(SplitLines(text));
    EXPECT_EQ(CrLfText(text), expected);
    EXPECT_EQ(IsCrLfText(text), text == expected);
    std::string inPlace = text;
    MakeCrLfText(inPlace);
    EXPECT_EQ(inPlace, expected);
  }
}

TEST_F(BookLoadingTest, PlainBookFile) {
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"lf.fb2", "<a>\n<b>\n", {"<a>", "<b>"}},
      {"crlf.fb2", "<a>\r\n<b>", {"<a>", "<b>"}},
      {"cr.fb2", "<a>\r<b>\r", {"<a>", "<b>"}},
      {"nul.fb2", "<a>\r\n<b\0>\r\n<c>"s, {"<a>", "<b"}},
      {"empty.fb2", "", {}},
      {"Capitals.FB2", "<a>", {"<a>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.Write(c.name, c.bytes);
    Lines lines;
    LoadBookLines(lines, path, workspace);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(workspace.header.CurrentFileName, path);
    EXPECT_EQ(workspace.header.CurrentZipName, "");
    EXPECT_EQ(workspace.header.CurrentFileDate, FileDateText(path));
    EXPECT_EQ(workspace.statusPanels[0], path);
  }
}

TEST_F(BookLoadingTest, PlainFileDateFollowsTheShortDateFormat) {
  const std::string path = folder.Write("dated.fb2", "<a/>");
  SetModificationTime(path, LocalTime(2007, 3, 5, 23));
  Lines lines;
  LoadBookLines(lines, path, workspace);
  EXPECT_EQ(workspace.header.CurrentFileDate, "05.03.2007");
  SetShortDateFormat("M/d/yy");
  EXPECT_EQ(FileDateText(path), "3/5/07");
  EXPECT_THROW(FileDateText(folder.File("missing.fb2")), std::runtime_error);
}

TEST_F(BookLoadingTest, OtherExtensionsGiveNothing) {
  for (const char* name : {"notes.txt", "book.fb2.bak", "fb2", "book"}) {
    SCOPED_TRACE(name);
    const std::string path = folder.Write(name, "<FictionBook/>");
    Lines lines;
    LoadBookLines(lines, path, workspace);
    ExpectNothingLoaded(lines);
  }
}

TEST_F(BookLoadingTest, UnreadableBookFilesThrowNamingTheFile) {
  std::filesystem::create_directories(folder.File("folder.fb2"));
  for (const std::string& path : {folder.File("missing.fb2"), folder.File("folder.fb2")}) {
    SCOPED_TRACE(path);
    ExpectNothingLoaded(LoadFailingNaming(path));
  }
}

TEST_F(BookLoadingTest, ArchiveGivesItsFirstBookEntry) {
  const std::string path =
      WriteZip(folder.File("library.zip"),
               {{"readme.txt", "not a book\n", 0},
                {"books/Tolstoj.FB2", "<FictionBook>\n<body/>\n", LocalTime(2009, 11, 7, 12)},
                {"second.fb2", "<other/>", 0}});
  Lines lines;
  LoadBookLines(lines, path, workspace);
  EXPECT_EQ(lines, (Lines{"<FictionBook>", "<body/>"}));
  EXPECT_EQ(workspace.header.CurrentFileName, folder.Slashed() + "Tolstoj.FB2");
  EXPECT_EQ(workspace.header.CurrentZipName, path);
  EXPECT_EQ(workspace.header.CurrentFileDate, "07.11.2009");
  EXPECT_EQ(workspace.statusPanels[0], path);
}

TEST_F(BookLoadingTest, ArchiveEntryDateIgnoresTheShortDateFormat) {
  SetShortDateFormat("M/d/yy");
  const std::string path = WriteZip(folder.File("dated.zip"), {{"b.fb2", "<a/>", LocalTime(2010, 2, 3, 12)}});
  Lines lines;
  LoadBookLines(lines, path, workspace);
  EXPECT_EQ(workspace.header.CurrentFileDate, "03.02.2010");
}

TEST_F(BookLoadingTest, ArchiveEntryNamesBecomeUtf8FileNames) {
  // A UTF-8 name stays as it is; a name in a single-byte code page is read as the working page.
  const std::string utf8 = WriteZip(folder.File("names.ZIP"), {{"Толстой.fb2", "<a/>", 0}});
  const std::string legacy =
      WriteZip(folder.File("legacy.zip"), {{"\xD2\xEE\xEB\xF1\xF2\xEE\xE9.fb2", "<a/>", 0}});
  for (const std::string& path : {utf8, legacy}) {
    SCOPED_TRACE(path);
    Lines lines;
    LoadBookLines(lines, path, workspace);
    EXPECT_EQ(workspace.header.CurrentFileName, folder.Slashed() + "Толстой.fb2");
    EXPECT_EQ(lines, Lines{"<a/>"});
  }
}

TEST_F(BookLoadingTest, ArchiveWithoutBookEntryGivesNothing) {
  const std::string withoutBook =
      WriteZip(folder.File("nobook.zip"),
               {{"a.txt", "text", 0}, {"b.fb2.txt", "text", 0}, {"fb2", "x", 0}, {"x.fb2/", "", 0}});
  // An archive with no entries at all: only the end-of-directory record.
  const std::string empty = folder.Write("empty.zip", "PK\x05\x06"s + std::string(18, '\0'));
  for (const std::string& path : {withoutBook, empty}) {
    SCOPED_TRACE(path);
    Lines lines;
    LoadBookLines(lines, path, workspace);
    ExpectNothingLoaded(lines);
    EXPECT_FALSE(ReadFirstBookEntry(path).found);
  }
}

TEST_F(BookLoadingTest, DamagedArchivesThrowNamingTheFile) {
  const std::string book = "<FictionBook><body><p>" + std::string(2000, 'x') + "</p></body></FictionBook>";
  const std::string good = ReadBytes(WriteZip(folder.File("good.zip"), {{"b.fb2", book, 0}}));

  std::string corrupted = good;
  corrupted[corrupted.find("xxxx") + 100] = 'y';  // the entry's CRC no longer matches
  const std::string paths[] = {
      folder.File("missing.zip"),
      folder.Write("truncated.zip", good.substr(0, good.size() / 2)),
      folder.Write("not-a-zip.zip", "<FictionBook/>"),
      folder.Write("header-only.zip", "PK\x03\x04 no archive at all"),
      folder.Write("corrupted.zip", corrupted),
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(LoadFailingNaming(path).empty());
  }
}

TEST_F(BookLoadingTest, ReloadReadsTheSameBookWithoutChangingFields) {
  const std::string archive = WriteZip(folder.File("r.zip"), {{"r.fb2", "<zipped/>\n", 0}});
  const std::string plain = folder.Write("p.fb2", "<plain/>\r\n<x/>");

  HeaderRecord header;
  header.CurrentZipName = archive;
  header.CurrentFileName = plain;  // the archive wins when both are set
  Lines lines{"stale"};
  ReloadCurrentBook(lines, header);
  EXPECT_EQ(lines, Lines{"<zipped/>"});
  EXPECT_EQ(header.CurrentZipName, archive);

  header.CurrentZipName.clear();
  ReloadCurrentBook(lines, header);
  EXPECT_EQ(lines, (Lines{"<plain/>", "<x/>"}));
  EXPECT_EQ(header.CurrentFileName, plain);
}

TEST_F(BookLoadingTest, ReloadOfAMissingBookGivesNoLines) {
  HeaderRecord header;
  Lines lines;
  ReloadCurrentBook(lines, header);
  EXPECT_TRUE(lines.empty());
  header.CurrentFileName = folder.File("gone.fb2");
  ReloadCurrentBook(lines, header);
  EXPECT_TRUE(lines.empty());
  header.CurrentZipName = folder.File("gone.zip");
  ReloadCurrentBook(lines, header);
  EXPECT_TRUE(lines.empty());
}

TEST_F(BookLoadingTest, CorpusArchiveHoldsTheSameBookAsThePlainFile) {
  const std::filesystem::path books = std::filesystem::path(PELLIMORE_CORPUS_DIR) / "books";
  if (!std::filesystem::exists(books / "gribov_fb21_demo_cp1251.fb2.zip")) GTEST_SKIP() << "no corpus";
  const std::string archive = (books / "gribov_fb21_demo_cp1251.fb2.zip").string();
  const std::string plain = (books / "gribov_fb21_demo_cp1251.fb2").string();

  Lines fromArchive;
  LoadBookLines(fromArchive, archive, workspace);
  EXPECT_EQ(workspace.header.CurrentFileName, books.string() + "/test2.1.fb2");
  EXPECT_EQ(workspace.header.CurrentFileDate, "16.08.2007");
  Lines fromFile;
  LoadBookLines(fromFile, plain, workspace);
  EXPECT_EQ(fromArchive, fromFile);
  EXPECT_GT(fromFile.size(), 100u);
  EXPECT_EQ(fromFile.front().rfind("<?xml", 0), 0u);

  // A .fbz archive is not among the extensions read.
  Lines fromFbz;
  LoadBookLines(fromFbz, (books / "file_format_sample.fbz").string(), workspace);
  EXPECT_TRUE(fromFbz.empty());
}

}  // namespace
}  // namespace pellimore
