#pragma once
// The date/time pattern language of the settings DateFormat0 to DateFormat9:
// letters stand for parts of the date and time, quoted text is copied, other
// bytes pass through. The output of one pattern, nested locale patterns
// included, is at most 256 bytes.

#include <cstddef>
#include <string>
#include <string_view>

#include "sender/locale_date_info.h"

namespace zrnx {

inline constexpr std::size_t kDateTextLimit = 256;

// The local date and time; day_of_week is 1 = Sunday to 7 = Saturday.
struct DateTimeValue {
  int year = 1;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int day_of_week = 1;
};

// Era names and era years of the locale's alternate calendar: on Windows
// GetDateFormatA(thread locale, DATE_USE_ALT_CALENDAR, date, format).
class EraSource {
 public:
  virtual ~EraSource() = default;
  // `format` is "gg", "yy" or "yyyy"; the empty text when the platform has none.
  virtual std::string AltCalendarDate(int year, int month, int day, std::string_view format) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTimeValue Now() = 0;
};

class DateFormatter {
 public:
  DateFormatter(const LocaleDateInfo& locale, EraSource& eras, Clock& clock)
      : locale_(locale), eras_(eras), clock_(clock) {}

  // `pattern` for `value`, with day and month names from `names`. An empty
  // pattern is "C".
  std::string FormatDatePattern(std::string_view pattern, const DateTimeValue& value, const DateNames& names) const;

  // One reading of the clock. English names when the pattern holds "ddd" or
  // "mmm" anywhere (case-sensitive, quoted text included), else the locale's.
  std::string FormatNow(std::string_view pattern) const;

 private:
  const LocaleDateInfo& locale_;
  EraSource& eras_;
  Clock& clock_;
};

}  // namespace zrnx
