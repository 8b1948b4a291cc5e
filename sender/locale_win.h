#pragma once
// The locale, era and clock sources of the date patterns on Windows.

#include <cstdint>

#include "sender/date_format.h"
#include "sender/locale_date_info.h"

namespace zrnx {

// GetLocaleInfoA for the thread's locale at the time of construction.
class Win32LocaleSource final : public LocaleSource {
 public:
  Win32LocaleSource();
  std::uint32_t LocaleId() override { return locale_; }
  int LocaleInfo(std::uint32_t item, char* buffer, int size) override;
  LeadBytes AnsiLeadBytes() override;

 private:
  std::uint32_t locale_;
};

// GetDateFormatA with the alternate calendar of the thread's current locale.
class Win32EraSource final : public EraSource {
 public:
  std::string AltCalendarDate(int year, int month, int day, std::string_view format) override;
};

// GetLocalTime.
class Win32Clock final : public Clock {
 public:
  DateTimeValue Now() override;
};

}  // namespace zrnx
