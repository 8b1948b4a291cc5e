#include "sender/date_format.h"

#include <algorithm>
#include <cstring>

namespace zrnx {
namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsNoCase(std::string_view text, std::string_view form) {
  if (text.size() < form.size()) return false;
  for (std::size_t i = 0; i < form.size(); ++i)
    if (UpperAscii(text[i]) != form[i]) return false;
  return true;
}

bool IsQuote(char c) { return c == '\'' || c == '"'; }

template <std::size_t N>
std::string_view Pick(const std::array<std::string, N>& names, int one_based) {
  if (one_based < 1 || one_based > static_cast<int>(N)) return {};
  return names[static_cast<std::size_t>(one_based - 1)];
}

// Formats one pattern into a fixed buffer; bytes beyond the limit are
// dropped, even mid-character, so a value never outgrows its slot.
class PatternWriter {
 public:
  PatternWriter(const LocaleDateInfo& locale, EraSource& eras, const DateTimeValue& value, const DateNames& names)
      : locale_(locale), lead_(locale.lead_bytes), eras_(eras), value_(value), names_(names) {}

  void Level(std::string_view pattern);
  std::string Text() const { return std::string(buffer_, size_); }

 private:
  void Append(std::string_view bytes) {
    const std::size_t n = std::min(bytes.size(), kDateTextLimit - size_);
    std::memcpy(buffer_ + size_, bytes.data(), n);
    size_ += n;
  }
  void Append(char c) { Append(std::string_view(&c, 1)); }
  void Number(int value, int digits);
  bool TwelveHourAhead(std::string_view pattern, std::size_t from) const;
  std::size_t AElement(std::string_view pattern, std::size_t at, bool& twelve_hour);
  void Era(std::size_t count);
  void EraYear(std::size_t count);

