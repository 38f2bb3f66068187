#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// Removes characters with codes 0 to 32 from both ends.
std::string TrimControls(std::string_view text);

}  // namespace pellimore
