#include <iostream>
#include <string>

#include "commands.h"
#include "reading/body.h"
#include "reading/description_reader.h"
#include "reading/workspace.h"
#include "text/user_prompt.h"

namespace pellimore::inspect {
namespace {

// Collects the tokenizer's reports instead of showing them.
class ReportCollector : public SilentPrompt {
 public:
  void ReportParserProblem(std::string_view message, std::string_view text) override {
    reports.push_back({{"message", Text(std::string(message))}, {"text", Text(std::string(text))}});
  }
  nlohmann::json reports = nlohmann::json::array();
};

const char* DocAuthorName(DocAuthorChoice choice) {
  switch (choice) {
    case DocAuthorChoice::Add:
      return "Add";
    case DocAuthorChoice::Replace:
      return "Replace";
    case DocAuthorChoice::Ignore:
      return "Ignore";
  }
  return "";
}

nlohmann::json HeaderJson(const HeaderRecord& header) {
  nlohmann::json fields = nlohmann::json::object();
  for (const auto& [name, field] : HeaderTextFields()) {
    fields[name] = IsPathField(name) ? PathText(header.*field) : Text(header.*field);
  }
  fields["DocAuthor"] = DocAuthorName(header.DocAuthor);
  return fields;
}

nlohmann::json EncodingJson(const HeaderRecord& header) {
  return {{"SourceIsUtf8", header.SourceIsUtf8},
          {"SaveAsUtf8", header.SaveAsUtf8},
          {"SourceCharset", header.SourceCharset},
          {"SaveCharset", header.SaveCharset}};
}

nlohmann::json CodePageJson(const CodePageBox& box) {
  const auto& entries = CharsetEntries();
  const bool inList =
      box.ComboBox2Index >= 0 && static_cast<std::size_t>(box.ComboBox2Index) < entries.size();
  return {{"RadioButton1", box.RadioButton1},
          {"RadioButton2", box.RadioButton2},
          {"ComboBox2Index", box.ComboBox2Index},
          {"ComboBox2Text", inList ? entries[static_cast<std::size_t>(box.ComboBox2Index)] : ""},
          {"ChBFix", box.ChBFix},
          {"RadioButton1TabStop", box.RadioButton1TabStop},
          {"RadioButton2TabStop", box.RadioButton2TabStop},
          {"RadioButton1Enabled", box.RadioButton1Enabled},
          {"RadioButton2Enabled", box.RadioButton2Enabled},
          {"ComboBox2Enabled", box.ComboBox2Enabled},
          {"CharsetApplying", box.CharsetApplying},
          {"FieldsCharset", box.FieldsCharset}};
}

}  // namespace

int RunRead(const std::vector<std::string>& args) {
  const bool withBody = args.size() == 2 && args[1] == "--body";
  if (args.empty() || args.size() > 2 || (args.size() == 2 && !withBody)) {
    std::cerr << "usage: pellimore-inspect read PATH [--body]\n";
    return 2;
  }
  ReportCollector prompt;
  Workspace workspace;
  workspace.prompt = &prompt;
  GetDescription(workspace, args[0]);

  nlohmann::json document = {
      {"header", HeaderJson(workspace.header)},
      {"encoding", EncodingJson(workspace.header)},
      {"codePage", CodePageJson(workspace.codePage)},
      {"statusPanels",
       {PathText(workspace.statusPanels[0]), Text(workspace.statusPanels[1]), Text(workspace.statusPanels[2])}},
      {"meDateColour", workspace.meDateColour == DateColour::FromFile ? "$C0DCC0" : "window"},
  };
  if (withBody) document["body"] = Text(GetBody(workspace));
  nlohmann::json log = nlohmann::json::array();
  for (const std::string& line : workspace.LogList) log.push_back(Text(line));
  document["log"] = log;
  document["reports"] = prompt.reports;
  Print(document);
  return 0;
}

}  // namespace pellimore::inspect
