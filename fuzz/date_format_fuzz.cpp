// The date pattern formatter takes any pattern, any locale patterns and any
// valid date-time value, and never writes more than 256 bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sender/date_format.h"

namespace {

class FixedEras : public zrnx::EraSource {
 public:
  std::string text;
  std::string AltCalendarDate(int, int, int, std::string_view) override { return text; }
};

class FixedClock : public zrnx::Clock {
 public:
  zrnx::DateTimeValue now;
  zrnx::DateTimeValue Now() override { return now; }
};

// Splits off the text up to the next 0x00 byte.
std::string_view Take(std::string_view& rest) {
  const std::size_t end = rest.find('\0');
  std::string_view piece = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  FixedClock clock;
  clock.now = {1 + (data[0] | data[1] << 8) % 9999, 1 + data[2] % 12, 1 + data[3] % 31, data[4] % 24,
               data[5] % 60, data[6] % 60, 0, 1 + data[7] % 7};
  const std::uint8_t flags = size > 8 ? data[8] : 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 9, size > 9 ? size - 9 : 0);

  // Kept between runs (each field is set anew), so a run does not pay for
  // copying the English names.
  static zrnx::LocaleDateInfo locale;
  static const zrnx::LeadBytes kShiftJis = zrnx::LeadBytes::ShiftJis();
  locale.lead_bytes = (flags & 1) ? kShiftJis : zrnx::LeadBytes();
  locale.primary_language = (flags & 2) ? zrnx::kLangJapanese : (flags & 4) ? zrnx::kLangChinese : 9;
  const std::string_view pattern = Take(rest);
  locale.short_date_pattern = zrnx::TranslateEraPattern(Take(rest), 1 + flags % 5, locale.primary_language,
                                                        locale.lead_bytes);
  locale.long_time_pattern.assign(Take(rest));
  static FixedEras eras;
  eras.text.assign(Take(rest));

  const zrnx::DateFormatter formatter(locale, eras, clock);
  const std::string text = formatter.FormatNow(pattern);
  if (text.size() > zrnx::kDateTextLimit) __builtin_trap();
  if (formatter.FormatNow(pattern) != text) __builtin_trap();  // no hidden state
  return 0;
}
