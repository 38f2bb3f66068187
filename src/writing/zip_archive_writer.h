#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// A complete zip archive, in memory, holding one entry with libzip's default compression and
// the current time. The entry name (working code page) is stored as UTF-8 and marked so. Throws std::runtime_error with libzip's message.
std::string BuildOneEntryArchive(const std::string& entryName, std::string_view bytes);

}  // namespace pellimore
