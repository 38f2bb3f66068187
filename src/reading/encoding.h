#pragma once

#include <string>
#include <string_view>

#include "markup/html_parser.h"
#include "reading/workspace.h"

namespace pellimore {

// The encoding of the open book and the code-page box.

// Before a document's declaration is read: a document without an encoding declaration is UTF-8
// when its bytes are well-formed UTF-8 holding non-ASCII characters (XML's default), otherwise
// single-byte text; the previous book's state is never carried over. Updates status panel 1 and
// the radio buttons as a declaration would.
void StartDocumentEncoding(Workspace& workspace, std::string_view document);
// Acts on the "?xml" declaration tag only: sets the encoding state, the box and status panel 1.
// A declaration without an encoding attribute changes nothing.
void ReadDeclaredEncoding(Workspace& workspace, const THTMLItem& tag);
// The text converted from UTF-8 to the working code page when SourceIsUtf8, else unchanged.
// Each malformed sequence and each character the code page lacks becomes one "?".
std::string DecodeDocumentText(const Workspace& workspace, std::string_view text);
// Decides SaveAsUtf8 / SaveCharset from the box; returns the name for the encoding attribute.
std::string ChooseOutputEncoding(Workspace& workspace);
// Selects the first ComboBox2 entry of the charset; without one the selection stays.
void SelectCharsetEntry(Workspace& workspace, CharsetId id);
// Status panel 1 and the radio buttons after a declaration was read.
void ShowDocumentEncoding(Workspace& workspace);
// The box's controls are enabled exactly when "Fix" is not ticked.
void UpdateFixState(Workspace& workspace);

enum class CharsetAsker { ComboBox2, Other };
// Applies a charset to the fonts of the header fields (recorded as FieldsCharset).
void ApplyCharset(Workspace& workspace, CharsetAsker asker, CharsetId id);

// Handlers; the window forwards its events after updating the box's selection.
void ComboBox2Change(Workspace& workspace);    // after ComboBox2Index changed
void RadioButton1Click(Workspace& workspace);  // after either radio button was clicked (and so selected)
void ChBFixClick(Workspace& workspace);        // after ChBFix changed

}  // namespace pellimore
