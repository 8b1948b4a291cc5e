// The command line splitter and the choice of mode take any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sender/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  auto args = zrnx::SplitCommandLine(line);
  for (const auto& arg : args) {
    if (arg.empty()) __builtin_trap();  // counting stops at the first empty token
  }
  zrnx::ParseInvocation(args);
  return 0;
}
