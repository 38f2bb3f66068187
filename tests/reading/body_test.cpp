#include "reading/body.h"

#include <gtest/gtest.h>
#include <zip.h>

#include "reader_fixtures.h"
#include "reading/description_reader.h"

namespace pellimore {
namespace {

using testing::ReaderFixture;
using testing::ReadingData;
using testing::TempFolder;
using testing::W;

constexpr const char* kFullBookBody =
    "<body>\r\n <title><p>Пикник</p></title>\r\n"
    " <section><p>Текст &lt;с&gt; сущностью.</p><empty-line/><image l:href=\"#pic.jpg\" "
    "alt=\"\"/></section>\r\n"
    "</body>\r\n<binary id=\"cover.jpg\" content-type=\"image/jpeg\">AAAA</binary>\r\n</FictionBook>\r\n";

TEST(GetBody, RunsFromTheFirstBodyTagToTheEnd) {
  for (const char* name : {"full_cp1251_lf.fb2", "full_utf8_crlf.fb2"}) {
    SCOPED_TRACE(name);
    ReaderFixture f;
    GetDescription(f.workspace, ReadingData(name));
    EXPECT_EQ(WorkingToUtf8(GetBody(f.workspace)), kFullBookBody);
    EXPECT_TRUE(f.workspace.LogList.empty());
  }
}

TEST(GetBody, LoadBodyFillsMemo2) {
  ReaderFixture f;
  GetDescription(f.workspace, ReadingData("full_cp1251_lf.fb2"));
  f.workspace.header.Memo2 = "typed";
  SpeedButton3Click(f.workspace);
  EXPECT_EQ(WorkingToUtf8(f.workspace.header.Memo2), kFullBookBody);
}

TEST(ExtractBody, KeepsTheSourceBytesWhenNotDecoding) {
  ReaderFixture f;
  TempFolder folder;
  const std::string body = "<body><p a='Ёж'>Ёж \xF0\x9F\x98\x80</p></body>";
  GetDescription(f.workspace, folder.Write("u.fb2", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body));
  ASSERT_TRUE(f.workspace.header.SourceIsUtf8);

  const BodyText raw = ExtractBody(f.workspace, false);
  EXPECT_TRUE(raw.sourceRead);
  EXPECT_EQ(raw.text, "<body><p a=\"Ёж\">Ёж \xF0\x9F\x98\x80</p></body>\r\n");

  const BodyText decoded = ExtractBody(f.workspace, true);
  EXPECT_EQ(decoded.text, W("<body><p a=\"Ёж\">Ёж ?</p></body>\r\n"));
}

TEST(ExtractBody, FollowsTheBookOnDisk) {
  ReaderFixture f;
  TempFolder folder;
  const std::string path = folder.Write("b.fb2", "<FictionBook><body><p>one</p></body></FictionBook>");
  GetDescription(f.workspace, path);
  folder.Write("b.fb2", "<FictionBook><BODY name=\"n\"><p>two</p></BODY><!-- c --></FictionBook>");
  EXPECT_EQ(GetBody(f.workspace), "<BODY name=\"n\"><p>two</p></BODY><!-- c --></FictionBook>\r\n");
}

TEST(ExtractBody, NothingToRead) {
  {
    SCOPED_TRACE("no book open");
    ReaderFixture f;
    const BodyText body = ExtractBody(f.workspace, true);
    EXPECT_FALSE(body.sourceRead);
    EXPECT_EQ(body.text, "");
  }
  {
    SCOPED_TRACE("the file went away");
    ReaderFixture f;
    TempFolder folder;
    const std::string path = folder.Write("gone.fb2", "<body>x</body>");
    GetDescription(f.workspace, path);
    std::filesystem::remove(path);
    EXPECT_FALSE(ExtractBody(f.workspace, true).sourceRead);
    EXPECT_EQ(GetBody(f.workspace), "");
    EXPECT_TRUE(f.workspace.LogList.empty());
  }
  {
    SCOPED_TRACE("a book without a body tag");
    ReaderFixture f;
    TempFolder folder;
    GetDescription(f.workspace,
                   folder.Write("nobody.fb2", "<FictionBook><html/><description/></FictionBook>"));
    const BodyText body = ExtractBody(f.workspace, true);
    EXPECT_TRUE(body.sourceRead);
    EXPECT_EQ(body.text, "");
  }
}

TEST(ExtractBody, ReadErrorsBecomeLogLines) {
  ReaderFixture f;
  TempFolder folder;
  f.workspace.header.CurrentZipName = folder.Write("bad.zip", "PK\x03\x04 no archive at all");
  f.workspace.header.CurrentFileName = folder.File("book.fb2");
  const BodyText body = ExtractBody(f.workspace, true);
  EXPECT_FALSE(body.sourceRead);
  EXPECT_FALSE(body.error.empty());
  ASSERT_EQ(f.workspace.LogList.size(), 1u);
  EXPECT_EQ(f.workspace.LogList[0], "GetBody : " + body.error);
}

TEST(ExtractBody, ReadsTheBookFromItsArchive) {
  ReaderFixture f;
  TempFolder folder;
  const std::string archive = folder.File("b.zip");
  const std::string bytes = "<FictionBook><description/><body><p>zipped</p></body></FictionBook>";
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(zip, nullptr);
  ASSERT_GE(zip_file_add(zip, "b.fb2", zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0), 0);
  ASSERT_EQ(zip_close(zip), 0);
  GetDescription(f.workspace, archive);
  EXPECT_EQ(GetBody(f.workspace), "<body><p>zipped</p></body></FictionBook>\r\n");
}

}  // namespace
}  // namespace pellimore
