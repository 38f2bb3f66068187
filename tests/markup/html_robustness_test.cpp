#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "markup/html_parser.h"
#include "markup/token_listing.h"

namespace pellimore {
namespace {

bool Within(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

// Whether rebuilding from the items must give back the bytes: only "<>" and the two short
// comment forms lose bytes without a report.
bool RebuildsExactly(std::string_view document) {
  return document.find("<>") == std::string_view::npos && document.find("<!-->") == std::string_view::npos &&
         document.find("<!--->") == std::string_view::npos;
}

// Parses the document and checks what must hold for any input: every view lies in the buffer,
// items follow each other without overlap, and the items give back the document's bytes up to
// where a report stopped tokenizing.
void ExpectSoundParse(const std::string& document) {
  THTMLParser parser;
  parser.Content() = document;
  const std::string_view buffer(parser.Content());
  bool stopped = false;  // a report that ends tokenizing was made
  parser.SetOnError([&](std::string_view message, std::string_view text) {
    if (message != "key not defined in tag") {
      stopped = true;
      EXPECT_TRUE(Within(text, buffer));
    }
  });
  parser.Parse();

  const char* previousEnd = buffer.data();
  for (const THTMLItem& item : parser.Items()) {
    ASSERT_TRUE(Within(item.View, buffer));
    EXPECT_GE(item.View.data(), previousEnd);
    previousEnd = item.View.data() + item.View.size();
    if (!item.IsTag()) continue;
    EXPECT_TRUE(Within(item.Name, item.View));
    for (const THTMLParam& param : item.Params) {
      EXPECT_TRUE(Within(param.Name, item.View));
      if (param.Value) {
        EXPECT_TRUE(Within(*param.Value, item.View));
      }
    }
  }
  if (RebuildsExactly(document)) {
    const std::string rebuilt = markup_testing::Rebuild(parser);
    if (stopped) {
      EXPECT_EQ(document.compare(0, rebuilt.size(), rebuilt), 0) << rebuilt;
    } else {
      EXPECT_EQ(rebuilt, document);
    }
  }
}

void ExpectSoundParseOfEveryPrefix(const std::string& document) {
  for (std::size_t length = 0; length <= document.size(); ++length) {
    SCOPED_TRACE(::testing::PrintToString(document.substr(0, length)));
    ExpectSoundParse(document.substr(0, length));
  }
}

TEST(HTMLRobustnessTest, NastyInputsAndAllTheirPrefixes) {
  const std::vector<std::string> documents = {
      "<body><!--><!---><!----><!-- x --><%%><%>%><% a %><>",
      "<body><a =><a = ><a b= ><a '>'=\"\" \"=\"'>",
      "<body><a x=\"1\"/><a x='1'/><a x=\"1\" /><a x=1/><e/><\r\n>",
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE x><![CDATA[ a > b ]]><body>",
      "<body><script>a<b</SCRIPT ><style>p</style><script/>x<style >",
      "<body>\r\n<p>\"unbalanced' quotes\" in 'text</p>\r\n<a title=\"x",
      "<body><a\t=\t\"\t\"\t=\t>\t<\t>",
      std::string("<body>\0<\0 a\0=\0>\0", 17),
      "<BODY>" + std::string(300, '<'),
      "<body>" + std::string(300, '"') + ">",
      "<body><a " + std::string(200, '=') + ">",
      "<body><!--" + std::string(200, '-'),
      "<body><%" + std::string(200, '%'),
  };
  for (const std::string& document : documents) ExpectSoundParseOfEveryPrefix(document);
}

TEST(HTMLRobustnessTest, RandomBuffers) {
  // Mostly markup bytes, so that random buffers reach every rule.
  constexpr char kBytes[] = "<<<>>>\"\"''===   \r\n\t//!!--%%??abpstyleScript\0\xFF";
  const std::string alphabet(kBytes, sizeof kBytes - 1);
  const std::vector<std::string> starts = {"", "<body>", "<body><script>", "<body><style>", "<body><!--"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::string document = starts[random() % starts.size()];
    const std::size_t length = random() % 120;
    for (std::size_t i = 0; i < length; ++i) document += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(::testing::PrintToString(document));
    ExpectSoundParse(document);
  }
}

TEST(HTMLRobustnessTest, CorpusBooksTokenizeWithoutReportsAndRebuildExactly) {
  const std::filesystem::path books = std::filesystem::path(PELLIMORE_CORPUS_DIR) / "books";
  if (!std::filesystem::is_directory(books)) GTEST_SKIP() << "no corpus at " << books;
  // Books with embedded pictures; the tokenizer must find each of their binary start tags.
  const std::map<std::string, long> kBinaryCounts = {
      {"coolreader_manual_ru_bom.fb2", 15},
      {"dumas_twenty_years_after_cp1251.fb2", 1},
      {"gribov_fb21_demo_cp1251.fb2", 5},
      {"kaznelson_test_book_2015.fb2", 32},
  };
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(books)) {
    if (entry.path().extension() != ".fb2") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string document((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const markup_testing::TokenListing listing = markup_testing::Tokenize(document);
    EXPECT_EQ(listing.reports, std::vector<std::string>{});
    ExpectSoundParse(document);
    ++checked;
    const auto binaries = std::count_if(
        listing.items.begin(), listing.items.end(),
        [](const std::string& item) { return item == "tag binary" || item.starts_with("tag binary {"); });
    if (const auto known = kBinaryCounts.find(entry.path().filename().string());
        known != kBinaryCounts.end()) {
      EXPECT_EQ(binaries, known->second);
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace pellimore
