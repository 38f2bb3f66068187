#pragma once

#include <string>
#include <string_view>

#include "markup/html_parser.h"
#include "reading/workspace.h"

namespace pellimore {

// The encoding of the open book and the code-page box.

// Acts on the "?xml" declaration tag only: sets the encoding state, the box and status panel 1.
// A declaration without an encoding attribute reads the document as single-byte text.
void ReadDeclaredEncoding(Workspace& workspace, const THTMLItem& tag);
// The text converted from UTF-8 to the working code page when SourceIsUtf8, else unchanged.
std::string DecodeDocumentText(const Workspace& workspace, std::string_view text);
// Decides SaveAsUtf8 / SaveCharset from the box; returns the name for the encoding attribute.
std::string ChooseOutputEncoding(Workspace& workspace);
void SelectCharsetEntry(Workspace& workspace, CharsetId id);
void ShowDocumentEncoding(Workspace& workspace);
void UpdateFixState(Workspace& workspace);

enum class CharsetAsker { ComboBox2, Other };
void ApplyCharset(Workspace& workspace, CharsetAsker asker, CharsetId id);

// Handlers; the window forwards its events after updating the box's selection.
void ComboBox2Change(Workspace& workspace);   // after ComboBox2Index changed
void RadioButton1Click(Workspace& workspace);  // after either radio button was clicked
void ChBFixClick(Workspace& workspace);        // after ChBFix changed

}  // namespace pellimore
