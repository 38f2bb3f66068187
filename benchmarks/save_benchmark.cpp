#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "reading/description_reader.h"
#include "text/charset.h"
#include "text/codepage.h"
#include "text/user_prompt.h"
#include "writing/save_pipeline.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBookSize = 20 * 1024 * 1024;
constexpr std::size_t kPictureSize = 3 * 1024 * 1024;  // base64 bytes of each binary section

// A 20 MB windows-1251 book: a short header, some chapters and mostly base64 pictures.
std::string GenerateBook() {
  std::mt19937 random(2024);
  std::string book =
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
      "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" "
      "xmlns:l=\"http://www.w3.org/1999/xlink\">\r\n<description>\r\n<title-info>\r\n"
      "<genre>prose_classic</genre>\r\n<author><first-name>\xCB\xE5\xE2</first-name>"
      "<last-name>\xD2\xEE\xEB\xF1\xF2\xEE\xE9</last-name></author>\r\n"
      "<book-title>\xC0\xED\xED\xE0 \xCA\xE0\xF0\xE5\xED\xE8\xED\xE0</book-title>\r\n<lang>ru</lang>\r\n"
      "</title-info>\r\n<document-info>\r\n<id>bench-1</id>\r\n<version>1.0</version>\r\n</document-info>\r\n"
      "</description>\r\n<body>\r\n";
  for (int chapter = 0; chapter < 200; ++chapter) {
    book += "<section><title><p>\xC3\xEB\xE0\xE2\xE0 " + std::to_string(chapter) + "</p></title>\r\n";
    for (int p = 0; p < 40; ++p) {
      book += "<p>";
      for (int word = 0; word < 12; ++word) book += "\xF1\xEB\xEE\xE2\xEE ";
      book += "<emphasis>\xF2\xE5\xEA\xF1\xF2</emphasis>.</p>\r\n";
    }
    book += "</section>\r\n";
  }
  book += "</body>\r\n";
  static const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int picture = 0; book.size() + 64 < kBookSize; ++picture) {
    book += "<binary id=\"pic" + std::to_string(picture) + ".jpg\" content-type=\"image/jpeg\">";
    for (std::size_t n = 0; n < kPictureSize && book.size() + 64 < kBookSize; n += 77) {
      for (int c = 0; c < 76; ++c) book += kBase64[random() % 64];
      book += "\r\n";
    }
    book += "</binary>\r\n";
  }
  return book + "</FictionBook>\r\n";
}

// The generated book in a temporary folder, removed at exit.
class BenchmarkBook {
 public:
  BenchmarkBook() {
    m_folder = fs::temp_directory_path() / ("pellimore-save-benchmark-" + std::to_string(::getpid()));
    fs::create_directories(m_folder);
    m_source = (m_folder / "book.fb2").string();
    const std::string book = GenerateBook();
    std::ofstream(m_source, std::ios::binary).write(book.data(), static_cast<std::streamsize>(book.size()));
  }
  ~BenchmarkBook() {
    std::error_code error;
    fs::remove_all(m_folder, error);
  }
  const std::string& Source() const { return m_source; }
  std::string Target(const char* name) const { return (m_folder / name).string(); }

 private:
  fs::path m_folder;
  std::string m_source;
};

const BenchmarkBook& Book() {
  static const BenchmarkBook book;
  return book;
}

// One "Save As..." of the open book, as the window runs it.
void SaveOnce(pellimore::Workspace& workspace, const std::string& target) {
  pellimore::SaveSettings settings;
  pellimore::Act_SaveAsExecute(workspace, settings, target);
}

void CopyOnce(const std::string& source, const std::string& target) {
  fs::copy_file(source, target, fs::copy_options::overwrite_existing);
}

void SetUpPlatform() {
  pellimore::SetWorkingCodePage(1251);
  pellimore::SetSystemEncodingName("windows-1251");
}

void BM_SaveBook(benchmark::State& state) {
  SetUpPlatform();
  pellimore::SilentPrompt prompt;
  pellimore::Workspace workspace;
  workspace.prompt = &prompt;
  pellimore::GetDescription(workspace, Book().Source());
  const std::string target = Book().Target("saved.fb2");
  for (auto _ : state) SaveOnce(workspace, target);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(Book().Source())));
}
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);

void BM_CopyBook(benchmark::State& state) {
  const std::string target = Book().Target("copied.fb2");
  for (auto _ : state) CopyOnce(Book().Source(), target);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(Book().Source())));
}
BENCHMARK(BM_CopyBook)->Unit(benchmark::kMillisecond);

// Save and copy timed alternately in each iteration; "ratio" is save time over copy time.
void BM_SaveVersusCopy(benchmark::State& state) {
  SetUpPlatform();
  pellimore::SilentPrompt prompt;
  pellimore::Workspace workspace;
  workspace.prompt = &prompt;
  pellimore::GetDescription(workspace, Book().Source());
  const std::string saved = Book().Target("saved.fb2");
  const std::string copied = Book().Target("copied.fb2");
  using Clock = std::chrono::steady_clock;
  double saveSeconds = 0;
  double copySeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    SaveOnce(workspace, saved);
    const auto middle = Clock::now();
    CopyOnce(Book().Source(), copied);
    const auto end = Clock::now();
    saveSeconds += std::chrono::duration<double>(middle - start).count();
    copySeconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["save_ms"] = 1000 * saveSeconds / n;
  state.counters["copy_ms"] = 1000 * copySeconds / n;
  state.counters["ratio"] = copySeconds > 0 ? saveSeconds / copySeconds : 0;
}
BENCHMARK(BM_SaveVersusCopy)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
