#include "markup/html_search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pellimore {
namespace {

using namespace std::string_literals;

using Search = std::function<std::int32_t(std::string_view, std::int32_t)>;

struct SearchCase {
  const char* label;
  Search search;
  std::string buffer;
  std::int32_t start;
  std::int32_t expected;
};

Search FindText(std::string pattern) {
  return [pattern](std::string_view b, std::int32_t s) { return html::FindTextNoCase(b, pattern, s); };
}
Search FindByte(char byte) {
  return [byte](std::string_view b, std::int32_t s) { return html::FindByte(b, byte, s); };
}
Search FindOutside(char byte) {
  return [byte](std::string_view b, std::int32_t s) { return html::FindOutsideQuotes(b, byte, s); };
}
const Search kFindBlank = html::FindBlankOutsideQuotes;
const Search kSkip = html::SkipBlanks;
const Search kSkipBack = html::SkipBlanksBack;

// Each case runs on its buffer alone and on the same bytes seen through a view inside a larger
// buffer whose neighbouring bytes would change the answer if a routine read past the view.
void ExpectSearches(const std::vector<SearchCase>& cases) {
  const std::string guard = "t<> \"'=-%!abcABC";
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(c.search(c.buffer, c.start), c.expected);
    const std::string padded = guard + c.buffer + guard;
    EXPECT_EQ(c.search(std::string_view(padded).substr(guard.size(), c.buffer.size()), c.start), c.expected);
  }
}

TEST(HTMLSearchTest, FindTextNoCase) {
  ExpectSearches({
      {"letters match in either case", FindText("body"), "<xBoDy", 0, 2},
      {"search starts at the start", FindText("abc"), "abcABC", 1, 3},
      {"a match may end on the last byte", FindText("c"), "abc", 2, 2},
      {"pattern longer than the rest", FindText("bcd"), "abc", 0, -1},
      {"a partial match at the end", FindText("</script"), "x</scrip", 0, -1},
      {"candidates of both cases interleave", FindText("xc"), "aXbxbXc", 0, 5},
      {"non-letters compare exactly", FindText("["), "{", 0, -1},
      {"bytes above 127 compare exactly", FindText("\xE0"), "\xC0\xE0", 0, 1},
      {"empty pattern", FindText(""), "abc", 0, -1},
      {"start at the end", FindText("a"), "abc", 3, -1},
      {"negative start", FindText("a"), "abc", -1, -1},
      {"empty buffer", FindText("a"), "", 0, -1},
      {"NUL bytes are plain bytes", FindText("<b"), "\0<B"s, 0, 1},
  });
}

TEST(HTMLSearchTest, FindByte) {
  ExpectSearches({
      {"from the start", FindByte('<'), "a<b<", 0, 1},
      {"later", FindByte('<'), "a<b<", 2, 3},
      {"not found", FindByte('<'), "abc", 0, -1},
      {"start outside", FindByte('<'), "a<", 2, -1},
  });
}

TEST(HTMLSearchTest, FindOutsideQuotes) {
  ExpectSearches({
      {"skips a double-quoted section", FindOutside('>'), "a\"b>\"c>", 0, 6},
      {"skips an apostrophe section", FindOutside('>'), "a'>'>", 0, 4},
      {"an apostrophe inside double quotes does not open", FindOutside('>'), "\"'\">'", 0, 3},
      {"a double quote inside apostrophes does not open", FindOutside('='), "'a\"b'=", 0, 5},
      {"an open section at the end", FindOutside('>'), "a\"b>", 0, -1},
      {"the start decides what is quoted", FindOutside('>'), "\"x\">", 2, -1},
      {"found before an unclosed quote", FindOutside('='), "a=\"", 0, 1},
      {"start outside", FindOutside('>'), "a>", 5, -1},
  });
}

TEST(HTMLSearchTest, BlankRoutines) {
  ExpectSearches({
      {"blank outside quotes", kFindBlank, "a\"b c\" d", 0, 6},
      {"tab is a blank", kFindBlank, "a\tb", 0, 1},
      {"no blank", kFindBlank, "ab", 0, -1},
      {"blank inside an open section", kFindBlank, "a'b c", 0, -1},
      {"skip blanks", kSkip, " \t\r\nx", 0, 4},
      {"other control bytes are not blanks", kSkip, " \v", 0, 1},
      {"only blanks remain", kSkip, "a  ", 1, -1},
      {"skip from outside", kSkip, "ab", 2, -1},
      {"skip back", kSkipBack, "x \r\n", 3, 0},
      {"skip back from a non-blank", kSkipBack, "ab", 1, 1},
      {"only blanks before", kSkipBack, "  a", 1, -1},
      {"skip back from outside", kSkipBack, "ab", 2, -1},
      {"skip back from a negative start", kSkipBack, "ab", -1, -1},
  });
}

}  // namespace
}  // namespace pellimore
