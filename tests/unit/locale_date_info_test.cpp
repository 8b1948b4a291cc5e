// The locale snapshot: defaults item by item, built time patterns, eras.

#include "sender/locale_date_info.h"

#include <gtest/gtest.h>

#include "fakes/fake_date_sources.h"

namespace zrnx::test {
namespace {

namespace item = locale_item;

TEST(LocaleDateInfoTest, ALocaleGivingNothingLeavesEveryDefault) {
  FakeLocaleSource empty;
  const LocaleDateInfo info = ReadLocaleDateInfo(empty);
  EXPECT_EQ(info.date_separator, '/');
  EXPECT_EQ(info.time_separator, ':');
  EXPECT_EQ(info.short_date_pattern, "m/d/yy");
  EXPECT_EQ(info.long_date_pattern, "mmmm d, yyyy");
  EXPECT_EQ(info.morning_text, "am");
  EXPECT_EQ(info.afternoon_text, "pm");
  EXPECT_EQ(info.short_time_pattern, "h:mm AMPM");
  EXPECT_EQ(info.long_time_pattern, "h:mm:ss AMPM");
  EXPECT_EQ(info.names.short_months[11], "Dec");
  EXPECT_EQ(info.names.long_days[0], "Sunday");
  EXPECT_TRUE(info.lead_bytes.Empty());
  EXPECT_EQ(info.primary_language, 9u);
  EXPECT_EQ(info.sublanguage, 1u);
}

TEST(LocaleDateInfoTest, JapaneseItemsAreTakenAsGiven) {
  FakeLocaleSource ja = JapaneseLocale();
  const LocaleDateInfo info = ReadLocaleDateInfo(ja);
  EXPECT_EQ(info.short_date_pattern, "yyyy/MM/dd");
  EXPECT_EQ(info.long_date_pattern, "yyyy'年'M'月'd'日'");
  EXPECT_EQ(info.morning_text, "午前");
  EXPECT_EQ(info.short_time_pattern, "h:mm");
  EXPECT_EQ(info.long_time_pattern, "h:mm:ss");
  // The locale's first day is Monday; Sunday is its seventh.
  EXPECT_EQ(info.names.short_days[0], "日");
  EXPECT_EQ(info.names.long_days[1], "月曜日");
  EXPECT_EQ(info.names.long_days[6], "土曜日");
  EXPECT_EQ(info.names.long_months[0], "1月");
  EXPECT_TRUE(info.lead_bytes.IsLead('\x82'));
  EXPECT_EQ(info.primary_language, 0x11u);
  EXPECT_EQ(info.sublanguage, 1u);
}

TEST(LocaleDateInfoTest, ItemsThatDoNotFitTheirBufferFallBack) {
  FakeLocaleSource s;
  s.Set(item::kDateSeparator, "-");
  s.Set(item::kTimeSeparator, "::");          // two bytes with the zero only
  s.Set(item::kMorning, std::string(255, 'a'));  // fits 256 with its zero
  s.Set(item::kAfternoon, std::string(256, 'p'));
  s.Set(item::kShortDayName1 + 6, "");        // an empty name keeps its default
  s.Set(item::kShortDayName1, "Mo");
  const LocaleDateInfo info = ReadLocaleDateInfo(s);
  EXPECT_EQ(info.date_separator, '-');
  EXPECT_EQ(info.time_separator, ':');
  EXPECT_EQ(info.morning_text, std::string(255, 'a'));
  EXPECT_EQ(info.afternoon_text, "pm");
  EXPECT_EQ(info.names.short_days[0], "Sun");
  EXPECT_EQ(info.names.short_days[1], "Mo");
}

TEST(LocaleDateInfoTest, TimePatternsAreBuiltFromTheClockItems) {
  struct Case {
    const char *leading_zero, *time_format, *marker_first, *short_time, *long_time;
  } cases[] = {
      {"1", "0", "1", "AMPM hh:mm", "AMPM hh:mm:ss"},
      {"0", "0", "0", "h:mm AMPM", "h:mm:ss AMPM"},
      {"1", "1", "1", "hh:mm", "hh:mm:ss"},
      {"x", "x", "x", "h:mm AMPM", "h:mm:ss AMPM"},  // not integers: 0
      {"2", "$1", " 0", "hh:mm", "hh:mm:ss"},
  };
  for (const Case& c : cases) {
    FakeLocaleSource s;
    s.items = {{item::kHourLeadingZero, c.leading_zero},
               {item::kTimeFormat, c.time_format},
               {item::kTimeMarkerFirst, c.marker_first}};
    const LocaleDateInfo info = ReadLocaleDateInfo(s);
    EXPECT_EQ(info.short_time_pattern, c.short_time) << c.leading_zero << c.time_format << c.marker_first;
    EXPECT_EQ(info.long_time_pattern, c.long_time);
  }
}

TEST(LocaleDateInfoTest, LanguageComesFromTheLocaleId) {
  FakeLocaleSource s;
  s.id = 0x0404;  // Chinese (Taiwan)
  EXPECT_EQ(ReadLocaleDateInfo(s).primary_language, kLangChinese);
  EXPECT_EQ(ReadLocaleDateInfo(s).sublanguage, 1u);
  s.id = 0x0804;
  EXPECT_EQ(ReadLocaleDateInfo(s).sublanguage, 2u);
  s.id = 0x30000;  // no language in the low word: English (US)
  EXPECT_EQ(ReadLocaleDateInfo(s).primary_language, 9u);
}

TEST(LocaleDateInfoTest, EraCalendarsRewriteYearsAndEras) {
  const LeadBytes sjis = LeadBytes::ShiftJis();
  for (int type : {3, 4, 5}) {
    EXPECT_EQ(TranslateEraPattern("gg y'年'M'月'd'日'", type, 0x11, sjis), "ggg e'年'M'月'd'日'");
    EXPECT_EQ(TranslateEraPattern("GGyyyy/YY.yyy", type, 9, sjis), "gggee/eeee.eeeee");
  }
  // A double-byte character is copied whole, even when its second byte is a "y" (81 79).
  EXPECT_EQ(TranslateEraPattern("【y", 3, 0x11, sjis), "【e");
  EXPECT_EQ(TranslateEraPattern("【y", 3, 0x11, LeadBytes()), "\x81" "eeee");
}

TEST(LocaleDateInfoTest, EastAsianGregorianPatternsLoseTheirEra) {
  const LeadBytes sjis = LeadBytes::ShiftJis();
  for (unsigned language : {kLangChinese, kLangJapanese, kLangKorean})
    EXPECT_EQ(TranslateEraPattern("ggyyyy/G", 1, language, sjis), "yyyy/");
  EXPECT_EQ(TranslateEraPattern("ggyyyy/G", 1, 9, sjis), "ggyyyy/G");
  EXPECT_EQ(TranslateEraPattern("ggyyyy", 2, 9, sjis), "ggyyyy");
}

TEST(LocaleDateInfoTest, CalendarTypeIsReadOnceForBothPatterns) {
  FakeLocaleSource s = JapaneseLocale();
  s.Set(item::kCalendarType, "3");
  s.Set(item::kShortDate, "gg yy/MM/dd");
  s.Set(item::kLongDate, "gg y'年'M'月'd'日'");
  LocaleDateInfo info = ReadLocaleDateInfo(s);
  EXPECT_EQ(info.short_date_pattern, "ggg eeee/MM/dd");
  EXPECT_EQ(info.long_date_pattern, "ggg e'年'M'月'd'日'");
  s.Set(item::kCalendarType, "none");  // not an integer: the Gregorian calendar
  EXPECT_EQ(ReadLocaleDateInfo(s).short_date_pattern, " yy/MM/dd");
}

}  // namespace
}  // namespace zrnx::test
