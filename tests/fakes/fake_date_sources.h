#pragma once
// Locale, era and clock sources for tests of the date patterns: a locale that
// gives nothing, a Japanese one, the Japanese imperial eras, a fixed clock.

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "sender/date_format.h"
#include "sender/locale_date_info.h"

namespace zrnx::test {

class FakeLocaleSource : public LocaleSource {
 public:
  std::uint32_t id = 0;
  std::map<std::uint32_t, std::string> items;
  LeadBytes lead;

  void Set(std::uint32_t item, std::string text) { items[item] = std::move(text); }

  std::uint32_t LocaleId() override { return id; }
  int LocaleInfo(std::uint32_t item, char* buffer, int size) override {
    auto it = items.find(item);
    if (it == items.end() || it->second.size() + 1 > static_cast<std::size_t>(size)) return 0;
    std::memcpy(buffer, it->second.c_str(), it->second.size() + 1);
    return static_cast<int>(it->second.size() + 1);
  }
  LeadBytes AnsiLeadBytes() override { return lead; }
};

// What a Japanese system with the Gregorian calendar reports (calendar type 1).
inline FakeLocaleSource JapaneseLocale() {
  namespace item = locale_item;
  FakeLocaleSource s;
  s.id = 0x0411;
  s.lead = LeadBytes::ShiftJis();
  s.items = {{item::kDateSeparator, "/"},
             {item::kTimeSeparator, ":"},
             {item::kShortDate, "yyyy/MM/dd"},
             {item::kLongDate, "yyyy'年'M'月'd'日'"},
             {item::kMorning, "午前"},
             {item::kAfternoon, "午後"},
             {item::kTimeFormat, "1"},
             {item::kHourLeadingZero, "0"},
             {item::kTimeMarkerFirst, "1"},
             {item::kCalendarType, "1"}};
  const char* days[] = {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"};
  const char* short_days[] = {"月", "火", "水", "木", "金", "土", "日"};
  for (std::uint32_t d = 0; d < 7; ++d) {
    s.Set(item::kDayName1 + d, days[d]);
    s.Set(item::kShortDayName1 + d, short_days[d]);
  }
  for (std::uint32_t m = 0; m < 12; ++m) {
    s.Set(item::kMonthName1 + m, std::to_string(m + 1) + "月");
    s.Set(item::kShortMonthName1 + m, std::to_string(m + 1));
  }
  return s;
}

// The Japanese imperial eras, as GetDateFormatA gives them with the
// alternate calendar: "gg" the era name, "yy" the era year in two digits,
// "yyyy" the era year as it is.
class JapaneseEraSource : public EraSource {
 public:
  int calls = 0;
  std::string AltCalendarDate(int year, int month, int day, std::string_view format) override {
    ++calls;
    struct Era { int y, m, d; const char* name; };
    static const Era eras[] = {{2019, 5, 1, "令和"}, {1989, 1, 8, "平成"}, {1926, 12, 25, "昭和"},
                               {1912, 7, 30, "大正"}, {1868, 9, 8, "明治"}};
    const int date = year * 10000 + month * 100 + day;
    for (const Era& era : eras) {
      if (date < era.y * 10000 + era.m * 100 + era.d) continue;
      if (format == "gg") return era.name;
      char text[16];
      std::snprintf(text, sizeof text, format == "yy" ? "%02d" : "%d", year - era.y + 1);
      return text;
    }
    return "";
  }
};

// A platform whose era calls fail.
class NoEraSource : public EraSource {
 public:
  std::string AltCalendarDate(int, int, int, std::string_view) override { return ""; }
};

class FixedClock : public Clock {
 public:
  DateTimeValue now{2026, 12, 6, 14, 5, 9, 0, 1};  // a Sunday
  int reads = 0;
  DateTimeValue Now() override {
    ++reads;
    return now;
  }
  void SetTime(int hour, int minute, int second) {
    now.hour = hour;
    now.minute = minute;
    now.second = second;
  }
};

}  // namespace zrnx::test
