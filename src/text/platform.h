#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellimore {

// What the program takes from the operating system besides files: the short date format and the
// decimal mark. Each is a process-wide value that start-up sets from the locale and tests pin.

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CalendarDate&) const = default;
};

// The short date format as a pattern of d, dd, M, MM, yy, yyyy and separator characters,
// for example "dd.MM.yyyy" or "M/d/yy".
void SetShortDateFormat(std::string_view pattern);
const std::string& ShortDateFormat();  // "dd.MM.yyyy" until set
// The first separator character of the short date format ("." for "dd.MM.yyyy").
char DateSeparator();
std::string FormatShortDate(const CalendarDate& date);
// Reads a date written in the short date format; nothing for an impossible date or other text.
std::optional<CalendarDate> ParseShortDate(std::string_view text);
// The locale's short date format, from its D_FMT (e.g. "%d.%m.%Y" gives "dd.MM.yyyy").
std::string SystemShortDateFormat();

// The decimal mark of the user's locale.
void SetDecimalMark(char mark);
char DecimalMark();  // '.' until set

// Whether a date is a real calendar day.
bool IsValidDate(const CalendarDate& date);

}  // namespace pellimore
