#include <iostream>
#include <optional>
#include <stdexcept>

#include "commands.h"
#include "reading/description_reader.h"
#include "state_json.h"
#include "text/codepage.h"
#include "writing/save_pipeline.h"

namespace pellimore::inspect {

namespace {

// Answers from the state's "answers": {"folder": "/path" or null, "yesNo": true or false}, and
// records what was shown.
class ScriptedPrompt : public UserPrompt {
 public:
  explicit ScriptedPrompt(const nlohmann::json& answers) {
    if (answers.is_null()) return;
    if (!answers.is_object()) throw std::runtime_error("answers: expected an object");
    for (const auto& [key, value] : answers.items()) {
      if (key == "folder" && value.is_string()) {
        m_folder = value.get<std::string>();
      } else if (key == "yesNo" && value.is_boolean()) {
        m_yes = value.get<bool>();
      } else if (key != "folder" || !value.is_null()) {
        throw std::runtime_error("answers: unknown or mistyped \"" + key + "\"");
      }
    }
  }

  void ShowMessage(std::string_view text) override {
    m_shown.push_back({{"message", PathText(std::string(text))}});
  }
  bool AskYesNo(std::string_view text) override {
    m_shown.push_back({{"question", Text(std::string(text))}, {"answer", m_yes}});
    return m_yes;
  }
  std::optional<std::string> ChooseFolder(std::string_view start) override {
    m_shown.push_back(
        {{"chooseFolder", PathText(std::string(start))}, {"answer", m_folder ? PathText(*m_folder) : nullptr}});
    return m_folder;
  }
  void ReportParserProblem(std::string_view message, std::string_view text) override {
    m_shown.push_back({{"parserProblem", Text(std::string(message))}, {"text", Text(std::string(text))}});
  }

  const nlohmann::json& Shown() const { return m_shown; }

 private:
  std::optional<std::string> m_folder;
  bool m_yes = false;
  nlohmann::json m_shown = nlohmann::json::array();
};

}  // namespace

// save PATH STATE.json: opens PATH, applies the state, runs "Save" and reports what happened.
int RunSave(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: pellimore-inspect save PATH STATE.json\n";
    return 2;
  }
  const nlohmann::json state = ReadStateFile(args[1]);
  ScriptedPrompt prompt(state.is_object() && state.contains("answers") ? state["answers"] : nlohmann::json());
  Workspace workspace;
  workspace.prompt = &prompt;
  SaveSettings settings;
  GetDescription(workspace, args[0]);
  ApplyState(state, workspace, settings);

  nlohmann::json report;
  int exitCode = 0;
  try {
    const SaveResult result = Act_SaveExecute(workspace, settings);
    report["target"] = PathText(result.targetPath);
    report["written"] = nlohmann::json::array();
    if (!result.writtenPath.empty()) report["written"].push_back(PathText(result.writtenPath));
  } catch (const SaveAbandoned& e) {
    report["abandoned"] = PathText(e.what());
    exitCode = 1;
  } catch (const std::runtime_error& e) {
    report["error"] = PathText(e.what());
    exitCode = 1;
  }
  report["shown"] = prompt.Shown();
  nlohmann::json log = nlohmann::json::array();
  for (const std::string& line : workspace.LogList) log.push_back(Text(line));
  report["log"] = log;
  Print(report);
  return exitCode;
}

}  // namespace pellimore::inspect
