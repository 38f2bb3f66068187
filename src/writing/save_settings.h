#pragma once

#include <string>

namespace pellimore {

// The settings page's "Save fb2 files" group, the "Zip" box and the "Zip name" group.
enum class SaveMode { ReplaceSource /* RadioButton3 */, SaveToDir /* RadioButton4 */ };
enum class NameTemplate {
  Cyrillic /* RadioButton5 "Толстой Л.Н. Война и Мир.fb2" */,
  Transliterated /* RadioButton6 "Tolstoy_L._Voyna_i_mir.fb2" */,
  NoRename /* RadioButton7 */
};
enum class ZipNameFrom { Fb2FileName /* RadioButton8 */, ZipFileName /* RadioButton9 */ };

struct SaveSettings {
  SaveMode mode = SaveMode::ReplaceSource;
  std::string E_Dir_To_Save;  // the save folder, used as typed: it normally ends with "/"
  bool ChBSubfolders = true;
  NameTemplate nameTemplate = NameTemplate::Cyrillic;
  bool ChBZip = false;
  ZipNameFrom zipName = ZipNameFrom::Fb2FileName;
};

// Which of the save-folder controls are enabled: all of them exactly in "Save to dir:" mode.
struct SaveControlsState {
  bool E_Dir_To_Save = false;  // enabled: window background; disabled: the scroll-bar colour
  bool SpeedButton5 = false;
  bool ChBSubfolders = false;
  bool GroupBox7 = false;  // with RadioButton5, RadioButton6 and RadioButton7
};
// Run by RadioButton4Click (both RadioButton3 and RadioButton4) and by the settings loader.
SaveControlsState UpdateSaveControls(const SaveSettings& settings);

}  // namespace pellimore
