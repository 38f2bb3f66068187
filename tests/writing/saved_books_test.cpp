// Every book saved from the fixture books and from the corpus books whose source is well-formed
// is well-formed XML, and its body is the source's body with CR LF line ends.

#include <gtest/gtest.h>

#include "reading/book_loading.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "reading/description_reader.h"
#include "text/codepage.h"
#include "writing/save_pipeline.h"
#include "writing_support.h"
#include "zip_support.h"

namespace pellimore {
namespace {

namespace fs = std::filesystem;

struct XmlCheck {
  bool wellFormed = false;
  std::string output;
};

XmlCheck RunXmllint(const std::string& path) {
  XmlCheck check;
  const std::string command = "xmllint --noout '" + path + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return check;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) check.output.append(buffer, n);
  check.wellFormed = ::pclose(pipe) == 0;
  return check;
}

bool HaveXmllint() { return std::system("xmllint --version >/dev/null 2>&1") == 0; }

// The document bytes of a book file: a plain file, or the first .fb2 entry of an archive.
std::string DocumentBytes(const fs::path& path) {
  if (path.extension() != ".zip") return testing::ReadFileBytes(path);
  for (const auto& [name, bytes] : testing::ReadZip(path)) {
    if (fs::path(name).extension() == ".fb2") return bytes;
  }
  return {};
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One tag's content (between "<" and ">") in a canonical spelling: single blanks between the
// name and the attributes, no blanks around "=", values in double quotes, "/" directly before ">".
std::string CanonicalTag(std::string_view tag) {
  std::size_t end = tag.size();
  while (end > 0 && IsBlank(tag[end - 1])) --end;
  const bool selfClosing = end > 0 && tag[end - 1] == '/' && tag.front() != '/';
  if (selfClosing) --end;
  tag = tag.substr(0, end);
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < tag.size() && IsBlank(tag[i])) ++i;
  };
  auto readUntil = [&](auto stop) {
    const std::size_t start = i;
    while (i < tag.size() && !stop(tag[i])) ++i;
    return tag.substr(start, i - start);
  };
  std::string out = "<" + std::string(readUntil(IsBlank));
  for (skipBlanks(); i < tag.size(); skipBlanks()) {
    out += " ";
    out += readUntil([](char c) { return IsBlank(c) || c == '='; });
    skipBlanks();
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    skipBlanks();
    std::string_view value;
    if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
      const char quote = tag[i++];
      value = readUntil([quote](char c) { return c == quote; });
      ++i;
    } else {
      value = readUntil(IsBlank);
    }
    out += "=\"" + std::string(value) + "\"";
  }
  return out + (selfClosing ? "/>" : ">");
}

// Every tag of a markup text in its canonical spelling; texts and comments unchanged.
std::string CanonicalTags(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, 4) == "<!--") {
      const std::size_t end = std::min(text.find("-->", i), text.size());
      out += text.substr(i, end + 3 - i);
      i = end + 3;
    } else if (text[i] == '<') {
      std::size_t end = i + 1;
      for (char quote = 0; end < text.size() && (quote != 0 || text[end] != '>'); ++end) {
        if (quote == 0 && (text[end] == '"' || text[end] == '\'')) {
          quote = text[end];
        } else if (text[end] == quote) {
          quote = 0;
        }
      }
      out += CanonicalTag(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

// The source from its first body start tag to its end, each line ended by CR LF; a source
// without a body gives the end tag of the root element.
std::string ExpectedBody(const std::string& document) {
  const std::size_t body = document.find("<body");
  return body == std::string::npos ? std::string("</FictionBook>\r\n")
                                   : CrLfText(std::string_view(document).substr(body));
}

std::string SavedBody(const std::string& saved) {
  const std::string end = "</description>\r\n";
  const std::size_t at = saved.find(end);
  return at == std::string::npos ? saved : saved.substr(at + end.size());
}

std::vector<fs::path> BooksIn(const fs::path& folder) {
  std::vector<fs::path> books;
  if (!fs::is_directory(folder)) return books;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const fs::path& path = entry.path();
    if (path.extension() == ".fb2" || path.extension() == ".zip") books.push_back(path);
  }
  std::sort(books.begin(), books.end());
  return books;
}

// Saves the book with the settings the reader leaves (its own encoding) and checks the result.
void CheckSavedBook(const fs::path& source, const testing::TempFolder& temp) {
  SCOPED_TRACE(source.string());
  const std::string document = DocumentBytes(source);
  const std::string sourceCopy = temp / "source.xml";
  testing::WriteFileBytes(sourceCopy, document);
  const XmlCheck original = RunXmllint(sourceCopy);
  if (document.empty() || !original.wellFormed) return;  // only well-formed sources count

  testing::RecordingPrompt prompt;
  Workspace workspace;
  workspace.prompt = &prompt;
  SaveSettings settings;
  GetDescription(workspace, source.string());
  ASSERT_FALSE(workspace.header.CurrentFileName.empty());
  const std::string target = temp / (source.filename().string() + ".saved.fb2");
  ASSERT_EQ(Act_SaveAsExecute(workspace, settings, target).writtenPath, target);

  const XmlCheck saved = RunXmllint(target);
  EXPECT_TRUE(saved.wellFormed) << saved.output;
  // Prefixes bound in the source stay bound.
  if (original.output.find("namespace error") == std::string::npos) {
    EXPECT_EQ(saved.output.find("namespace error"), std::string::npos) << saved.output;
  }
  // Tags may be respelt (quotes, blanks); texts, comments and attribute values stay as they were.
  EXPECT_EQ(CanonicalTags(SavedBody(testing::ReadFileBytes(target))), CanonicalTags(ExpectedBody(document)));
  EXPECT_TRUE(prompt.messages.empty());
}

TEST(SavedBooks, FixtureBooks) {
  if (!HaveXmllint()) GTEST_SKIP() << "xmllint is not installed";
  testing::TempFolder temp;
  const fs::path data = PELLIMORE_TEST_DATA_DIR;
  std::vector<fs::path> books = BooksIn(data / "reading");
  for (const fs::path& book : BooksIn(data / "writing")) books.push_back(book);
  ASSERT_FALSE(books.empty());
  for (const fs::path& book : books) CheckSavedBook(book, temp);
}

TEST(SavedBooks, CorpusBooks) {
  const fs::path books = fs::path(PELLIMORE_CORPUS_DIR) / "books";
  if (!fs::is_directory(books)) GTEST_SKIP() << "no corpus at " << books;
  if (!HaveXmllint()) GTEST_SKIP() << "xmllint is not installed";
  testing::TempFolder temp;
  for (const fs::path& book : BooksIn(books)) CheckSavedBook(book, temp);
}

}  // namespace
}  // namespace pellimore
