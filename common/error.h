#pragma once
// Errors that end a step carry their message text (Shift-JIS bytes) and are
// shown once, by the top of each program.

#include <stdexcept>
#include <string>
#include <string_view>

namespace zrnx {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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

}  // namespace zrnx
