#include "reading/encoding.h"

#include "text/charset.h"
#include "text/codepage.h"

namespace pellimore {

namespace {

// The closing characters of the declaration arrive attached to its last value ("utf-8"?
// or 'utf-8'?); only the part before them is the name.
std::string EncodingNameOf(std::string_view value) {
  std::string name = AsciiLower(value);
  for (std::string_view tail : {"\"?", "'?"}) {
    const std::size_t at = name.find(tail);
    if (at != std::string::npos) name.erase(at);
  }
  return name;
}

CharsetId SelectedEntryCharset(const CodePageBox& box) {
  const auto& entries = CharsetEntries();
  if (box.ComboBox2Index < 0 || static_cast<std::size_t>(box.ComboBox2Index) >= entries.size()) {
    return DEFAULT_CHARSET;
  }
  return CharsetIdFromName(entries[static_cast<std::size_t>(box.ComboBox2Index)]);
}

void ReadEncodingName(Workspace& workspace, std::string_view value) {
  HeaderRecord& header = workspace.header;
  const std::string name = EncodingNameOf(value);
  if (name == "utf-8") {
    header.SourceIsUtf8 = true;
  } else {
    header.SourceIsUtf8 = false;
    const CharsetId id = CharsetIdFromEncoding(name);
    SelectCharsetEntry(workspace, id);
    header.SourceCharset = id;
    header.SaveCharset = id;
  }
  ShowDocumentEncoding(workspace);
}

bool HasNonAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

void StartDocumentEncoding(Workspace& workspace, std::string_view document) {
  workspace.header.SourceIsUtf8 = HasNonAscii(document) && IsWellFormedUtf8(document);
  ShowDocumentEncoding(workspace);
}

void ReadDeclaredEncoding(Workspace& workspace, const THTMLItem& tag) {
  if (!tag.IsTag() || tag.Name.size() != 4 || AsciiLower(tag.Name) != "?xml") return;
  for (const THTMLParam& param : tag.Params) {
    if (param.Name == "encoding") ReadEncodingName(workspace, param.Value.value_or(std::string_view{}));
  }
}

std::string DecodeDocumentText(const Workspace& workspace, std::string_view text) {
  if (!workspace.header.SourceIsUtf8) return std::string(text);
  return Utf8ToWorking(text);
}

std::string ChooseOutputEncoding(Workspace& workspace) {
  HeaderRecord& header = workspace.header;
  if (workspace.codePage.RadioButton2) {
    header.SaveAsUtf8 = true;
    return "utf-8";
  }
  header.SaveAsUtf8 = false;
  header.SaveCharset = SelectedEntryCharset(workspace.codePage);
  return EncodingFromCharsetId(header.SaveCharset);
}

void SelectCharsetEntry(Workspace& workspace, CharsetId id) {
  const auto& entries = CharsetEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (CharsetIdFromName(entries[i]) == id) {
      workspace.codePage.ComboBox2Index = static_cast<int>(i);
      return;
    }
  }
}

void ShowDocumentEncoding(Workspace& workspace) {
  const HeaderRecord& header = workspace.header;
  CodePageBox& box = workspace.codePage;
  workspace.statusPanels[1] =
      header.SourceIsUtf8 ? std::string("utf-8") : EncodingFromCharsetId(header.SourceCharset);
  if (box.ChBFix) {
    box.RadioButton1TabStop = false;
    box.RadioButton2TabStop = false;
    return;
  }
  box.RadioButton1 = !header.SourceIsUtf8;
  box.RadioButton2 = header.SourceIsUtf8;
  box.RadioButton1TabStop = box.RadioButton1;
  box.RadioButton2TabStop = box.RadioButton2;
}

void UpdateFixState(Workspace& workspace) {
  CodePageBox& box = workspace.codePage;
  box.RadioButton1Enabled = !box.ChBFix;
  box.RadioButton2Enabled = !box.ChBFix;
  box.ComboBox2Enabled = !box.ChBFix;
}

void ApplyCharset(Workspace& workspace, CharsetAsker asker, CharsetId id) {
  if (id == workspace.header.SourceCharset) return;
  CodePageBox& box = workspace.codePage;
  box.CharsetApplying = true;
  if (asker != CharsetAsker::ComboBox2) SelectCharsetEntry(workspace, id);
  workspace.header.SourceCharset = id;
  box.FieldsCharset = id;
  box.CharsetApplying = false;
}

void ComboBox2Change(Workspace& workspace) {
  if (workspace.codePage.CharsetApplying) return;
  ApplyCharset(workspace, CharsetAsker::ComboBox2, SelectedEntryCharset(workspace.codePage));
}

void RadioButton1Click(Workspace& workspace) {
  // A click selects the clicked button; in a radio group only the selected one can be a tab stop.
  CodePageBox& box = workspace.codePage;
  box.RadioButton1TabStop = box.RadioButton1 && !box.ChBFix;
  box.RadioButton2TabStop = box.RadioButton2 && !box.ChBFix;
}

void ChBFixClick(Workspace& workspace) { UpdateFixState(workspace); }

}  // namespace pellimore
