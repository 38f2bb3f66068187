#include "markup/html_search.h"

#include <cstring>
#include <limits>

namespace pellimore::html {
namespace {

constexpr std::int32_t kNotFound = -1;
constexpr std::size_t kMaxLength = std::numeric_limits<std::int32_t>::max();

std::int32_t Length(std::string_view buffer) {
  return static_cast<std::int32_t>(buffer.size() < kMaxLength ? buffer.size() : kMaxLength);
}

bool InBuffer(std::int32_t position, std::int32_t length) { return position >= 0 && position < length; }

bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualNoCase(const char* text, std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (AsciiLower(text[i]) != AsciiLower(pattern[i])) return false;
  }
  return true;
}

// The first byte of data[from..last] equal to c, or -1.
std::int32_t ScanFor(const char* data, char c, std::int32_t from, std::int32_t last) {
  if (from > last) return kNotFound;
  const void* found = std::memchr(data + from, c, static_cast<std::size_t>(last - from + 1));
  return found ? static_cast<std::int32_t>(static_cast<const char*>(found) - data) : kNotFound;
}

// The first byte at or after start that satisfies match, skipping quoted sections whole.
template <typename Match>
std::int32_t FindOutsideQuotesIf(std::string_view buffer, std::int32_t start, Match match) {
  const std::int32_t length = Length(buffer);
  if (!InBuffer(start, length)) return kNotFound;
  const char* data = buffer.data();
  for (std::int32_t i = start; i < length; ++i) {
    const char c = data[i];
    if (match(c)) return i;
    if (IsQuote(c)) {
      i = ScanFor(data, c, i + 1, length - 1);
      if (i == kNotFound) return kNotFound;
    }
  }
  return kNotFound;
}

}  // namespace

std::int32_t FindTextNoCase(std::string_view buffer, std::string_view pattern, std::int32_t start) {
  const std::int32_t length = Length(buffer);
  if (pattern.empty() || !InBuffer(start, length)) return kNotFound;
  if (pattern.size() > static_cast<std::size_t>(length - start)) return kNotFound;
  const char* data = buffer.data();
  const std::int32_t lastStart = length - static_cast<std::int32_t>(pattern.size());
  const std::string_view rest = pattern.substr(1);
  const char lower = AsciiLower(pattern[0]);
  const char upper = AsciiUpper(pattern[0]);

  // Candidates for both cases of the first byte, each found by its own scan and kept until passed.
  std::int32_t nextLower = ScanFor(data, lower, start, lastStart);
  std::int32_t nextUpper = upper == lower ? kNotFound : ScanFor(data, upper, start, lastStart);
  while (nextLower != kNotFound || nextUpper != kNotFound) {
    const bool takeLower = nextUpper == kNotFound || (nextLower != kNotFound && nextLower < nextUpper);
    const std::int32_t candidate = takeLower ? nextLower : nextUpper;
    if (EqualNoCase(data + candidate + 1, rest)) return candidate;
    if (takeLower) {
      nextLower = ScanFor(data, lower, candidate + 1, lastStart);
    } else {
      nextUpper = ScanFor(data, upper, candidate + 1, lastStart);
    }
  }
  return kNotFound;
}

std::int32_t FindByte(std::string_view buffer, char byte, std::int32_t start) {
  const std::int32_t length = Length(buffer);
  if (!InBuffer(start, length)) return kNotFound;
  return ScanFor(buffer.data(), byte, start, length - 1);
}

std::int32_t FindOutsideQuotes(std::string_view buffer, char byte, std::int32_t start) {
  return FindOutsideQuotesIf(buffer, start, [byte](char c) { return c == byte; });
}

std::int32_t FindBlankOutsideQuotes(std::string_view buffer, std::int32_t start) {
  return FindOutsideQuotesIf(buffer, start, IsBlank);
}

std::int32_t SkipBlanks(std::string_view buffer, std::int32_t start) {
  const std::int32_t length = Length(buffer);
  if (!InBuffer(start, length)) return kNotFound;
  for (std::int32_t i = start; i < length; ++i) {
    if (!IsBlank(buffer[static_cast<std::size_t>(i)])) return i;
  }
  return kNotFound;
}

std::int32_t SkipBlanksBack(std::string_view buffer, std::int32_t start) {
  if (!InBuffer(start, Length(buffer))) return kNotFound;
  for (std::int32_t i = start; i >= 0; --i) {
    if (!IsBlank(buffer[static_cast<std::size_t>(i)])) return i;
  }
  return kNotFound;
}

}  // namespace pellimore::html
