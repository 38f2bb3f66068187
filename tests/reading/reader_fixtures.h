#pragma once

#include <string>
#include <string_view>

#include "reading/workspace.h"
#include "support/test_support.h"
#include "text/codepage.h"

namespace pellimore::testing {

// A workspace as after start-up, answering through a recording prompt.
struct ReaderFixture {
  RecordingPrompt prompt;
  Workspace workspace;
  ReaderFixture() { workspace.prompt = &prompt; }
};

// Test sources are UTF-8; fields hold bytes of the working code page (1251 in tests).
inline std::string W(std::string_view utf8) { return Utf8ToWorking(utf8); }

inline std::string ReadingData(std::string_view name) {
  return std::string(PELLIMORE_TEST_DATA_DIR) + "/reading/" + std::string(name);
}

}  // namespace pellimore::testing
