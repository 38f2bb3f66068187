#include "writing/save_pipeline.h"

#include <gtest/gtest.h>

#include "reading/book_loading.h"

#include <filesystem>
#include <stdexcept>

#include "reading/description_reader.h"
#include "text/codepage.h"
#include "writing/description_writer.h"
#include "writing/file_replace.h"
#include "writing_support.h"
#include "zip_support.h"

namespace pellimore {
namespace {

using testing::FolderEntries;
using testing::ReadFileBytes;
using testing::ReadZip;
using testing::ZipEntries;

const std::string kData = std::string(PELLIMORE_TEST_DATA_DIR) + "/writing/";

std::string Fixture(const std::string& name) { return ReadFileBytes(kData + name); }

// The source from its first body tag to its end.
std::string BodyOf(const std::string& document) { return document.substr(document.find("<body")); }

// The saved document after its description.
std::string SavedBody(const std::string& document) {
  const std::string end = "</description>\r\n";
  return document.substr(document.find(end) + end.size());
}

class SavePipelineTest : public ::testing::Test {
 protected:
  SavePipelineTest() { workspace.prompt = &prompt; }

  // Copies a fixture into the temporary folder and opens it.
  std::string OpenCopy(const std::string& fixture, const std::string& name) {
    const std::string path = temp / name;
    std::filesystem::copy_file(kData + fixture, path);
    GetDescription(workspace, path);
    return path;
  }
  void SelectUtf8(bool utf8) {
    workspace.codePage.RadioButton1 = !utf8;
    workspace.codePage.RadioButton2 = utf8;
  }

  testing::TempFolder temp;
  testing::RecordingPrompt prompt;
  Workspace workspace;
  SaveSettings settings;
};

TEST_F(SavePipelineTest, SavesOverAPlainSource) {
  const std::string path = OpenCopy("plain_cp1251.fb2", "X.fb2");
  workspace.header.E_TI_BookTitle = "  New title ";
  settings.E_Dir_To_Save = temp.Slashed();

  const SaveResult result = Act_SaveExecute(workspace, settings);
  EXPECT_EQ(result.targetPath, path);
  EXPECT_EQ(result.writtenPath, path);
  const std::string saved = ReadFileBytes(path);
  Workspace again;
  again.prompt = &prompt;
  again.header = workspace.header;
  EXPECT_EQ(saved.substr(0, saved.find("<body")), BuildDescription(again));
  EXPECT_NE(saved.find("   <book-title>New title</book-title>\r\n"), std::string::npos);
  EXPECT_NE(
      saved.find("<author><nickname>maker</nickname></author>\r\n   <program-used>Some Tool, Pellimore<"),
      std::string::npos);
  EXPECT_EQ(SavedBody(saved), BodyOf(Fixture("plain_cp1251.fb2")));
  EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"X.fb2"});
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(SavePipelineTest, PrefixesDeclaredOnTheSourceRootStayBound) {
  const std::string path = temp / "ns.fb2";
  testing::WriteFileBytes(path,
                          "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                          "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
                          "xmlns:l=\"http://www.w3.org/1999/xlink\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">\r\n"
                          "<description><title-info><book-title>T</book-title><coverpage>"
                          "<image l:href=\"#c.jpg\"/></coverpage></title-info></description>\r\n"
                          "<body><p><a l:href=\"#n1\">1</a></p></body>\r\n</FictionBook>\r\n");
  GetDescription(workspace, path);
  EXPECT_EQ(workspace.header.RootNamespacesRaw, " xmlns:l=\"http://www.w3.org/1999/xlink\"");

  Act_SaveAsExecute(workspace, settings, path);
  const std::string saved = ReadFileBytes(path);
  EXPECT_NE(saved.find("<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                       "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
                       "xmlns:l=\"http://www.w3.org/1999/xlink\">\r\n"),
            std::string::npos);
  EXPECT_NE(saved.find("<a l:href=\"#n1\">"), std::string::npos);
}

TEST_F(SavePipelineTest, ZipFromFb2NameLeavesThePlainSource) {
  const std::string path = OpenCopy("plain_cp1251.fb2", "X.fb2");
  settings.E_Dir_To_Save = temp.Slashed();
  settings.ChBZip = true;

  const SaveResult result = Act_SaveExecute(workspace, settings);
  EXPECT_EQ(result.writtenPath, path + ".zip");
  EXPECT_EQ(ReadFileBytes(path), Fixture("plain_cp1251.fb2"));
  const ZipEntries entries = ReadZip(path + ".zip");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].first, "X.fb2");
  EXPECT_EQ(SavedBody(entries[0].second), BodyOf(Fixture("plain_cp1251.fb2")));
  EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"X.fb2", "X.fb2.zip"}));
}

