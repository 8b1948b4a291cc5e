#include <cstdint>

#include "common/settings_file.h"

namespace zrnx {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  std::string_view rest = text;
  bool hex = false;
  // "0x" counts as '$' only at the very start of the text.
  if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    rest.remove_prefix(2);
    hex = true;
  }
  if (!hex) {
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == '$') {
      rest.remove_prefix(1);
      hex = true;
    }
  }

  if (hex) {
    if (rest.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : rest) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFull) return std::nullopt;  // more than eight significant digits
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }

  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (rest.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace zrnx
