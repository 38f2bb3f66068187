#pragma once

#include <optional>
#include <string>

namespace pellimore {

// What start-up loads into the controls and shut-down takes from them, with the values a
// first start without a settings file gets. Texts are working code-page bytes, paths the file
// system's bytes.
struct WindowSettings {
  std::string LibPath;
  int tabIndex = 0;
  std::string fname, lname, mname, nick, email, hpage;
  bool lang = true;                     // "English"
  bool fileAct = false;                 // false: "Save to dir:"
  std::optional<std::string> SavePath;  // none: the working folder followed by "/"
  int fileName = 0;
  bool DoSubfolders = true;
  bool RBCode = true;  // "ANSI"
  bool FixCodePage = false;
  bool Zip = false;
  bool CommZip = false;
  int ZipName = 0;
};

}  // namespace pellimore
