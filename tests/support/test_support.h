#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/user_prompt.h"

namespace pellimore::testing {

// Records what the core showed and asked, and answers the folder dialog from a script.
class RecordingPrompt : public UserPrompt {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseFolder(std::string_view start) override {
    folderRequests.emplace_back(start);
    return folderAnswer;
  }
  void ReportParserProblem(std::string_view message, std::string_view text) override {
    reports.emplace_back(std::string(message), std::string(text));
  }

  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> reports;
  std::vector<std::string> folderRequests;
  std::optional<std::string> folderAnswer;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("pellimore-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string File(std::string_view name) const { return (m_path / name).string(); }
  std::string operator/(std::string_view name) const { return File(name); }
  // The folder with a final "/", as the save folder is typed.
  std::string Slashed() const { return m_path.string() + "/"; }
  // Writes a file in the folder and gives its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    WriteFileBytes(path, bytes);
    return path;
  }

 private:
  std::filesystem::path m_path;
};

}  // namespace pellimore::testing
