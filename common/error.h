#pragma once
// Errors that end a step carry their message text (Shift-JIS bytes) and are
// shown once, by the top of each program.

#include <stdexcept>
#include <string>
#include <string_view>

namespace zrnx {

// `pattern` with its first "%s" replaced by `value` (the messages carry one
// path or name each).
inline std::string WithValue(std::string_view pattern, std::string_view value) {
  const std::size_t pos = pattern.find("%s");
  if (pos == std::string_view::npos) return std::string(pattern);
  // Appended piece by piece: an in-place replace trips GCC 12's -Wrestrict.
  std::string text;
  text.reserve(pattern.size() + value.size());
  text.append(pattern.substr(0, pos)).append(value).append(pattern.substr(pos + 2));
  return text;
}

// An error text as the error boxes show it: a "." is appended when the last
// character sorts after "." in byte order.
std::string ErrorBoxText(std::string text);

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  // Program text with a value from the system (a path, a system message) in
  // place of its "%s". The parts are kept apart as well: on a system whose
  // code page is not Shift-JIS they must be converted each from its own.
  Error(std::string_view pattern, std::string_view system_value)
      : std::runtime_error(WithValue(pattern, system_value)),
        pattern_(pattern),
        system_value_(system_value),
        has_value_(true) {}

  // The same with a path as the wide calls gave it: it may hold characters
  // that no code page does, so it stays wide up to the box. The message
  // text keeps only its ASCII characters, the rest as '?'.
  Error(std::string_view pattern, std::wstring path)
      : std::runtime_error(WithValue(pattern, AsciiOnly(path))), pattern_(pattern), path_(std::move(path)),
        has_path_(true) {}

  bool HasSystemValue() const { return has_value_; }
  bool HasPath() const { return has_path_; }
  const std::string& Pattern() const { return pattern_; }
  const std::string& SystemValue() const { return system_value_; }
  const std::wstring& Path() const { return path_; }

 private:
  static std::string AsciiOnly(std::wstring_view text) {
    std::string ascii;
    for (wchar_t c : text) ascii += (c > 0 && c < 0x80) ? static_cast<char>(c) : '?';
    return ascii;
  }

  std::string pattern_, system_value_;
  std::wstring path_;
  bool has_value_ = false;
  bool has_path_ = false;
};

}  // namespace zrnx
