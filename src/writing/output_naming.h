#pragma once

#include <string>
#include <string_view>

#include "reading/workspace.h"
#include "writing/save_settings.h"

namespace pellimore {

// The target of "Save": over the source or into the save folder; may ask for the folder and
// show messages; empty means write nothing.
std::string MakeTargetPath(Workspace& workspace, SaveSettings& settings);
// The file name (without folder) for the save-folder modes.
std::string MakeTargetName(const Workspace& workspace, const SaveSettings& settings);
std::string AuthorWithInitials(std::string_view last, std::string_view first, std::string_view middle);
std::string AuthorWithInitial(std::string_view last, std::string_view first);
// The leading path components shared with the save folder, each followed by the separator.
std::string CommonFolderPrefix(const SaveSettings& settings, std::string_view path);
// The path below the first component where it and the save folder differ.
std::string RelativeFolder(const SaveSettings& settings, std::string_view path);
// Creates the folder with all missing parents; whether it exists afterwards.
bool EnsureFolder(const std::string& folder);
// The folder button: asks for the save folder starting at the working folder.
void SpeedButton5Click(Workspace& workspace, SaveSettings& settings);

}  // namespace pellimore
