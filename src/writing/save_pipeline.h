#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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
  std::string targetPath;   // the .fb2 path decided; empty when nothing was to be written
  std::string writtenPath;  // the plain file or the archive written; empty when none
};

// Thrown when a save is given up before anything is written because the open book's source
// can no longer be read. Its text has already been shown through UserPrompt::ShowMessage, so
// handlers must not show it again; a batch run ends on it as on a failed write.
class SaveAbandoned : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The save chain for the open book: output encoding, target, new header plus the source's body,
// written plain or zipped. With no book open (CurrentFileName empty) nothing happens. A failed
// write throws std::runtime_error("Cannot create file \"<path>\". <reason>") and leaves the old
// file as it was. A UTF-8 book saved as UTF-8 keeps its body's bytes unchanged.
SaveResult SaveOpenBook(Workspace& workspace, SaveSettings& settings, const SaveTarget& target);

// Writes a document text of the working code page to target (converted to UTF-8 when SaveAsUtf8):
// plain, or zipped when ChBZip. Returns the path written; nothing for an empty target.
std::string WriteDocument(const Workspace& workspace, const SaveSettings& settings, std::string_view text,
                          const std::string& target);
// The same for bytes already in the output encoding.
std::string WriteEncodedDocument(const HeaderRecord& header, const SaveSettings& settings,
                                 std::string_view bytes, const std::string& target);
// The zip branch: one entry named after target, in the archive named by the "Zip name" choice.
// crlfText is the document with its CR LF line ends. Returns the archive's path.
std::string WriteZippedDocument(const HeaderRecord& header, const SaveSettings& settings,
                                std::string_view crlfText, const std::string& target);

// The archive written for target: beside target under the source archive's name ("From
// zip-filename" with a zipped source), or target + ".zip".
std::string ZipArchivePath(const HeaderRecord& header, const SaveSettings& settings,
                           const std::string& target);
// The entry name: target's file name with its extension replaced by (or extended with) ".fb2".
std::string ZipEntryName(const std::string& target);

// Command logic; the window shows the dialogs, the failures and moves the focus.
SaveResult Act_SaveExecute(Workspace& workspace, SaveSettings& settings);
// The "Save" button: as Act_SaveExecute; the window then moves the focus to ButNext.
SaveResult ButSaveClick(Workspace& workspace, SaveSettings& settings);
// "Save As...": nothing when no book is open or the dialog was cancelled (empty chosenPath);
// the dialog, preset to CurrentFileName, gives the path, which is used exactly as typed.
SaveResult Act_SaveAsExecute(Workspace& workspace, SaveSettings& settings, const std::string& chosenPath);

}  // namespace pellimore
