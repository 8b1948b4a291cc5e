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
  std::string text(pattern);
  if (auto pos = text.find("%s"); pos != std::string::npos) text.replace(pos, 2, value);
  return text;
}

}  // namespace zrnx
