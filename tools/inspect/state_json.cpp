#include "state_json.h"

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "reading/header_record.h"
#include "text/codepage.h"

namespace pellimore::inspect {

namespace {

using Setter = std::function<void(const nlohmann::json&, Workspace&, SaveSettings&)>;

bool Flag(const nlohmann::json& value) {
  if (!value.is_boolean()) throw std::runtime_error("expected true or false, got " + value.dump());
  return value.get<bool>();
}

std::string Working(const nlohmann::json& value) {
  if (!value.is_string()) throw std::runtime_error("expected a string, got " + value.dump());
  return Utf8ToWorking(value.get<std::string>());
}

std::string PathValue(const nlohmann::json& value) {
  if (!value.is_string()) throw std::runtime_error("expected a string, got " + value.dump());
  return value.get<std::string>();
}

// A radio button of a group: true selects it; false is accepted only where it changes nothing.
template <typename T>
Setter Radio(T SaveSettings::*member, T selected) {
  return [member, selected](const nlohmann::json& v, Workspace&, SaveSettings& s) {
    if (Flag(v)) s.*member = selected;
  };
}

Setter DocAuthorRadio(DocAuthorChoice choice) {
  return [choice](const nlohmann::json& v, Workspace& w, SaveSettings&) {
    if (Flag(v)) w.header.DocAuthor = choice;
  };
}

void SelectCodeBox(CodePageBox& box, bool utf8) {
  box.RadioButton1 = !utf8;
  box.RadioButton2 = utf8;
}

std::map<std::string, Setter> ControlSetters() {
  std::map<std::string, Setter> setters = {
      {"DocAuthor",
       [](const nlohmann::json& v, Workspace& w, SaveSettings&) {
         const std::string choice = Working(v);
         if (choice == "Add") {
           w.header.DocAuthor = DocAuthorChoice::Add;
         } else if (choice == "Replace") {
           w.header.DocAuthor = DocAuthorChoice::Replace;
         } else if (choice == "Ignore") {
           w.header.DocAuthor = DocAuthorChoice::Ignore;
         } else {
           throw std::runtime_error("DocAuthor is \"Add\", \"Replace\" or \"Ignore\"");
         }
       }},
      {"RB3", DocAuthorRadio(DocAuthorChoice::Add)},
      {"RB4", DocAuthorRadio(DocAuthorChoice::Replace)},
      {"RB5", DocAuthorRadio(DocAuthorChoice::Ignore)},
      {"RadioButton1",
       [](const nlohmann::json& v, Workspace& w, SaveSettings&) { SelectCodeBox(w.codePage, !Flag(v)); }},
      {"RadioButton2",
       [](const nlohmann::json& v, Workspace& w, SaveSettings&) { SelectCodeBox(w.codePage, Flag(v)); }},
      {"ComboBox2",
       [](const nlohmann::json& v, Workspace& w, SaveSettings&) {
         const std::string entry = Working(v);
         const auto& entries = CharsetEntries();
         const auto found = std::find(entries.begin(), entries.end(), entry);
         if (found == entries.end()) throw std::runtime_error("ComboBox2 has no entry " + entry);
         w.codePage.ComboBox2Index = static_cast<int>(found - entries.begin());
       }},
      {"ChBFix", [](const nlohmann::json& v, Workspace& w, SaveSettings&) { w.codePage.ChBFix = Flag(v); }},
      {"SourceIsUtf8",
       [](const nlohmann::json& v, Workspace& w, SaveSettings&) { w.header.SourceIsUtf8 = Flag(v); }},
      {"RadioButton3", Radio(&SaveSettings::mode, SaveMode::ReplaceSource)},
      {"RadioButton4", Radio(&SaveSettings::mode, SaveMode::SaveToDir)},
      {"E_Dir_To_Save",
       [](const nlohmann::json& v, Workspace&, SaveSettings& s) { s.E_Dir_To_Save = PathValue(v); }},
      {"ChBSubfolders",
       [](const nlohmann::json& v, Workspace&, SaveSettings& s) { s.ChBSubfolders = Flag(v); }},
      {"RadioButton5", Radio(&SaveSettings::nameTemplate, NameTemplate::Cyrillic)},
      {"RadioButton6", Radio(&SaveSettings::nameTemplate, NameTemplate::Transliterated)},
      {"RadioButton7", Radio(&SaveSettings::nameTemplate, NameTemplate::NoRename)},
      {"ChBZip", [](const nlohmann::json& v, Workspace&, SaveSettings& s) { s.ChBZip = Flag(v); }},
      {"RadioButton8", Radio(&SaveSettings::zipName, ZipNameFrom::Fb2FileName)},
      {"RadioButton9", Radio(&SaveSettings::zipName, ZipNameFrom::ZipFileName)},
  };
  for (const auto& [name, field] : HeaderTextFields()) {
    const bool path = IsPathField(name);
    setters[name] = [field, path](const nlohmann::json& v, Workspace& w, SaveSettings&) {
      w.header.*field = path ? PathValue(v) : Working(v);
    };
  }
  return setters;
}

}  // namespace

void ApplyState(const nlohmann::json& state, Workspace& workspace, SaveSettings& settings) {
  if (!state.is_object()) throw std::runtime_error("the state is not a JSON object");
  static const std::map<std::string, Setter> setters = ControlSetters();
  for (const auto& [key, value] : state.items()) {
    if (key == "answers") continue;
    const auto setter = setters.find(key);
    if (setter == setters.end()) throw std::runtime_error("unknown state key \"" + key + "\"");
    try {
      setter->second(value, workspace, settings);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(key + ": " + e.what());
    }
  }
}

nlohmann::json ReadStateFile(const std::string& path) {
  try {
    return nlohmann::json::parse(ReadWholeFile(path));
  } catch (const nlohmann::json::parse_error& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

}  // namespace pellimore::inspect