class ZippedSourceTest : public SavePipelineTest {
 protected:
  ZippedSourceTest() {
    archive = temp / "Arc.zip";
    testing::WriteZip(archive, {{"readme.txt", "not a book"}, {"Book.fb2", Fixture("plain_cp1251.fb2")}});
    original = ReadFileBytes(archive);
    GetDescription(workspace, archive);
    settings.E_Dir_To_Save = temp.Slashed();
  }
  std::string archive;
  std::string original;
};

TEST_F(ZippedSourceTest, ZipFromZipNameRebuildsTheSourceArchive) {
  ASSERT_EQ(workspace.header.CurrentFileName, temp / "Book.fb2");
  settings.ChBZip = true;
  settings.zipName = ZipNameFrom::ZipFileName;

  const SaveResult result = Act_SaveExecute(workspace, settings);
  EXPECT_EQ(result.writtenPath, archive);
  const ZipEntries entries = ReadZip(archive);
  ASSERT_EQ(entries.size(), 1u) << "the other entries of the old archive are gone";
  EXPECT_EQ(entries[0].first, "Book.fb2");
  EXPECT_EQ(SavedBody(entries[0].second), BodyOf(Fixture("plain_cp1251.fb2")));
  EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"Arc.zip"});
}

TEST_F(ZippedSourceTest, ZipFromFb2NameWritesBesideTheArchive) {
  settings.ChBZip = true;
  const SaveResult result = Act_SaveExecute(workspace, settings);
  EXPECT_EQ(result.writtenPath, temp / "Book.fb2.zip");
  EXPECT_EQ(ReadFileBytes(archive), original);
  EXPECT_EQ(ReadZip(temp / "Book.fb2.zip").at(0).first, "Book.fb2");
}

TEST_F(ZippedSourceTest, WithoutZipAPlainBookIsWrittenBesideTheArchive) {
  const SaveResult result = Act_SaveExecute(workspace, settings);
  EXPECT_EQ(result.writtenPath, temp / "Book.fb2");
  EXPECT_EQ(ReadFileBytes(archive), original);
  EXPECT_EQ(SavedBody(ReadFileBytes(temp / "Book.fb2")), BodyOf(Fixture("plain_cp1251.fb2")));
}

TEST_F(ZippedSourceTest, ZipFromZipNameInAnotherFolderLeavesTheSourceArchive) {
  std::filesystem::create_directories(temp.Path() / "lib");
  settings.mode = SaveMode::SaveToDir;
  settings.ChBSubfolders = false;
  settings.nameTemplate = NameTemplate::NoRename;
  settings.E_Dir_To_Save = temp / "lib/";
  settings.ChBZip = true;
  settings.zipName = ZipNameFrom::ZipFileName;
  EXPECT_EQ(Act_SaveExecute(workspace, settings).writtenPath, temp / "lib/Arc.zip");
  EXPECT_EQ(ReadFileBytes(archive), original);
  EXPECT_EQ(ReadZip(temp / "lib/Arc.zip").at(0).first, "Book.fb2");
}

TEST_F(ZippedSourceTest, VanishedArchiveWritesNothing) {
  std::filesystem::remove(archive);
  settings.ChBZip = true;
  settings.zipName = ZipNameFrom::ZipFileName;
  EXPECT_THROW(Act_SaveExecute(workspace, settings), SaveAbandoned);
  EXPECT_EQ(prompt.messages,
            std::vector<std::string>{"Cannot read the source \"" + archive + "\". The book was not saved."});
  EXPECT_TRUE(FolderEntries(temp.Path()).empty());
}

