// The integer rule of the settings file on any text: decimal results must
// print back to the digits they came from.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<std::int32_t> value = zrnx::ParseProfileInteger(text);
  if (!value) return 0;
  std::string_view digits = text.substr(text.find_first_not_of(' '));
  if (digits.starts_with('$') || digits.starts_with("0x") || digits.starts_with("0X")) return 0;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  bool negative = digits.starts_with('-');
  if (negative) digits.remove_prefix(1);
  digits = digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
  std::string printed = std::to_string(*value);
  if (printed == "0" ? digits != "0" : printed != (negative ? "-" : "") + std::string(digits)) __builtin_trap();
  return 0;
}
