#include "wine/ini_bytes.h"

namespace zrnx::test {

namespace {

// Trims blanks at both ends.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Sections and keys are ASCII.
bool SameNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

// Calls `line(section, text)` for each line of an INI file.
template <typename F>
void EachIniLine(std::string_view bytes, F line) {
  std::string_view section;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view text = Trim(bytes.substr(0, end));
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
      section = Trim(text.substr(1, text.size() - 2));
      if (line(section, std::string_view())) return;
      continue;
    }
    if (line(section, text)) return;
  }
}

}  // namespace

std::optional<std::string> IniValue(std::string_view bytes, std::string_view section, std::string_view key) {
  std::optional<std::string> value;
  EachIniLine(bytes, [&](std::string_view in, std::string_view line) {
    if (line.empty() || !SameNoCase(in, section)) return false;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || !SameNoCase(Trim(line.substr(0, eq)), key)) return false;
    value = std::string(Trim(line.substr(eq + 1)));
    return true;
  });
  return value;
}

bool IniHasSection(std::string_view bytes, std::string_view section) {
  bool found = false;
  EachIniLine(bytes, [&](std::string_view in, std::string_view line) {
    found = line.empty() && SameNoCase(in, section);
    return found;
  });
  return found;
}

}  // namespace zrnx::test