TEST_F(SavePipelineTest, SaveAsUsesThePathAsTyped) {
  OpenCopy("plain_cp1251.fb2", "X.fb2");
  const std::string typed = temp / "copy";
  EXPECT_EQ(Act_SaveAsExecute(workspace, settings, typed).writtenPath, typed);
  EXPECT_EQ(SavedBody(ReadFileBytes(typed)), BodyOf(Fixture("plain_cp1251.fb2")));

  settings.ChBZip = true;
  EXPECT_EQ(Act_SaveAsExecute(workspace, settings, typed).writtenPath, typed + ".zip");
  EXPECT_EQ(ReadZip(typed + ".zip").at(0).first, "copy.fb2");
  settings.ChBZip = false;
  EXPECT_EQ(ZipEntryName(temp / "Title.txt"), "Title.fb2");

  EXPECT_EQ(Act_SaveAsExecute(workspace, settings, "").writtenPath, "") << "a cancelled dialog";
  EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"X.fb2", "copy", "copy.zip"}));
  EXPECT_TRUE(prompt.folderRequests.empty()) << "Save As uses no save folder";
}

TEST_F(SavePipelineTest, ZipEntryNamesAreStoredAsUtf8AndReadBack) {
  OpenCopy("plain_cp1251.fb2", "X.fb2");
  settings.ChBZip = true;
  const std::string typed = temp / "Книга";
  EXPECT_EQ(Act_SaveAsExecute(workspace, settings, typed).writtenPath, typed + ".zip");
  EXPECT_EQ(ReadZip(typed + ".zip").at(0).first, "Книга.fb2");
  GetDescription(workspace, typed + ".zip");
  EXPECT_EQ(workspace.header.CurrentFileName, typed + ".fb2");
}

TEST_F(SavePipelineTest, Utf8OutputFromASingleByteSource) {
  const std::string path = OpenCopy("plain_cp1251.fb2", "X.fb2");
  settings.E_Dir_To_Save = temp.Slashed();
  SelectUtf8(true);
  Act_SaveExecute(workspace, settings);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", 0), 0u) << "no byte order mark";
  EXPECT_NE(saved.find("<book-title>Война и мир</book-title>"), std::string::npos);
  EXPECT_EQ(SavedBody(saved), WorkingToUtf8(BodyOf(Fixture("plain_cp1251.fb2"))));
}

TEST_F(SavePipelineTest, Utf8BookSavedAsUtf8KeepsItsBodyBytesAndGainsCrLf) {
  const std::string path = OpenCopy("lf_utf8.fb2", "u.fb2");
  ASSERT_TRUE(workspace.codePage.RadioButton2) << "the reader selects utf-8 for a UTF-8 book";
  settings.E_Dir_To_Save = temp.Slashed();
  Act_SaveExecute(workspace, settings);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", 0), 0u);
  EXPECT_NE(saved.find("   <book-title>Tom &amp; Jerry</book-title>\r\n"), std::string::npos);
  EXPECT_NE(saved.find("<p>Caf? au lait</p>"), std::string::npos)
      << "the header passes through code page 1251";
  EXPECT_NE(saved.find("   <src-url>http://example.org/?a=1&amp;b=2</src-url>\r\n"), std::string::npos);
  EXPECT_EQ(SavedBody(saved),
            "<body>\r\n<section><p>Café, naïve, Ёж, 中文, emoji 😀, &#160;done</p>\r\n"
            "<image l:href=\"#pic\"/>\r\n</section>\r\n</body>\r\n</FictionBook>\r\n");
  EXPECT_EQ(saved.find('\n'), saved.find("\r\n") + 1);
  std::size_t lf = 0;
  while ((lf = saved.find('\n', lf + 1)) != std::string::npos) ASSERT_EQ(saved[lf - 1], '\r') << lf;
}

TEST_F(SavePipelineTest, Utf8BookSavedAsAnsiIsDecoded) {
  const std::string path = OpenCopy("lf_utf8.fb2", "u.fb2");
  settings.E_Dir_To_Save = temp.Slashed();
  SelectUtf8(false);
  Act_SaveExecute(workspace, settings);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n", 0), 0u);
  EXPECT_NE(SavedBody(saved).find(Utf8ToWorking("Ёж, ??, emoji ?")), std::string::npos);
}

