#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reading/workspace.h"

namespace pellimore {

using Lines = std::vector<std::string>;

// Splits at CR LF, a lone CR or a lone LF; a NUL byte ends the text; a final piece without
// a line break is a line too.
Lines SplitLines(std::string_view text);
// Each line followed by CR LF.
std::string JoinLines(const Lines& lines);

// The text as SplitLines and JoinLines together give it, in one pass: CR LF after every line.
std::string CrLfText(std::string_view text);
// Whether the text is already in that form; MakeCrLfText copies only when it is not.
bool IsCrLfText(std::string_view text);
void MakeCrLfText(std::string& text);

// Loads a plain .fb2 file or the first .fb2 entry of a .zip into lines, and records
// CurrentFileName, CurrentZipName, CurrentFileDate and status panel 0. Other extensions and
// archives without a .fb2 entry give no lines. Read and archive errors throw std::runtime_error.
void LoadBookLines(Lines& lines, const std::string& path, Workspace& workspace);
// The same as one text, the lines joined with CR LF (what the reader tokenizes).
std::string LoadBookText(const std::string& path, Workspace& workspace);
// The file's modification date (local time) in the short date format.
std::string FileDateText(const std::string& path);
// Reads the open book again (from CurrentZipName when set, else CurrentFileName) without
// changing any field; a missing file gives no lines.
void ReloadCurrentBook(Lines& lines, const HeaderRecord& header);
std::string ReloadCurrentBookText(const HeaderRecord& header);

// The bytes of the first .fb2 entry of an archive, its file name and its date "dd.mm.yyyy";
// found is false when the archive has no such entry. Throws std::runtime_error for a damaged archive.
struct ZipBookEntry {
  bool found = false;
  std::string name;
  std::string date;
  std::string bytes;
};
ZipBookEntry ReadFirstBookEntry(const std::string& archivePath);

}  // namespace pellimore
