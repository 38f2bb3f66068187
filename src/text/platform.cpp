#include "text/platform.h"

#include <cstdio>
#include <vector>

#include "text/locale_env.h"

namespace pellimore {

namespace {

constexpr char kDefaultDateFormat[] = "dd.MM.yyyy";
constexpr char kDefaultDateSeparator = '.';

std::string& ShortDateFormatStorage() {
  static std::string format = kDefaultDateFormat;
  return format;
}

char& DecimalMarkStorage() {
  static char mark = '.';
  return mark;
}

bool IsFieldLetter(char c) { return c == 'd' || c == 'M' || c == 'y'; }

// One piece of a date pattern: a field (a run of d, M or y) or one literal character.
struct PatternPiece {
  char field = 0;  // 'd', 'M', 'y', or 0 for a literal
  std::size_t width = 0;
  char literal = 0;
};

std::vector<PatternPiece> SplitPattern(std::string_view pattern) {
  std::vector<PatternPiece> pieces;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (!IsFieldLetter(c)) {
      pieces.push_back({0, 0, c});
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < pattern.size() && pattern[end] == c) ++end;
    pieces.push_back({c, end - i, 0});
    i = end;
  }
  return pieces;
}

std::string Padded(int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  return buffer;
}

std::string FormatField(const PatternPiece& piece, const CalendarDate& date) {
  switch (piece.field) {
    case 'd':
      return Padded(date.day, piece.width >= 2 ? 2 : 1);
    case 'M':
      return Padded(date.month, piece.width >= 2 ? 2 : 1);
    default:
      return piece.width <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
  }
}

// Years written with one or two digits fall into 1950..2049.
int ExpandShortYear(int year) { return year < 50 ? 2000 + year : 1900 + year; }

// Reads up to maxDigits digits after optional blanks; false when there is no digit.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits, int& value,
                std::size_t& digits) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  value = 0;
  digits = 0;
  while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

// The short date pattern for one strftime conversion letter; empty for letters without one.
std::string_view PatternOfConversion(char conversion) {
  switch (conversion) {
    case 'd':
      return "dd";
    case 'e':
      return "d";
    case 'm':
      return "MM";
    case 'y':
      return "yy";
    case 'Y':
      return "yyyy";
    case 'D':
      return "MM/dd/yy";
    case 'F':
      return "yyyy-MM-dd";
    case '%':
      return "%";
    default:
      return {};
  }
}

}  // namespace

void SetShortDateFormat(std::string_view pattern) { ShortDateFormatStorage() = std::string(pattern); }

const std::string& ShortDateFormat() { return ShortDateFormatStorage(); }

char DateSeparator() {
  for (char c : ShortDateFormat()) {
    if (!IsFieldLetter(c)) return c;
  }
  return kDefaultDateSeparator;
}

std::string FormatShortDate(const CalendarDate& date) {
  std::string out;
  for (const PatternPiece& piece : SplitPattern(ShortDateFormat())) {
    if (piece.field == 0) {
      out += piece.literal;
    } else {
      out += FormatField(piece, date);
    }
  }
  return out;
}

std::optional<CalendarDate> ParseShortDate(std::string_view text) {
  CalendarDate date;
  bool haveDay = false, haveMonth = false, haveYear = false;
  std::size_t pos = 0;
  for (const PatternPiece& piece : SplitPattern(ShortDateFormat())) {
    if (piece.field == 0) {
      if (piece.literal != ' ') {
        while (pos < text.size() && text[pos] == ' ') ++pos;
      }
      if (pos >= text.size() || text[pos] != piece.literal) return std::nullopt;
      ++pos;
      continue;
    }
    int value = 0;
    std::size_t digits = 0;
    if (!ReadNumber(text, pos, piece.field == 'y' ? 4 : 2, value, digits)) return std::nullopt;
    if (piece.field == 'd') {
      date.day = value;
      haveDay = true;
    } else if (piece.field == 'M') {
      date.month = value;
      haveMonth = true;
    } else {
      date.year = digits <= 2 ? ExpandShortYear(value) : value;
      haveYear = true;
    }
  }
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos != text.size() || !haveDay || !haveMonth || !haveYear || !IsValidDate(date)) return std::nullopt;
  return date;
}

std::string ShortDateFormatFromStrftime(std::string_view format) {
  std::string pattern;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      pattern += format[i];
      continue;
    }
    ++i;
    while (i < format.size() &&
           (format[i] == 'E' || format[i] == 'O' || format[i] == '-' || format[i] == '_' ||
            format[i] == '0' || format[i] == '^' || format[i] == '#')) {
      ++i;  // flags and modifiers do not change the pattern
    }
    if (i < format.size()) pattern += PatternOfConversion(format[i]);
  }
  return pattern;
}

std::string SystemShortDateFormat() {
  const std::string pattern =
      ShortDateFormatFromStrftime(LocaleDateFormat(LocaleNameFromEnvironment("LC_TIME")));
  const bool complete = pattern.find('d') != std::string::npos && pattern.find('M') != std::string::npos &&
                        pattern.find('y') != std::string::npos;
  return complete ? pattern : kDefaultDateFormat;
}

void SetDecimalMark(char mark) { DecimalMarkStorage() = mark; }

char DecimalMark() { return DecimalMarkStorage(); }

char SystemDecimalMark() {
  const std::string radix = LocaleRadixChar(LocaleNameFromEnvironment("LC_NUMERIC"));
  return radix.size() == 1 ? radix[0] : '.';
}

bool IsValidDate(const CalendarDate& date) {
  if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = date.month == 2 && leap ? 29 : kDaysInMonth[date.month - 1];
  return date.day <= days;
}

}  // namespace pellimore
