#include "common/ole_error.h"

#include <cstdio>

namespace zrnx {

std::string OleErrorText(std::uint32_t status, std::string_view system_text) {
  while (!system_text.empty() && (system_text.back() == '\r' || system_text.back() == '\n' || system_text.back() == ' '))
    system_text.remove_suffix(1);
  if (!system_text.empty()) return std::string(system_text);
  char text[32];
  std::snprintf(text, sizeof text, "OLE ｴﾗｰ %.8x", static_cast<unsigned>(status));
  return text;
}

}  // namespace zrnx
