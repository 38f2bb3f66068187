#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// A complete zip archive, in memory, holding one entry with libzip's default compression and
// the current time. Throws std::runtime_error with libzip's message.
std::string BuildOneEntryArchive(const std::string& entryName, std::string_view bytes);

}  // namespace pellimore
