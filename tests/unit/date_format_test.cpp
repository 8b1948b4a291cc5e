// The date pattern language, for a locale that gives nothing and a Japanese one.

#include "sender/date_format.h"

#include <gtest/gtest.h>

#include "fakes/fake_date_sources.h"

namespace zrnx::test {
namespace {

class DateFormatTest : public ::testing::Test {
 protected:
  std::string Nothing(std::string_view pattern) {
    FakeLocaleSource empty;  // no locale items, but a Shift-JIS system
    empty.lead = LeadBytes::ShiftJis();
    locale_ = ReadLocaleDateInfo(empty);
    return DateFormatter(locale_, no_eras_, clock_).FormatNow(pattern);
  }
  std::string Japanese(std::string_view pattern) {
    FakeLocaleSource ja = JapaneseLocale();
    locale_ = ReadLocaleDateInfo(ja);
    return DateFormatter(locale_, eras_, clock_).FormatNow(pattern);
  }
  std::string With(const LocaleDateInfo& locale, std::string_view pattern) {
    return DateFormatter(locale, eras_, clock_).FormatNow(pattern);
  }

  LocaleDateInfo locale_;
  NoEraSource no_eras_;
  JapaneseEraSource eras_;
  FixedClock clock_;
};

struct Row {
  const char* pattern;
  const char* nothing;   // locale giving nothing, era calls failing
  const char* japanese;  // Japanese locale and imperial eras
};

// Sunday 2026-12-06 14:05:09.
const Row kRows[] = {
    {"yyyy/mm/dd", "2026/12/06", "2026/12/06"},
    {"hh:mm", "14:05", "14:05"},
    {"yyyy/mm/dd hh:mm", "2026/12/06 14:05", "2026/12/06 14:05"},
    {"yyyy\"年\"m\"月\"d\"日\"", "2026年12月6日", "2026年12月6日"},
    {"h\"時\"m\"分\"", "14時5分", "14時5分"},
    {"yyyy\"年\"m\"月\"d\"日\" h\"時\"m\"分\"", "2026年12月6日 14時5分", "2026年12月6日 14時5分"},
    {"yyyy\"年\"m\"月\"d\"日\"(aaa)", "2026年12月6日(Sun)", "2026年12月6日(日)"},
    {"gge\"年\"m\"月\"d\"日\"", "年12月6日", "令和8年12月6日"},
    {"gge\"年\"m\"月\"d\"日\" aaaa", "年12月6日 Sunday", "令和8年12月6日 日曜日"},
    {"AM/PM hh:mm", "PM 02:05", "PM 02:05"},
    {"hh:nn:ss", "14:05:09", "14:05:09"},
    {"y yy yyy", "26 26 2026", "26 26 2026"},
    {"ddd, mmm d", "Sun, Dec 6", "Sun, Dec 6"},
    {"dddd mmmm", "Sunday December", "Sunday December"},
    {"ddd aaa", "Sun Sun", "Sun Sun"},
    {"DDD", "Sun", "日"},
    {"MMMM", "December", "12月"},
    {"Mm", "1212", "1212"},
    {"h:mm am/pm", "2:05 pm", "2:05 pm"},
    {"h:mm a/p", "2:05 p", "2:05 p"},
    {"h 'h' AM/PM", "14 h PM", "14 h PM"},
    {"hh 'AM/PM'", "14 AM/PM", "14 AM/PM"},
    {"yyyy年mm月", "202612", "202612"},
    {"h年m", "1412", "1412"},
    {"hxm", "14x12", "14x12"},
    {"\"abc", "abc", "abc"},
    {"hh.nn zzz", "14.05 zzz", "14.05 zzz"},
    {"", "12/6/26 2:05:09 pm", "2026/12/06 14:05:09"},
    {"\"%d1%\"", "%d1%", "%d1%"},
    {"hhh nnn mmmmm yyyyy", "14 05 December 2026", "14 05 December 2026"},
    {"ddddd", "12/6/26", "2026/12/06"},
    {"dddddd", "December 6, 2026", "2026年12月6日"},
    {"Dd Hh", "66 1414", "66 1414"},
    {"aa aaaaa", "aa Sundaya", "aa 日曜日a"},
    {"'o''clock'", "oclock", "oclock"},
    {"AMPM h", "pm 2", "午後 2"},
    {"tt h", "2:05:09 pm 14", "14:05:09 14"},
    {"Am/pM", "pM", "pM"},
    {"年月日", "", ""},
    {"ｱ'ｱ'", "ｱｱ", "ｱｱ"},
    {"'時h'h", "時h14", "時h14"},
    {"g gg ggg e ee eee", "     ", "令 令和 令和 8 08 8"},
};

TEST_F(DateFormatTest, PatternsGiveTheTextOfTheTable) {
  for (const Row& row : kRows) {
    EXPECT_EQ(Nothing(row.pattern), row.nothing) << row.pattern;
    EXPECT_EQ(Japanese(row.pattern), row.japanese) << row.pattern;
  }
}

TEST_F(DateFormatTest, HoursOnTheTwelveHourClock) {
  clock_.SetTime(0, 5, 0);
  EXPECT_EQ(Nothing("AM/PM hh:mm"), "AM 12:05");
  clock_.SetTime(12, 30, 0);
  EXPECT_EQ(Nothing("AM/PM hh:mm"), "PM 12:30");
  clock_.SetTime(0, 30, 0);
  EXPECT_EQ(Nothing("h AMPM"), "12 am");
  EXPECT_EQ(Japanese("h AMPM"), "12 午前");
  EXPECT_EQ(Nothing("hh"), "00");
  clock_.SetTime(23, 0, 0);
  EXPECT_EQ(Nothing("h a/p"), "11 p");
  // The flag belongs to the level: a nested time pattern's marker leaves
  // the outer hour alone, an earlier a-element of the same level does not.
  EXPECT_EQ(Nothing("t h"), "11:00 pm 23");
  EXPECT_EQ(Nothing("a/p h h"), "p 11 11");
}

TEST_F(DateFormatTest, SmallNumbersAndTimeZero) {
  clock_.SetTime(9, 5, 3);
  EXPECT_EQ(Nothing("h:m:s"), "9:5:3");
  EXPECT_EQ(Nothing("tt"), "9:05:03 am");
  EXPECT_EQ(Japanese("tt"), "9:05:03");
  clock_.SetTime(0, 0, 0);
  EXPECT_EQ(Nothing("c"), "12/6/26");
  EXPECT_EQ(Japanese(""), "2026/12/06");
}

TEST_F(DateFormatTest, NestingStopsAtTheSecondLevel) {
  LocaleDateInfo locale;
  locale.short_date_pattern = "[c]";
  EXPECT_EQ(With(locale, "c"), "[ ] 2:05:09 pm");
  clock_.SetTime(0, 0, 0);
  EXPECT_EQ(With(locale, "c"), "[]");
  locale.short_time_pattern = "<t>";
  EXPECT_EQ(With(locale, "t"), "<>");
}

TEST_F(DateFormatTest, NamesOfNestedPatternsFollowTheWholePattern) {
  FakeLocaleSource ja = JapaneseLocale();
  ja.Set(locale_item::kLongDate, "MMMM dddd");
  LocaleDateInfo locale = ReadLocaleDateInfo(ja);
  EXPECT_EQ(With(locale, "dddddd"), "December Sunday");  // the pattern holds "ddd"
  EXPECT_EQ(With(locale, "DDDDDD"), "12月 日曜日");
  EXPECT_EQ(With(locale, "\"mmm\"DDDD"), "mmmSunday");   // quoted text counts too
}

TEST_F(DateFormatTest, OutputStopsAt256BytesEvenInsideACharacter) {
  EXPECT_EQ(Nothing(std::string(300, 'x')), std::string(256, 'x'));
  const std::string cut = Japanese(std::string(255, 'x') + "'あ'");
  EXPECT_EQ(cut, std::string(255, 'x') + "あ"[0]);
  std::string names;
  for (int i = 0; i < 60; ++i) names += "dddd ";
  EXPECT_EQ(Japanese(names).size(), 256u);
}

TEST_F(DateFormatTest, WithoutLeadBytesEveryByteStandsAlone) {
  LocaleDateInfo locale;  // not DBCS-enabled
  // 年 is 94 4E: 94 is copied, 4E is an "N", the minute.
  EXPECT_EQ(With(locale, "年"), "\x94" "5");
}

TEST_F(DateFormatTest, EraNamesAreShortenedForJapaneseAndTaiwaneseChinese) {
  FakeLocaleSource ja = JapaneseLocale();
  LocaleDateInfo locale = ReadLocaleDateInfo(ja);
  clock_.now = {2019, 5, 1, 10, 0, 0, 0, 4};
  EXPECT_EQ(With(locale, "g e ee"), "令 1 01");
  clock_.now = {1989, 1, 7, 10, 0, 0, 0, 7};
  EXPECT_EQ(With(locale, "gg e"), "昭和 64");

  class FourCharacterEra : public EraSource {
   public:
    std::string AltCalendarDate(int, int, int, std::string_view format) override {
      return format == "gg" ? name : "0115";
    }
    std::string name = "中華民國";
  } taiwan;
  locale.primary_language = kLangChinese;
  locale.sublanguage = 1;
  EXPECT_EQ(DateFormatter(locale, taiwan, clock_).FormatNow("g|gg|e"), "民國|中華民國|115");
  taiwan.name = "民國";
  EXPECT_EQ(DateFormatter(locale, taiwan, clock_).FormatNow("g"), "民國");
  taiwan.name = "中華民國";
  locale.sublanguage = 2;
  EXPECT_EQ(DateFormatter(locale, taiwan, clock_).FormatNow("g"), "中華民國");
}

TEST_F(DateFormatTest, FormatNowReadsTheClockOnce) {
  Nothing("c hh:nn:ss t tt");
  EXPECT_EQ(clock_.reads, 1);
}

}  // namespace
}  // namespace zrnx::test
