#include "writing/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "writing_support.h"

namespace pellimore {
namespace {

using testing::FolderEntries;
using testing::ReadFileBytes;

TEST(ReplaceFile, CreatesAndReplacesThroughARename) {
  testing::TempFolder temp;
  const std::string path = temp / "book.fb2";
  ReplaceFile(path, "first");
  EXPECT_EQ(ReadFileBytes(path), "first");
  ::chmod(path.c_str(), 0640);
  ReplaceFile(path, "second, longer");
  EXPECT_EQ(ReadFileBytes(path), "second, longer");
  EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"book.fb2"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

TEST(ReplaceFile, AFailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne) {
  testing::TempFolder temp;
  const std::string path = temp / "book.fb2";
  testing::WriteFileBytes(path, "old book");
  for (std::size_t limit : {std::size_t{0}, std::size_t{3}, std::size_t{9}}) {
    SCOPED_TRACE(limit);
    ScopedWriteFailure failure(limit);
    try {
      ReplaceFile(path, "new book, ten bytes longer");
      FAIL() << "the write should fail";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". No space left on device");
    }
    EXPECT_EQ(ReadFileBytes(path), "old book");
    EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"book.fb2"});
  }
  ReplaceFile(path, "written once the failure is gone");
  EXPECT_EQ(ReadFileBytes(path), "written once the failure is gone");
}

TEST(ReplaceFile, UnwritableTargets) {
  testing::TempFolder temp;
  std::filesystem::create_directories(temp.Path() / "folder");
  testing::WriteFileBytes(temp / "folder/inside.txt", "kept");
  const std::string missing = temp / "missing/book.fb2";
  EXPECT_THROW(
      {
        try {
          ReplaceFile(missing, "x");
        } catch (const std::runtime_error& e) {
          EXPECT_EQ(std::string(e.what()),
                    "Cannot create file \"" + missing + "\". No such file or directory");
          throw;
        }
      },
      std::runtime_error);
  const std::string folder = temp / "folder";
  EXPECT_THROW(ReplaceFile(folder, "x"), std::runtime_error);
  EXPECT_EQ(ReadFileBytes(temp / "folder/inside.txt"), "kept");
  EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"folder"});
}

}  // namespace
}  // namespace pellimore
