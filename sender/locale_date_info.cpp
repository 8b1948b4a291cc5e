#include "sender/locale_date_info.h"

#include <algorithm>

#include "common/settings_file.h"

namespace zrnx {

const DateNames& EnglishDateNames() {
  static const DateNames names{
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
       "November", "December"},
      {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}};
  return names;
}

namespace {

bool IsAsciiLetter(char c, char upper) { return c == upper || c == upper + ('a' - 'A'); }

class Reader {
 public:
  explicit Reader(LocaleSource& source) : source_(source) {}

  // A text item: 256 bytes with the terminating zero.
  std::string Text(std::uint32_t item, std::string_view fallback) {
    char buffer[256];
    const int n = source_.LocaleInfo(item, buffer, sizeof buffer);
    if (n <= 0) return std::string(fallback);
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(n) - 1, sizeof buffer));
  }

  // A one-byte item: read into two bytes, so a longer text fails and gives
  // the default.
  char Byte(std::uint32_t item, char fallback) {
    char buffer[2];
    return source_.LocaleInfo(item, buffer, sizeof buffer) <= 0 ? fallback : buffer[0];
  }

  int Integer(std::uint32_t item, int fallback) {
    return ParseProfileInteger(Text(item, std::to_string(fallback))).value_or(fallback);
  }

  // A name that comes back empty keeps its English default.
  void Name(std::uint32_t item, std::string& name) {
    std::string text = Text(item, name);
    if (!text.empty()) name = std::move(text);
  }

 private:
  LocaleSource& source_;
};

}  // namespace

std::string TranslateEraPattern(std::string_view pattern, int calendar_type, unsigned primary_language,
                                const LeadBytes& lead) {
  std::string out;
  out.reserve(pattern.size() * 2);
  if (calendar_type >= 3 && calendar_type <= 5) {
    std::size_t i = 0;
    auto run_of = [&](char upper, std::size_t n) {
      if (i + n > pattern.size()) return false;
      for (std::size_t k = 0; k < n; ++k)
        if (!IsAsciiLetter(pattern[i + k], upper)) return false;
      return true;
    };
    while (i < pattern.size()) {
      if (lead.IsLead(pattern[i])) {
        const std::size_t n = lead.CharLength(pattern, i);
        out.append(pattern.substr(i, n));
        i += n;
      } else if (run_of('G', 2)) {
        out += "ggg";
        i += 2;
      } else if (run_of('Y', 4)) {
        out += "ee";
        i += 4;
      } else if (run_of('Y', 2)) {
        out += "eeee";
        i += 2;
      } else if (run_of('Y', 1)) {
        out += 'e';
        i += 1;
      } else {
        out += pattern[i++];
      }
    }
  } else if (primary_language == kLangChinese || primary_language == kLangJapanese ||
             primary_language == kLangKorean) {
    // Byte by byte: a trail byte equal to "g" goes as well, as it always has.
    for (char c : pattern)
      if (!IsAsciiLetter(c, 'G')) out += c;
  } else {
    out = pattern;
  }
  return out;
}

LocaleDateInfo ReadLocaleDateInfo(LocaleSource& source) {
  namespace item = locale_item;
  LocaleDateInfo info;
  Reader read(source);

  const std::uint32_t id = source.LocaleId();
  if ((id & 0xFFFF) != 0) {
    info.primary_language = id & 0x3FF;
    info.sublanguage = (id >> 10) & 0x3F;
  }
  info.lead_bytes = source.AnsiLeadBytes();

  info.date_separator = read.Byte(item::kDateSeparator, info.date_separator);
  info.time_separator = read.Byte(item::kTimeSeparator, info.time_separator);

  const int calendar_type = read.Integer(item::kCalendarType, 1);
  info.short_date_pattern = TranslateEraPattern(read.Text(item::kShortDate, info.short_date_pattern), calendar_type,
                                                info.primary_language, info.lead_bytes);
  info.long_date_pattern = TranslateEraPattern(read.Text(item::kLongDate, info.long_date_pattern), calendar_type,
                                               info.primary_language, info.lead_bytes);

  info.morning_text = read.Text(item::kMorning, info.morning_text);
  info.afternoon_text = read.Text(item::kAfternoon, info.afternoon_text);

  const std::string hour = read.Integer(item::kHourLeadingZero, 0) != 0 ? "hh" : "h";
  std::string prefix, suffix;
  if (read.Integer(item::kTimeFormat, 0) == 0) {
    if (read.Integer(item::kTimeMarkerFirst, 0) != 0)
      prefix = "AMPM ";
    else
      suffix = " AMPM";
  }
  info.short_time_pattern = prefix + hour + ":mm" + suffix;
  info.long_time_pattern = prefix + hour + ":mm:ss" + suffix;

  for (std::uint32_t m = 0; m < 12; ++m) {
    read.Name(item::kShortMonthName1 + m, info.names.short_months[m]);
    read.Name(item::kMonthName1 + m, info.names.long_months[m]);
  }
  // The locale counts days from Monday; Sunday is its seventh.
  for (std::uint32_t d = 0; d < 7; ++d) {
    const std::uint32_t from_monday = (d + 6) % 7;
    read.Name(item::kShortDayName1 + from_monday, info.names.short_days[d]);
    read.Name(item::kDayName1 + from_monday, info.names.long_days[d]);
  }
  return info;
}

}  // namespace zrnx
