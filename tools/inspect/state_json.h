#pragma once

#include <nlohmann/json.hpp>

#include "reading/workspace.h"
#include "writing/save_settings.h"

namespace pellimore::inspect {

// Applies a STATE.json object to the model: header record fields under their own names (texts in
// UTF-8, held in the working code page), the Add / Replace / Ignore choice ("DocAuthor": "Add",
// "Replace" or "Ignore", or "RB3" / "RB4" / "RB5": true), the code-page box ("RadioButton1" / "RadioButton2",
// "ComboBox2" as an entry name, "ChBFix", "SourceIsUtf8") and the save settings ("RadioButton3" /
// "RadioButton4", "E_Dir_To_Save", "ChBSubfolders", "RadioButton5" / "RadioButton6" / "RadioButton7",
// "ChBZip", "RadioButton8" / "RadioButton9"). Absent keys keep their values; "answers" is skipped here.
// Throws std::runtime_error for an unknown key or a value of the wrong type.
void ApplyState(const nlohmann::json& state, Workspace& workspace, SaveSettings& settings);

// Reads and parses a JSON file holding one object.
nlohmann::json ReadStateFile(const std::string& path);

}  // namespace pellimore::inspect
