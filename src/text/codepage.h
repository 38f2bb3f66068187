#pragma once

#include <string>
#include <string_view>

namespace pellimore {

// The working code page: the single-byte Windows code page in which the core holds every text.

// Sets the working code page (874, 1250..1258 and the other single-byte pages iconv knows).
// Throws std::invalid_argument for a page that is unknown or not single-byte.
void SetWorkingCodePage(int codePage);
int WorkingCodePage();  // 1252 until set

// Bytes of the working code page to UTF-8. Bytes the page leaves undefined become U+FFFD.
std::string WorkingToUtf8(std::string_view bytes);
// UTF-8 to the working code page, character by character: each malformed sequence and each
// character the page lacks becomes one "?"; the rest of the text stays.
std::string Utf8ToWorking(std::string_view utf8);

// Letter case in the working code page (e.g. for 1251: А..Я, Ё and A..Z).
char LowerCaseByte(char c);
std::string LowerCase(std::string_view text);
// ASCII-only lower case, as the markup rules compare names.
std::string AsciiLower(std::string_view text);

}  // namespace pellimore
