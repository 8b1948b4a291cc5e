// Placeholder expansion on any text and any values ends, and ReplaceAll gives
// the result of the restart-from-the-start algorithm wherever that one ends.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sender/placeholders.h"

namespace {

std::optional<std::string> NaiveReplaceAll(std::string_view search, std::string_view replacement, std::string text) {
  for (int steps = 0;; ++steps) {
    const std::size_t at = text.find(search);
    if (at == std::string::npos) return text;
    if (steps == 200) return std::nullopt;
    text.replace(at, search.size(), replacement);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // Byte 0 picks a token as the search text; the rest is the text and the
  // ten values, separated by 0x00.
  static const char* const before[] = {"%d", "%%d", "%__d"};
  static const char* const after[] = {"%", "%%", "__%"};
  const int form = data[0] % 3;
  const std::string search = before[form] + std::to_string(data[0] / 3 % 10) + after[form];

  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::array<std::string, 11> parts;
  for (std::size_t i = 0; i < parts.size() && !rest.empty(); ++i) {
    const std::size_t end = rest.find('\0');
    parts[i] = std::string(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  std::array<std::string, 10> values;
  for (std::size_t n = 0; n < 10; ++n) values[n] = parts[n + 1].substr(0, 256);

  zrnx::ExpandWithValues(parts[0], values);

  const std::string result = zrnx::ReplaceAll(search, values[0], parts[0]);
  if (const auto naive = NaiveReplaceAll(search, values[0], parts[0]); naive && *naive != result) __builtin_trap();
  return 0;
}
