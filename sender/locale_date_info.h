#pragma once
// The locale conventions that date patterns draw on: separators, date and
// time patterns, morning and afternoon texts, month and day names. Taken
// once at start from a LocaleSource and never refreshed, so every pattern of
// a run sees the same locale.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace zrnx {

// Day and month names; days are indexed from Sunday = 0.
struct DateNames {
  std::array<std::string, 12> short_months;
  std::array<std::string, 12> long_months;
  std::array<std::string, 7> short_days;
  std::array<std::string, 7> long_days;
};

// The fixed English names, used whenever a pattern holds "ddd" or "mmm".
const DateNames& EnglishDateNames();

struct LocaleDateInfo {
  char date_separator = '/';
  char time_separator = ':';
  std::string short_date_pattern = "m/d/yy";
  std::string long_date_pattern = "mmmm d, yyyy";
  std::string morning_text = "am";
  std::string afternoon_text = "pm";
  std::string short_time_pattern = "h:mm AMPM";
  std::string long_time_pattern = "h:mm:ss AMPM";
  DateNames names = EnglishDateNames();
  LeadBytes lead_bytes;  // empty unless the system is DBCS-enabled
  unsigned primary_language = 9;
  unsigned sublanguage = 1;
};

// Where the snapshot comes from: GetLocaleInfoA and friends on Windows.
class LocaleSource {
 public:
  virtual ~LocaleSource() = default;
  // The locale id the items are read for.
  virtual std::uint32_t LocaleId() = 0;
  // Like GetLocaleInfoA: copies the item and its terminating zero into
  // `buffer` of `size` bytes and returns the bytes copied; 0 when the item is
  // unknown or does not fit.
  virtual int LocaleInfo(std::uint32_t item, char* buffer, int size) = 0;
  // The lead-byte ranges of the ANSI code page when the system is
  // DBCS-enabled; otherwise none.
  virtual LeadBytes AnsiLeadBytes() = 0;
};

// Locale items read by number.
namespace locale_item {
inline constexpr std::uint32_t kDateSeparator = 0x1D;   // LOCALE_SDATE
inline constexpr std::uint32_t kTimeSeparator = 0x1E;   // LOCALE_STIME
inline constexpr std::uint32_t kShortDate = 0x1F;       // LOCALE_SSHORTDATE
inline constexpr std::uint32_t kLongDate = 0x20;        // LOCALE_SLONGDATE
inline constexpr std::uint32_t kTimeFormat = 0x23;      // LOCALE_ITIME
inline constexpr std::uint32_t kHourLeadingZero = 0x25; // LOCALE_ITLZERO
inline constexpr std::uint32_t kMorning = 0x28;         // LOCALE_S1159
inline constexpr std::uint32_t kAfternoon = 0x29;       // LOCALE_S2359
inline constexpr std::uint32_t kDayName1 = 0x2A;        // LOCALE_SDAYNAME1 (Monday)
inline constexpr std::uint32_t kShortDayName1 = 0x31;   // LOCALE_SABBREVDAYNAME1 (Monday)
inline constexpr std::uint32_t kMonthName1 = 0x38;      // LOCALE_SMONTHNAME1
inline constexpr std::uint32_t kShortMonthName1 = 0x44; // LOCALE_SABBREVMONTHNAME1
inline constexpr std::uint32_t kTimeMarkerFirst = 0x1005;  // LOCALE_ITIMEMARKPOSN
inline constexpr std::uint32_t kCalendarType = 0x1009;     // LOCALE_ICALENDARTYPE
}  // namespace locale_item

inline constexpr unsigned kLangChinese = 0x04;
inline constexpr unsigned kLangJapanese = 0x11;
inline constexpr unsigned kLangKorean = 0x12;

// Reads every field, falling back item by item to the defaults above.
LocaleDateInfo ReadLocaleDateInfo(LocaleSource& source);

// Adapts a locale date pattern to the formatter: for calendars counted in
// eras (types 3, 4, 5) "gg" -> "ggg", "yyyy" -> "ee", "yy" -> "eeee",
// "y" -> "e"; otherwise the era letters are dropped for Chinese, Japanese
// and Korean, whose Gregorian patterns never show an era.
std::string TranslateEraPattern(std::string_view pattern, int calendar_type, unsigned primary_language,
                                const LeadBytes& lead);

}  // namespace zrnx
