#pragma once

#include <array>
#include <string>
#include <vector>

#include "reading/header_record.h"
#include "text/charset.h"
#include "text/user_prompt.h"

namespace pellimore {

// The code-page box of the main window: "ANSI" / "utf-8", the character-set list and "Fix".
struct CodePageBox {
  static constexpr int kDefaultEntry = 4;  // DEFAULT_CHARSET

  bool RadioButton1 = true;   // "ANSI" selected
  bool RadioButton2 = false;  // "utf-8" selected
  int ComboBox2Index = kDefaultEntry;
  bool ChBFix = false;

  bool RadioButton1TabStop = true;
  bool RadioButton2TabStop = false;
  bool RadioButton1Enabled = true;
  bool RadioButton2Enabled = true;
  bool ComboBox2Enabled = true;

  bool CharsetApplying = false;
  // The charset last applied to the fonts of the 24 header fields.
  CharsetId FieldsCharset = DEFAULT_CHARSET;
};

// The entries of ComboBox2, index 0 to 17.
const std::vector<std::string>& CharsetEntries();

enum class DateColour { Window, FromFile };  // FromFile: $C0DCC0, a date taken from the file

// The state of the main window that the core owns: the open book, the box, the status bar,
// the log. The window shows it; the core's routines change it.
struct Workspace {
  HeaderRecord header;
  CodePageBox codePage;
  std::array<std::string, 3> statusPanels;  // path, encoding, messages
  std::vector<std::string> LogList;
  DateColour meDateColour = DateColour::Window;
  UserPrompt* prompt = nullptr;  // never null while routines run

  void AddToLog(std::string line) { LogList.push_back(std::move(line)); }
  UserPrompt& Prompt() { return *prompt; }
};

}  // namespace pellimore
