#include "text/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace pellimore {
namespace {

// Puts the pinned date format back after each test.
class ShortDateTest : public ::testing::Test {
 protected:
  void TearDown() override { SetShortDateFormat("dd.MM.yyyy"); }
};

TEST_F(ShortDateTest, FormatFollowsThePattern) {
  const struct {
    const char* pattern;
    CalendarDate date;
    const char* text;
  } cases[] = {
      {"dd.MM.yyyy", {2007, 3, 5}, "05.03.2007"}, {"dd.MM.yyyy", {1999, 12, 31}, "31.12.1999"},
      {"d.M.yyyy", {2007, 3, 5}, "5.3.2007"},     {"M/d/yy", {2007, 3, 5}, "3/5/07"},
      {"MM/dd/yy", {2000, 11, 25}, "11/25/00"},   {"yyyy-MM-dd", {2007, 3, 5}, "2007-03-05"},
      {"dd.MM.yyyy", {987, 1, 2}, "02.01.0987"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    SetShortDateFormat(c.pattern);
    EXPECT_EQ(FormatShortDate(c.date), c.text);
  }
}

TEST_F(ShortDateTest, ParseReadsRealDatesOnly) {
  const struct {
    const char* pattern;
    const char* text;
    std::optional<CalendarDate> date;
  } cases[] = {
      {"dd.MM.yyyy", "05.03.2007", CalendarDate{2007, 3, 5}},
      {"dd.MM.yyyy", "5.3.2007", CalendarDate{2007, 3, 5}},
      {"dd.MM.yyyy", " 5. 3.2007", CalendarDate{2007, 3, 5}},  // the masked edit's blanks
      {"dd.MM.yyyy", "05.03.2007 ", CalendarDate{2007, 3, 5}},
      {"dd.MM.yyyy", "29.02.2008", CalendarDate{2008, 2, 29}},
      {"dd.MM.yyyy", "29.02.2000", CalendarDate{2000, 2, 29}},
      {"dd.MM.yyyy", "05.03.07", CalendarDate{2007, 3, 5}},
      {"dd.MM.yyyy", "05.03.99", CalendarDate{1999, 3, 5}},
      {"dd.MM.yyyy", "29.02.2007", std::nullopt},
      {"dd.MM.yyyy", "29.02.1900", std::nullopt},
      {"dd.MM.yyyy", "31.04.2007", std::nullopt},
      {"dd.MM.yyyy", "31.02.2007", std::nullopt},
      {"dd.MM.yyyy", "00.05.2007", std::nullopt},
      {"dd.MM.yyyy", "32.01.2007", std::nullopt},
      {"dd.MM.yyyy", "15.13.2007", std::nullopt},
      {"dd.MM.yyyy", "15.00.2007", std::nullopt},
      {"dd.MM.yyyy", "01.01.0000", std::nullopt},
      {"dd.MM.yyyy", "05.03.2007x", std::nullopt},
      {"dd.MM.yyyy", "05.03.12345", std::nullopt},
      {"dd.MM.yyyy", "005.03.2007", std::nullopt},
      {"dd.MM.yyyy", "05.03.", std::nullopt},
      {"dd.MM.yyyy", "05/03/2007", std::nullopt},
      {"dd.MM.yyyy", "  .  .    ", std::nullopt},
      {"dd.MM.yyyy", "", std::nullopt},
      {"dd.MM.yyyy", "-5.03.2007", std::nullopt},
      {"M/d/yy", "3/5/07", CalendarDate{2007, 3, 5}},
      {"M/d/yy", "12/31/1999", CalendarDate{1999, 12, 31}},
      {"M/d/yy", "31/12/1999", std::nullopt},
      {"yyyy-MM-dd", "2007-03-05", CalendarDate{2007, 3, 5}},
      {"yyyy-MM-dd", "2007-03-05-", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " \"" + c.text + "\"");
    SetShortDateFormat(c.pattern);
    EXPECT_EQ(ParseShortDate(c.text), c.date);
  }
}

TEST_F(ShortDateTest, FormattedDatesParseBack) {
  for (const char* pattern : {"dd.MM.yyyy", "d.M.yyyy", "MM/dd/yy", "yyyy-MM-dd"}) {
    SCOPED_TRACE(pattern);
    SetShortDateFormat(pattern);
    for (CalendarDate date :
         {CalendarDate{2024, 2, 29}, CalendarDate{1970, 1, 1}, CalendarDate{2049, 12, 31}}) {
      EXPECT_EQ(ParseShortDate(FormatShortDate(date)), date);
    }
  }
}

TEST_F(ShortDateTest, DateSeparatorIsTheFirstSeparator) {
  const struct {
    const char* pattern;
    char separator;
  } cases[] = {{"dd.MM.yyyy", '.'}, {"M/d/yy", '/'}, {"yyyy-MM-dd", '-'}, {"ddMMyyyy", '.'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    SetShortDateFormat(c.pattern);
    EXPECT_EQ(DateSeparator(), c.separator);
  }
}

TEST(ShortDateFormatFromStrftimeTest, ConvertsDateConversions) {
  const struct {
    const char* format;
    const char* pattern;
  } cases[] = {
      {"%d.%m.%Y", "dd.MM.yyyy"},
      {"%m/%d/%y", "MM/dd/yy"},
      {"%e.%m.%Y", "d.MM.yyyy"},
      {"%F", "yyyy-MM-dd"},
      {"%D", "MM/dd/yy"},
      {"%Y-%m-%d", "yyyy-MM-dd"},
      {"%d/%m/%Ey", "dd/MM/yy"},
      {"%A %d.%m.%Y", " dd.MM.yyyy"},
      {"%d%%", "dd%"},
      {"", ""},
      {"%", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(ShortDateFormatFromStrftime(c.format), c.pattern);
  }
}

// Sets locale variables for one test and puts the old values back.
class PlatformLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* value = std::getenv("LC_ALL");
    if (value) m_saved = value;
  }
  void TearDown() override {
    if (m_saved) {
      setenv("LC_ALL", m_saved->c_str(), 1);
    } else {
      unsetenv("LC_ALL");
    }
  }

 private:
  std::optional<std::string> m_saved;
};

TEST_F(PlatformLocaleTest, SystemValuesComeFromTheLocale) {
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(SystemShortDateFormat(), "MM/dd/yy");
  EXPECT_EQ(SystemDecimalMark(), '.');
  setenv("LC_ALL", "xx_NOWHERE", 1);  // not installed anywhere
  EXPECT_EQ(SystemShortDateFormat(), "dd.MM.yyyy");
  EXPECT_EQ(SystemDecimalMark(), '.');
}

TEST(DecimalMarkTest, SetAndRead) {
  SetDecimalMark(',');
  EXPECT_EQ(DecimalMark(), ',');
  SetDecimalMark('.');
  EXPECT_EQ(DecimalMark(), '.');
}

TEST(IsValidDateTest, CalendarBoundaries) {
  EXPECT_TRUE(IsValidDate({1, 1, 1}));
  EXPECT_TRUE(IsValidDate({9999, 12, 31}));
  EXPECT_TRUE(IsValidDate({2024, 2, 29}));
  EXPECT_FALSE(IsValidDate({2023, 2, 29}));
  EXPECT_FALSE(IsValidDate({2100, 2, 29}));
  EXPECT_FALSE(IsValidDate({0, 1, 1}));
  EXPECT_FALSE(IsValidDate({10000, 1, 1}));
  EXPECT_FALSE(IsValidDate({2007, 6, 31}));
  EXPECT_FALSE(IsValidDate({2007, 1, 0}));
  EXPECT_FALSE(IsValidDate({2007, 0, 1}));
}

}  // namespace
}  // namespace pellimore
