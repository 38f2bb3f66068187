#include "writing/output_naming.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "text/codepage.h"
#include "writing_support.h"

namespace pellimore {
namespace {

// Test texts are written in UTF-8 and held, as the core holds them, in code page 1251.
std::string W(std::string_view utf8) { return Utf8ToWorking(utf8); }

struct Author {
  std::string last, first, middle;
};

struct NameCase {
  const char* name;
  NameTemplate nameTemplate;
  std::vector<Author> authors;
  std::string title;
  std::string expected;  // UTF-8
};

TEST(MakeTargetName, Templates) {
  const std::vector<NameCase> cases = {
      {"cyrillic with initials",
       NameTemplate::Cyrillic,
       {{"Толстой", "Лев", "Николаевич"}},
       "Война и Мир",
       "Толстой Л.Н. Война и Мир.fb2"},
      {"transliterated",
       NameTemplate::Transliterated,
       {{"Толстой", "Лев", "Николаевич"}},
       "Война и Мир",
       "Tolstoj_L._Vojna_I_Mir.fb2"},
      {"latin lower-cased then raised",
       NameTemplate::Transliterated,
       {{"Smith", "John", ""}},
       "XML Basics",
       "Smith_J._Xml_Basics.fb2"},
      {"last names only",
       NameTemplate::Cyrillic,
       {{"Ильф", "", ""}, {"Петров", "", ""}},
       "Двенадцать стульев",
       "Ильф Петров. Двенадцать стульев.fb2"},
      {"empty first author leaves a blank",
       NameTemplate::Cyrillic,
       {{"", "", ""}, {"Петров", "Е", ""}},
       "T",
       " Петров Е. T.fb2"},
      {"middle initial needs a first name",
       NameTemplate::Cyrillic,
       {{"Ильф", "", "Арнольдович"}},
       "T",
       "Ильф. T.fb2"},
      {"initials keep their case", NameTemplate::Cyrillic, {{"Doe", "jane", "q"}}, "T", "Doe j.q. T.fb2"},
      {"bad characters removed",
       NameTemplate::Cyrillic,
       {{"A/B", "C", ""}},
       "Why? Now: <yes>|\"*\\",
       "AB C. Why Now yes.fb2"},
      {"title of bad characters after initials",
       NameTemplate::Cyrillic,
       {{"Толстой", "Лев", "Николаевич"}},
       "?:",
       "Толстой Л.Н. .fb2"},
      {"title of bad characters, no author", NameTemplate::Cyrillic, {}, "?:", "old.fb2"},
      {"empty title, cyrillic", NameTemplate::Cyrillic, {{"Толстой", "Лев", ""}}, "", "old.fb2"},
      {"empty title, transliterated", NameTemplate::Transliterated, {{"Толстой", "Лев", ""}}, "", "old.fb2"},
      {"blank title", NameTemplate::Cyrillic, {{"Толстой", "Лев", ""}}, " \r\n ", "old.fb2"},
      {"no rename", NameTemplate::NoRename, {{"Толстой", "Лев", ""}}, "Война и Мир", "old.fb2"},
      {"title and names trimmed",
       NameTemplate::Cyrillic,
       {{"\r\n  Толстой ", " Лев\t", ""}},
       "\r\n      Война и Мир\r\n    ",
       "Толстой Л. Война и Мир.fb2"},
      {"inner control characters dropped", NameTemplate::Cyrillic, {}, "Line\r\none\tend", "Lineoneend.fb2"},
      {"inner control characters dropped, transliterated",
       NameTemplate::Transliterated,
       {},
       "Мир\r\n  и война",
       "Mir__I_Vojna.fb2"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace workspace;
    HeaderRecord& r = workspace.header;
    r.CurrentFileName = "/books/old.fb2";
    r.E_TI_BookTitle = W(c.title);
    for (std::size_t i = 0; i < c.authors.size(); ++i) {
      TitleAuthorFields a = TitleAuthor(r, static_cast<int>(i) + 1);
      a.LName = W(c.authors[i].last);
      a.FName = W(c.authors[i].first);
      a.MName = W(c.authors[i].middle);
    }
    SaveSettings settings;
    settings.nameTemplate = c.nameTemplate;
    // Names built from the fields are file names: UTF-8, whatever the working code page.
    EXPECT_EQ(MakeTargetName(workspace, settings), c.expected);
  }
}

TEST(OutputNaming, AuthorPieces) {
  EXPECT_EQ(AuthorWithInitials("", "A", "B"), "");
  EXPECT_EQ(AuthorWithInitials("L", "First", "Middle"), "L F.M.");
  EXPECT_EQ(AuthorWithInitials("L:?", "", "M"), "L");
  EXPECT_EQ(AuthorWithInitial("L", "First"), "L F.");
  EXPECT_EQ(AuthorWithInitial("L", ""), "L");
}

TEST(OutputNaming, MirroredFolders) {
  struct Case {
    std::string saveFolder, path, common, relative;
  };
  const std::vector<Case> cases = {
      {"/lib/", "/books/sci/x.fb2", "/", "books/sci/x.fb2"},
      {"/lib/", "/lib/sci/x.fb2", "/lib/", "sci/x.fb2"},
      {"/d/lib/", "/D/Lib/Sci/x.fb2", "/", "D/Lib/Sci/x.fb2"},
      {"lib/", "/in/x.fb2", "", "in/x.fb2"},
      {"lib/", "in/x.fb2", "", "in/x.fb2"},
      {"/lib/", "/c:/x.fb2", "/", "c:/x.fb2"},
      {"/lib/", "", "", ""},
      {"/a/b", "/a/b", "/a/b/", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saveFolder + " " + c.path);
    SaveSettings settings;
    settings.E_Dir_To_Save = c.saveFolder;
    EXPECT_EQ(CommonFolderPrefix(settings, c.path), c.common);
    EXPECT_EQ(RelativeFolder(settings, c.path), c.relative);
  }
}

TEST(OutputNaming, UpdateSaveControls) {
  SaveSettings settings;
  const SaveControlsState off = UpdateSaveControls(settings);
  EXPECT_FALSE(off.E_Dir_To_Save || off.SpeedButton5 || off.ChBSubfolders || off.GroupBox7);
  settings.mode = SaveMode::SaveToDir;
  const SaveControlsState on = UpdateSaveControls(settings);
  EXPECT_TRUE(on.E_Dir_To_Save && on.SpeedButton5 && on.ChBSubfolders && on.GroupBox7);
}

class MakeTargetPathTest : public ::testing::Test {
 protected:
  MakeTargetPathTest() {
    workspace.prompt = &prompt;
    std::filesystem::create_directories(temp.Path() / "lib");
    std::filesystem::create_directories(temp.Path() / "books" / "sci");
    r.CurrentFileName = temp / "books/sci/x.fb2";
    r.E_TI_BookTitle = "Title";
    r.E_TI_ALName = "Doe";
    r.E_TI_AFName = "Jane";
    settings.mode = SaveMode::SaveToDir;
    settings.E_Dir_To_Save = temp / "lib/";
  }

  std::string Target() { return MakeTargetPath(workspace, settings); }

  testing::TempFolder temp;
  testing::RecordingPrompt prompt;
  Workspace workspace;
  HeaderRecord& r = workspace.header;
  SaveSettings settings;
};

TEST_F(MakeTargetPathTest, ReplaceSourceGivesTheSourcePath) {
  settings.mode = SaveMode::ReplaceSource;
  EXPECT_EQ(Target(), r.CurrentFileName);
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MakeTargetPathTest, EmptySaveFolderAsksInEveryMode) {
  settings.mode = SaveMode::ReplaceSource;
  settings.E_Dir_To_Save.clear();
  EXPECT_EQ(Target(), "");
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"Empty path"});
  ASSERT_EQ(prompt.folderRequests.size(), 1u);
  EXPECT_EQ(prompt.folderRequests[0], std::filesystem::current_path().string());

