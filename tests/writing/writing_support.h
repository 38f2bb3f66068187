#pragma once

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/user_prompt.h"

namespace pellimore::testing {

// Records what the core asked and answers the folder dialog from a script.
class RecordingPrompt : public UserPrompt {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> folderRequests;
  std::optional<std::string> folderAnswer;

  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseFolder(std::string_view start) override {
    folderRequests.emplace_back(start);
    return folderAnswer;
  }
  void ReportParserProblem(std::string_view, std::string_view) override {}
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("pellimore-writing-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a final "/", as the save folder is typed.
  std::string Slashed() const { return m_path.string() + "/"; }
  std::string operator/(std::string_view name) const { return (m_path / name).string(); }
  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Names of the entries of a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace pellimore::testing
