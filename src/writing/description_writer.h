#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "reading/workspace.h"

namespace pellimore {

// The XML declaration, the FictionBook root start tag and the new description, one element a
// line, CR LF after every line, in the working code page. Side effects: TrimHeader on the
// record, and ChooseOutputEncoding decides SaveAsUtf8 / SaveCharset.
std::string BuildDescription(Workspace& workspace);

// The root start tag the writer emits (without line end); the body carries its end tag.
extern const char* const kRootStartTag;
// kRootStartTag with the source root's further namespace declarations before its ">".
std::string RootStartTag(const HeaderRecord& header);

// ME_Date read as day, month, four-digit year with the platform's date separator, written as
// "yyyy-mm-dd"; nothing for an empty or impossible date.
std::optional<std::string> IsoDateFromMask(std::string_view maskedDate);
// The document version: the number held by E_DI_Version with one or two decimals, a point as mark.
std::string VersionText(std::string_view version);

}  // namespace pellimore