  const LocaleDateInfo& locale_;
  const LeadBytes& lead_;
  EraSource& eras_;
  const DateTimeValue& value_;
  const DateNames& names_;
  int nesting_ = 0;
  char buffer_[kDateTextLimit];
  std::size_t size_ = 0;
};

void PatternWriter::Number(int value, int digits) {
  char text[16];
  int n = 0;
  unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
  do {
    text[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n < digits) text[n++] = '0';
  std::reverse(text, text + n);
  Append(std::string_view(text, static_cast<std::size_t>(n)));
}

// Whether an "AM/PM", "A/P" or "AMPM" follows before the next h; an "a"
// in quotes does not count, an "h" in quotes ends the search.
bool PatternWriter::TwelveHourAhead(std::string_view p, std::size_t from) const {
  bool quoted = false;
  for (std::size_t j = from; j < p.size();) {
    const char c = p[j];
    if (lead_.IsLead(c)) {
      if (j + 1 >= p.size()) return false;
      j += 2;
      continue;
    }
    if (c == 'h' || c == 'H') return false;
    if (IsQuote(c)) {
      quoted = !quoted;
    } else if ((c == 'a' || c == 'A') && !quoted) {
      const std::string_view rest = p.substr(j);
      return StartsNoCase(rest, "AM/PM") || StartsNoCase(rest, "A/P") || StartsNoCase(rest, "AMPM");
    }
    ++j;
  }
  return false;
}

// The element at `at` (an "a" or "A"); returns the position after it.
std::size_t PatternWriter::AElement(std::string_view p, std::size_t at, bool& twelve_hour) {
  const std::string_view rest = p.substr(at);
  const bool morning = value_.hour < 12;
  if (StartsNoCase(rest, "AM/PM")) {
    Append(morning ? rest.substr(0, 2) : rest.substr(3, 2));
    twelve_hour = true;
    return at + 5;
  }
  if (StartsNoCase(rest, "A/P")) {
    Append(morning ? rest[0] : rest[2]);
    twelve_hour = true;
    return at + 3;
  }
  if (StartsNoCase(rest, "AMPM")) {
    Append(morning ? locale_.morning_text : locale_.afternoon_text);
    twelve_hour = true;
    return at + 4;
  }
  if (StartsNoCase(rest, "AAAA")) {
    Append(Pick(names_.long_days, value_.day_of_week));
    return at + 4;
  }
  if (StartsNoCase(rest, "AAA")) {
    Append(Pick(names_.short_days, value_.day_of_week));
    return at + 3;
  }
  Append(rest[0]);
  return at + 1;
}

void PatternWriter::Era(std::size_t count) {
  std::string name = eras_.AltCalendarDate(value_.year, value_.month, value_.day, "gg");
  if (count == 1 && !name.empty()) {
    if (locale_.primary_language == kLangJapanese) {
      name.resize(lead_.CharLength(name, 0));
    } else if (locale_.primary_language == kLangChinese && locale_.sublanguage == 1) {
      // Four characters, such as the full name of the Taiwanese era: its last two.
      std::size_t starts[5], chars = 0;
      for (std::size_t i = 0; i < name.size() && chars < 5; i += lead_.CharLength(name, i)) starts[chars++] = i;
      if (chars == 4) name.erase(0, starts[2]);
    }
  }
  Append(name);
}

void PatternWriter::EraYear(std::size_t count) {
  std::string year = eras_.AltCalendarDate(value_.year, value_.month, value_.day, count <= 2 ? "yy" : "yyyy");
  if (count == 1 && !year.empty() && year[0] == '0') year.erase(0, 1);
  Append(year);
}

void PatternWriter::Level(std::string_view p) {
  if (nesting_ == 2) return;
  ++nesting_;
  bool twelve_hour = false;
  char last = ' ';
  const DateTimeValue& v = value_;

  std::size_t i = 0;
  // Nothing more can be written once the value is full: a long pattern, or
  // one that nests a long locale pattern many times, is not walked further.
  while (i < p.size() && size_ < kDateTextLimit) {
    const char b = p[i++];
    if (lead_.IsLead(b)) {
      // Unquoted double-byte characters are dropped.
      if (i >= p.size()) break;
      ++i;
      last = ' ';
      continue;
    }
    char token = UpperAscii(b);
    if (token >= 'A' && token <= 'Z') {
      if (token == 'M' && last == 'H') token = 'N';
      last = token;
    }
    std::size_t count = 1;
    if (std::strchr("CDEGHMNSTY", token) != nullptr && token != '\0') {
      while (i < p.size() && p[i] == b) {
        ++i;
        ++count;
      }
    }

    switch (token) {
      case 'Y':
        if (count <= 2)
          Number(v.year % 100, 2);
        else
          Number(v.year, 4);
        break;
      case 'G':
        Era(count);
        break;
      case 'E':
        EraYear(count);
        break;
      case 'M':
        if (count <= 2)
          Number(v.month, static_cast<int>(count));
        else
          Append(Pick(count == 3 ? names_.short_months : names_.long_months, v.month));
        break;
      case 'N':
        Number(v.minute, count == 1 ? 1 : 2);
        break;
      case 'D':
        if (count <= 2)
          Number(v.day, static_cast<int>(count));
        else if (count == 3)
          Append(Pick(names_.short_days, v.day_of_week));
        else if (count == 4)
          Append(Pick(names_.long_days, v.day_of_week));
        else
          Level(count == 5 ? locale_.short_date_pattern : locale_.long_date_pattern);
        break;
      case 'H': {
        if (TwelveHourAhead(p, i)) twelve_hour = true;
        int hour = v.hour;
        if (twelve_hour) {
          if (hour == 0)
            hour = 12;
          else if (hour > 12)
            hour -= 12;
        }
        Number(hour, count == 1 ? 1 : 2);
        break;
      }
      case 'S':
        Number(v.second, count == 1 ? 1 : 2);
        break;
      case 'T':
        Level(count == 1 ? locale_.short_time_pattern : locale_.long_time_pattern);
        break;
      case 'C':
        Level(locale_.short_date_pattern);
        if (v.hour != 0 || v.minute != 0 || v.second != 0) {
          Append(' ');
          Level(locale_.long_time_pattern);
        }
        break;
      case 'A':
        i = AElement(p, i - 1, twelve_hour);
        break;
      case '/':
        Append(locale_.date_separator);
        break;
      case ':':
        Append(locale_.time_separator);
        break;
      case '\'':
      case '"': {
        // No doubling escape: the next equal quote ends the literal.
        const std::size_t start = i;
        while (i < p.size() && p[i] != b) i += lead_.CharLength(p, i);
        Append(p.substr(start, i - start));
        if (i < p.size()) ++i;
        break;
      }
      default:
        Append(b);
        break;
    }
  }
  --nesting_;
}

}  // namespace

std::string DateFormatter::FormatDatePattern(std::string_view pattern, const DateTimeValue& value,
                                             const DateNames& names) const {
  PatternWriter writer(locale_, eras_, value, names);
  writer.Level(pattern.empty() ? std::string_view("C") : pattern);
  return writer.Text();
}

std::string DateFormatter::FormatNow(std::string_view pattern) const {
  const DateTimeValue now = clock_.Now();
  const bool english =
      pattern.find("ddd") != std::string_view::npos || pattern.find("mmm") != std::string_view::npos;
  return FormatDatePattern(pattern, now, english ? EnglishDateNames() : locale_.names);
}

}  // namespace zrnx
