#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pellimore {

// How the writer puts typed single-line values into markup.

// The length of the character or entity reference (&name;, &#digits;, &#xhex;) that begins at
// text[pos], or 0 when no reference begins there.
std::size_t ReferenceLengthAt(std::string_view text, std::size_t pos);

// The values of a list field: split at every ";" that does not end a reference, each piece
// trimmed (codes 0 to 32), empty pieces dropped.
std::vector<std::string> SplitListField(std::string_view field);

// Text content: a "&" that begins no reference becomes "&amp;", "<" becomes "&lt;"; references
// already in the text stay as written.
std::string EscapeFieldText(std::string_view text);
// The same for a value in double quotes, where "\"" also becomes "&quot;".
std::string EscapeAttributeValue(std::string_view text);

}  // namespace pellimore
