#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reading/workspace.h"
#include "text/codepage.h"
#include "text/user_prompt.h"

namespace pellimore::testing {

// Records every tokenizer report and message instead of showing it.
class RecordingPrompt : public UserPrompt {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseFolder(std::string_view) override { return std::nullopt; }
  void ReportParserProblem(std::string_view message, std::string_view text) override {
    reports.emplace_back(std::string(message), std::string(text));
  }

  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> reports;
};

// A workspace as after start-up, answering through a recording prompt.
struct ReaderFixture {
  RecordingPrompt prompt;
  Workspace workspace;
  ReaderFixture() { workspace.prompt = &prompt; }
};

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("pellimore-reader-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(std::string_view name) const { return (m_path / name).string(); }
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::filesystem::path m_path;
};

// Test sources are UTF-8; fields hold bytes of the working code page (1251 in tests).
inline std::string W(std::string_view utf8) { return Utf8ToWorking(utf8); }

inline std::string ReadingData(std::string_view name) {
  return std::string(PELLIMORE_TEST_DATA_DIR) + "/reading/" + std::string(name);
}

}  // namespace pellimore::testing
