#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// File-name helpers on byte strings of the working code page. The transliteration table is
// defined on the byte values of Windows-1251.

// Lower-cases with the working code page's rules, then maps each Cyrillic letter to Latin.
std::string Transliterate(std::string_view text);
// Every blank (byte 32) becomes "_".
std::string SpacesToUnderscores(std::string_view text);
// The first character in upper case (ASCII a-z only), the rest unchanged.
std::string CapitalizeFirst(std::string_view text);
// CapitalizeFirst of every part between underscores (a trailing underscore is lost).
std::string CapitalizeWords(std::string_view text);
// Removes ? : < > " * \ / |
std::string RemoveBadFileChars(std::string_view text);
// Removes every ":".
std::string RemoveColons(std::string_view text);

}  // namespace pellimore
