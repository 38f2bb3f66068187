#include <gtest/gtest.h>

#include "text/charset.h"
#include "text/codepage.h"
#include "text/platform.h"

// Every core test runs with the same pinned platform: a Cyrillic working code page, the
// day-first short date format and a point as decimal mark, whatever the machine's locale.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  pellimore::SetWorkingCodePage(1251);
  pellimore::SetSystemEncodingName("windows-1251");
  pellimore::SetShortDateFormat("dd.MM.yyyy");
  pellimore::SetDecimalMark('.');
  return RUN_ALL_TESTS();
}
