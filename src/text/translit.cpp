#include "text/translit.h"

#include <array>

#include "text/codepage.h"

namespace pellimore {

namespace {

constexpr std::string_view kBadFileChars = "?:<>\"*\\/|";

// Latin replacements of the small Cyrillic letters of Windows-1251, bytes 224..255.
constexpr std::array<std::string_view, 32> kSmallLetters = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "j",  "k", "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "h", "c",  "ch", "sh", "sh", "",  "y", "",  "e", "ju", "ja",
};
constexpr unsigned char kFirstSmallLetter = 224;
constexpr unsigned char kSmallYo = 184;

std::string RemoveChars(std::string_view text, std::string_view removed) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (removed.find(c) == std::string_view::npos) out += c;
  }
  return out;
}

}  // namespace

std::string Transliterate(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : LowerCase(text)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= kFirstSmallLetter) {
      out += kSmallLetters[b - kFirstSmallLetter];
    } else if (b == kSmallYo) {
      out += 'e';
    } else {
      out += c;
    }
  }
  return out;
}

std::string SpacesToUnderscores(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == ' ') c = '_';
  }
  return out;
}

std::string CapitalizeFirst(std::string_view text) {
  std::string out(text);
  if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 'a' + 'A');
  return out;
}

std::string CapitalizeWords(std::string_view text) {
  if (text.find('_') == std::string_view::npos) return CapitalizeFirst(text);
  std::string result;
  std::string_view rest = text;
  for (std::size_t underscore = rest.find('_'); underscore != std::string_view::npos;
       underscore = rest.find('_')) {
    const std::string_view part = rest.substr(0, underscore);
    rest.remove_prefix(underscore + 1);
    if (!result.empty()) result += '_';
    result += CapitalizeFirst(part);
  }
  if (!rest.empty()) result += '_' + CapitalizeFirst(rest);
  return result;
}

std::string RemoveBadFileChars(std::string_view text) { return RemoveChars(text, kBadFileChars); }

std::string RemoveColons(std::string_view text) { return RemoveChars(text, ":"); }

}  // namespace pellimore