TEST_F(SavePipelineTest, SourceWithoutBodyIsSavedWithTheHeaderAndTheRootEndTag) {
  const std::string path = OpenCopy("no_body.fb2", "n.fb2");
  settings.E_Dir_To_Save = temp.Slashed();
  Act_SaveExecute(workspace, settings);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n", 0), 0u);
  EXPECT_NE(saved.find("   <book-title>Only a header</book-title>\r\n"), std::string::npos);
  EXPECT_EQ(SavedBody(saved), "</FictionBook>\r\n") << "the header alone, and the root's end tag";
}

TEST_F(SavePipelineTest, NoBookOpenWritesNothingSilently) {
  for (SaveMode mode : {SaveMode::ReplaceSource, SaveMode::SaveToDir}) {
    settings.mode = mode;
    settings.ChBSubfolders = mode == SaveMode::SaveToDir;
    EXPECT_EQ(Act_SaveExecute(workspace, settings).writtenPath, "");
    EXPECT_EQ(Act_SaveAsExecute(workspace, settings, temp / "x.fb2").writtenPath, "");
  }
  EXPECT_TRUE(FolderEntries(temp.Path()).empty());
  EXPECT_TRUE(prompt.messages.empty());
  EXPECT_TRUE(prompt.folderRequests.empty());
}

TEST_F(SavePipelineTest, FailedWriteKeepsTheOldBook) {
  const std::string path = OpenCopy("plain_cp1251.fb2", "X.fb2");
  settings.E_Dir_To_Save = temp.Slashed();
  for (bool zip : {false, true}) {
    SCOPED_TRACE(zip);
    settings.ChBZip = zip;
    const std::string written = zip ? path + ".zip" : path;
    if (zip) testing::WriteFileBytes(written, "old archive");
    ScopedWriteFailure failure(100);
    try {
      Act_SaveExecute(workspace, settings);
      FAIL() << "the save should fail";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + written + "\". ", 0), 0u) << e.what();
    }
    EXPECT_EQ(ReadFileBytes(written), zip ? "old archive" : Fixture("plain_cp1251.fb2"));
  }
  EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"X.fb2", "X.fb2.zip"}));
}

TEST_F(SavePipelineTest, UnwritableTargetReportsCannotCreateFile) {
  OpenCopy("plain_cp1251.fb2", "X.fb2");
  const std::string target = temp / "no-such-folder/X.fb2";
  EXPECT_THROW(
      {
        try {
          Act_SaveAsExecute(workspace, settings, target);
        } catch (const std::runtime_error& e) {
          EXPECT_EQ(std::string(e.what()),
                    "Cannot create file \"" + target + "\". No such file or directory");
          throw;
        }
      },
      std::runtime_error);
}

TEST_F(SavePipelineTest, VanishedSourceWritesNothing) {
  const std::string path = OpenCopy("plain_cp1251.fb2", "X.fb2");
  settings.mode = SaveMode::SaveToDir;
  settings.ChBSubfolders = false;
  settings.E_Dir_To_Save = temp / "lib/";
  std::filesystem::create_directories(temp / "lib");
  std::filesystem::remove(path);

  EXPECT_THROW(Act_SaveExecute(workspace, settings), SaveAbandoned);
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_NE(prompt.messages[0].find("\"" + path + "\""), std::string::npos) << prompt.messages[0];
  EXPECT_TRUE(FolderEntries(temp / "lib").empty());
  EXPECT_TRUE(FolderEntries(temp.Path()) == std::vector<std::string>{"lib"});
}

TEST(CrLfText, NormalisesEveryLineEnd) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\nb\rc\r\nd\n", "a\r\nb\r\nc\r\nd\r\n"},
      {"\n\r\n\r", "\r\n\r\n\r\n"},
      {"a\r\r\nb", "a\r\n\r\nb\r\n"},
      {std::string("a\nb\0c\nd", 7), "a\r\nb\r\n"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(CrLfText(text), expected);
}

}  // namespace
}  // namespace pellimore
