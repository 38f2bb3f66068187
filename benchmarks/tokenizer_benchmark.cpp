#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>

#include "markup/html_parser.h"

namespace {

constexpr std::size_t kBookSize = 20 * 1024 * 1024;
constexpr std::size_t kBinarySize = 2 * 1024 * 1024;  // base64 bytes of each picture
constexpr int kBinaryCount = 6;

void AppendDescription(std::string& book) {
  book +=
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
      "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
      "xmlns:l=\"http://www.w3.org/1999/xlink\">\r\n"
      "<description>\r\n<title-info>\r\n<genre>prose_classic</genre>\r\n"
      "<author><first-name>\xCB\xE5\xE2</first-name><last-name>\xD2\xEE\xEB\xF1\xF2\xEE\xE9</last-name></"
      "author>\r\n"
      "<book-title>\xC0\xED\xED\xE0 \xCA\xE0\xF0\xE5\xED\xE8\xED\xE0</book-title>\r\n"
      "<coverpage><image l:href=\"#cover.jpg\"/></coverpage>\r\n<lang>ru</lang>\r\n</title-info>\r\n"
      "<document-info>\r\n<id>4F9A2E1C-0000-4B6B-9D7C-6E0A3F2B1C55</id>\r\n<version>1.0</version>\r\n"
      "</document-info>\r\n</description>\r\n";
}

// Paragraphs of Cyrillic words with now and then an emphasis, a link or an empty line.
void AppendBody(std::string& book, std::size_t textSize, std::mt19937& random) {
  const char* const words[] = {"\xE8",
                               "\xE2",
                               "\xED\xE5",
                               "\xF7\xF2\xEE",
                               "\xEE\xED",
                               "\xED\xE0",
                               "\xFF",
                               "\xF1",
                               "\xF1\xEA\xE0\xE7\xE0\xEB",
                               "\xE4\xEE\xEC",
                               "\xE3\xEE\xE4\xE0",
                               "\xEA\xEE\xE3\xE4\xE0"};
  book += "<body>\r\n<title><p>\xD7\xE0\xF1\xF2\xFC \xEF\xE5\xF0\xE2\xE0\xFF</p></title>\r\n<section>\r\n";
  const std::size_t end = book.size() + textSize;
  while (book.size() < end) {
    book += "<p>";
    const int wordCount = 20 + static_cast<int>(random() % 60);
    for (int i = 0; i < wordCount; ++i) {
      if (i > 0) book += ' ';
      switch (random() % 40) {
        case 0:
          book += "<emphasis>\xF2\xE5\xEA\xF1\xF2</emphasis>";
          break;
        case 1:
          book += "<a l:href=\"#n1\" type=\"note\">[1]</a>";
          break;
        default:
          book += words[random() % std::size(words)];
      }
    }
    book += "</p>\r\n";
    if (random() % 25 == 0) book += "<empty-line/>\r\n";
  }
  book += "</section>\r\n</body>\r\n";
}

void AppendBinary(std::string& book, int index, std::mt19937& random) {
  static const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  book += "<binary id=\"picture" + std::to_string(index) + ".jpg\" content-type=\"image/jpeg\">";
  for (std::size_t written = 0; written < kBinarySize; written += 76) {
    for (int i = 0; i < 76; ++i) book += kBase64[random() % 64];
    book += "\r\n";
  }
  book += "</binary>\r\n";
}

std::string MakeBook() {
  std::mt19937 random(2024);
  std::string book;
  book.reserve(kBookSize + 64 * 1024);
  AppendDescription(book);
  const std::size_t binaryBytes = kBinaryCount * (kBinarySize + kBinarySize / 38 + 80);
  AppendBody(book, kBookSize - binaryBytes - book.size(), random);
  for (int i = 0; i < kBinaryCount; ++i) AppendBinary(book, i, random);
  book += "</FictionBook>\r\n";
  return book;
}

void BM_TokenizeBook(benchmark::State& state) {
  pellimore::THTMLParser parser;
  parser.Content() = MakeBook();
  for (auto _ : state) {
    parser.Parse();
    benchmark::DoNotOptimize(parser.Items().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(parser.Content().size()));
  state.counters["items"] = static_cast<double>(parser.Count());
  state.counters["megabytes"] = static_cast<double>(parser.Content().size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_TokenizeBook)->Unit(benchmark::kMillisecond);

}  // namespace
