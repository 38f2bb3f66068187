#pragma once

#include <cstdint>
#include <string_view>

namespace pellimore {

// The search routines of the tokenizer, over a buffer of at most 2^31 - 1 bytes (longer buffers
// are searched in their first 2^31 - 1 bytes). Each gives -1 when nothing is found or the start
// lies outside the buffer. Blanks are TAB, LF, CR and space. A double quote or an apostrophe opens
// a quoted section that the next byte of the same kind closes; there is no escape character.
namespace html {
// The first match at or after start, ASCII letters compared without case; -1 for an empty pattern.
std::int32_t FindTextNoCase(std::string_view buffer, std::string_view pattern, std::int32_t start);
std::int32_t FindByte(std::string_view buffer, char byte, std::int32_t start);
// The first equal byte outside quoted sections; -1 when a section is still open at the end.
std::int32_t FindOutsideQuotes(std::string_view buffer, char byte, std::int32_t start);
std::int32_t FindBlankOutsideQuotes(std::string_view buffer, std::int32_t start);
// The first byte at or after start that is not a blank.
std::int32_t SkipBlanks(std::string_view buffer, std::int32_t start);
// The last byte at or before start that is not a blank, scanning towards position 0.
std::int32_t SkipBlanksBack(std::string_view buffer, std::int32_t start);
}  // namespace html

}  // namespace pellimore
