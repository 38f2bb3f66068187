#include "writing/save_settings.h"

namespace pellimore {

SaveControlsState UpdateSaveControls(const SaveSettings& settings) {
  const bool toDir = settings.mode == SaveMode::SaveToDir;
  return SaveControlsState{toDir, toDir, toDir, toDir};
}

}  // namespace pellimore
