#pragma once

#include <string>
#include <string_view>

#include "reading/workspace.h"
#include "writing/save_settings.h"

namespace pellimore {

// Where "Save", the "Save" button and each batch entry write the open book. Paths use "/";
// the save folder's text is joined to names as typed.

// The target path: over the source or into the save folder. May ask for the folder and show
// "Empty path", "<folder> not found" or "Dir <folder> not found"; empty means write nothing.
std::string MakeTargetPath(Workspace& workspace, SaveSettings& settings);
// The file name (without folder) for the save-folder modes, from the trimmed title and authors;
// control characters are dropped from a built name.
std::string MakeTargetName(const Workspace& workspace, const SaveSettings& settings);
// "Last F.M." of the Cyrillic template; empty without a last name.
std::string AuthorWithInitials(std::string_view last, std::string_view first, std::string_view middle);
// "Last F." of the transliterated template; empty without a last name.
std::string AuthorWithInitial(std::string_view last, std::string_view first);
// The leading path components shared with the save folder, each followed by "/".
std::string CommonFolderPrefix(const SaveSettings& settings, std::string_view path);
// The path below the first component where it and the save folder differ, without a leading "/".
std::string RelativeFolder(const SaveSettings& settings, std::string_view path);
// Creates the folder with all missing parents; whether it exists afterwards.
bool EnsureFolder(const std::string& folder);
// The "..." button: the folder dialog at the working folder; a chosen folder becomes the save
// folder followed by "/". Cancelling changes nothing.
void SpeedButton5Click(Workspace& workspace, SaveSettings& settings);

// The file-name part of a path (after its last "/") and the folder part (up to and including it).
std::string_view FileNamePart(std::string_view path);
std::string_view FolderPart(std::string_view path);

}  // namespace pellimore
