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
// The first separator character of the short date format ("." for "dd.MM.yyyy"; "." when none).
char DateSeparator();
std::string FormatShortDate(const CalendarDate& date);
// Reads a date written in the short date format: fields in the pattern's order, day and month of
// one or two digits, the year of one to four (one or two digits mean 1950..2049), the pattern's
// separators, blanks allowed before a number and at the end. Nothing for an impossible date, a
// missing field or any other text.
std::optional<CalendarDate> ParseShortDate(std::string_view text);
// The short date pattern of a strftime date format: %d dd, %e d, %m MM, %y yy, %Y yyyy, %D, %F;
// other conversions are dropped, other characters kept ("%d.%m.%Y" gives "dd.MM.yyyy").
std::string ShortDateFormatFromStrftime(std::string_view format);
// The short date format of the process locale (LC_ALL, LC_TIME, LANG), from its D_FMT;
// "dd.MM.yyyy" when the locale gives no day, month and year.
std::string SystemShortDateFormat();

// The decimal mark of the user's locale.
void SetDecimalMark(char mark);
char DecimalMark();  // '.' until set
// The decimal mark of the process locale (LC_ALL, LC_NUMERIC, LANG); '.' when it has none.
char SystemDecimalMark();

// Whether a date is a real calendar day of the years 1 to 9999.
bool IsValidDate(const CalendarDate& date);

}  // namespace pellimore