  prompt.messages.clear();
  prompt.folderAnswer = temp / "lib";
  EXPECT_EQ(Target(), r.CurrentFileName);
  EXPECT_EQ(settings.E_Dir_To_Save, temp / "lib/");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MakeTargetPathTest, SaveFolderWithoutSubfolders) {
  settings.ChBSubfolders = false;
  EXPECT_EQ(Target(), temp / "lib/Doe J. Title.fb2");
  settings.nameTemplate = NameTemplate::NoRename;
  EXPECT_EQ(Target(), temp / "lib/x.fb2");

  settings.E_Dir_To_Save = temp / "lib";  // typed without the final separator
  EXPECT_EQ(Target(), temp / "libx.fb2");

  settings.E_Dir_To_Save = temp / "missing/";
  EXPECT_EQ(Target(), r.CurrentFileName) << "no rename into a missing folder writes over the source";
  settings.nameTemplate = NameTemplate::Transliterated;
  EXPECT_EQ(Target(), "");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MakeTargetPathTest, SubfoldersMirrorTheSourceBelowTheSaveFolder) {
  EXPECT_EQ(Target(), temp / "lib/books/sci/Doe J. Title.fb2");
  EXPECT_TRUE(std::filesystem::is_directory(temp.Path() / "lib/books/sci"));

  r.CurrentFileName = temp / "lib/sci/x.fb2";
  settings.nameTemplate = NameTemplate::NoRename;
  EXPECT_EQ(Target(), temp / "lib/sci/x.fb2");
  EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MakeTargetPathTest, SubfolderMessages) {
  settings.E_Dir_To_Save = temp / "missing/";
  EXPECT_EQ(Target(), "");
  EXPECT_EQ(prompt.messages, std::vector<std::string>{temp / "missing/ not found"});

  prompt.messages.clear();
  settings.E_Dir_To_Save = temp / "lib/";
  testing::WriteFileBytes(temp / "lib/books", "a file where a folder belongs");
  EXPECT_EQ(Target(), "");
  EXPECT_EQ(prompt.messages, std::vector<std::string>{"Dir " + (temp / "lib/books/sci/") + " not found"});
}

TEST(OutputNaming, SpeedButton5AppendsTheSeparator) {
  testing::RecordingPrompt prompt;
  Workspace workspace;
  workspace.prompt = &prompt;
  SaveSettings settings;
  settings.E_Dir_To_Save = "/old/";
  SpeedButton5Click(workspace, settings);
  EXPECT_EQ(settings.E_Dir_To_Save, "/old/") << "cancelling changes nothing";
  prompt.folderAnswer = "/new";
  SpeedButton5Click(workspace, settings);
  EXPECT_EQ(settings.E_Dir_To_Save, "/new/");
  prompt.folderAnswer = "/";
  SpeedButton5Click(workspace, settings);
  EXPECT_EQ(settings.E_Dir_To_Save, "/");
}

}  // namespace
}  // namespace pellimore
