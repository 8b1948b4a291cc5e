#include <windows.h>

#include "sender/locale_win.h"

namespace zrnx {

Win32LocaleSource::Win32LocaleSource() : locale_(GetThreadLocale()) {}

int Win32LocaleSource::LocaleInfo(std::uint32_t item, char* buffer, int size) {
  return GetLocaleInfoA(locale_, item, buffer, size);
}

LeadBytes Win32LocaleSource::AnsiLeadBytes() {
  LeadBytes lead;
  CPINFO info{};
  if (GetSystemMetrics(SM_DBCSENABLED) == 0 || !GetCPInfo(CP_ACP, &info)) return lead;
  // Pairs of (first, last), ended by a pair of zeros.
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
    lead.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
  return lead;
}

std::string Win32EraSource::AltCalendarDate(int year, int month, int day, std::string_view format) {
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  char buffer[256];
  const std::string picture(format);
  if (GetDateFormatA(GetThreadLocale(), DATE_USE_ALT_CALENDAR, &date, picture.c_str(), buffer, sizeof buffer) == 0)
    return {};
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

DateTimeValue Win32Clock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
          now.wDayOfWeek + 1};
}

}  // namespace zrnx
