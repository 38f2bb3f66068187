#pragma once

#include <string>

#include "reading/workspace.h"
#include "writing/save_settings.h"

namespace pellimore {

// How SaveOpenBook finds its target: MakeTargetPath, or a path chosen in the "Save As..." dialog.
struct SaveTarget {
  bool fromNaming = true;
  std::string chosenPath;
  static SaveTarget Naming() { return {}; }
  static SaveTarget Chosen(std::string path) { return {false, std::move(path)}; }
};

// What a save wrote, for callers that report it.
struct SaveResult {
  std::string targetPath;   // empty when nothing was to be written
  std::string writtenPath;  // the plain file or the archive written; empty when none
};

// The save chain for the open book. Failures to write throw std::runtime_error with the
// message "Cannot create file "<path>". <reason>"; nothing is written over on failure.
SaveResult SaveOpenBook(Workspace& workspace, SaveSettings& settings, const SaveTarget& target);
// Writes the document text (working code page) to target: plain, or zipped when ChBZip.
std::string WriteDocument(Workspace& workspace, const SaveSettings& settings,
                          const std::string& text, const std::string& target);

// Command logic; the window shows the dialogs and moves the focus.
SaveResult Act_SaveExecute(Workspace& workspace, SaveSettings& settings);
// "Save As...": nothing when no book is open; chosenPath comes from the dialog preset to
// CurrentFileName.
SaveResult Act_SaveAsExecute(Workspace& workspace, SaveSettings& settings, const std::string& chosenPath);

}  // namespace pellimore
