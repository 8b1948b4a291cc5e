// The wide splitter takes any UTF-16 units, lone surrogates included, and
// splits a line of units below 0x80 exactly as the code-page splitter does.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sender/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring line;
  for (std::size_t i = 0; i + 1 < size; i += 2) line += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  const auto args = zrnx::SplitCommandLine(std::wstring_view(line));
  std::size_t units = 0;
  for (const auto& arg : args) {
    if (arg.empty()) __builtin_trap();  // counting stops at the first empty token
    units += arg.size();
  }
  if (units > line.size()) __builtin_trap();  // quotes are dropped, nothing is added
  zrnx::ParseInvocation(args);

  // The same line in bytes, where every unit fits one.
  std::string bytes;
  for (wchar_t c : line) {
    if (c >= 0x80) return 0;
    bytes += static_cast<char>(c);
  }
  const auto narrow = zrnx::SplitCommandLine(std::string_view(bytes));
  if (narrow.size() != args.size()) __builtin_trap();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (std::wstring(narrow[i].begin(), narrow[i].end()) != args[i]) __builtin_trap();
  }
  return 0;
}
