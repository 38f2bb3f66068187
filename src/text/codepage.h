#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// The working code page: the single-byte Windows code page in which the core holds every text.

// Sets the working code page (874, 1250..1258 and the other single-byte pages iconv knows as
// "CPnnn"). Throws std::invalid_argument for a page that is unknown or not single-byte. The tables
// of a page are built once and kept, so switching back and forth is cheap.
void SetWorkingCodePage(int codePage);
int WorkingCodePage();  // 1252 until set

// Bytes of the working code page to UTF-8. Bytes the page leaves undefined become U+FFFD.
std::string WorkingToUtf8(std::string_view bytes);
// UTF-8 to the working code page, character by character: each malformed sequence and each
// character the page lacks (every character beyond U+FFFF among them) becomes one "?"; the rest
// of the text stays. A malformed sequence is its longest valid beginning, or one byte.
std::string Utf8ToWorking(std::string_view utf8);

// Whether a text is well-formed UTF-8 (no overlong forms, surrogates or values beyond U+10FFFF).
bool IsWellFormedUtf8(std::string_view text);

// Paths are held as the file system's own bytes (UTF-8 on Linux), not in the working code page.
// A file name built from header texts crosses over here.
inline std::string FileNameFromText(std::string_view text) { return WorkingToUtf8(text); }

// Letter case in the working code page: each capital whose small letter the page holds becomes
// that letter (for 1251: А..Я, Ё, the other Cyrillic capitals and A..Z). The rules are Unicode's,
// the same on every machine whatever its locale.
char LowerCaseByte(char c);
std::string LowerCase(std::string_view text);
// ASCII-only lower case, as the markup rules compare names.
std::string AsciiLower(std::string_view text);

}  // namespace pellimore
