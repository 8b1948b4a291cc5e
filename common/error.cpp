#include "common/error.h"

#include "common/dbcs.h"

namespace zrnx {

std::string ErrorBoxText(std::string text) {
  if (text.empty()) return text;
  // The first byte of the last character decides.
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += SystemLeadBytes().CharLength(text, pos)) last = pos;
  if (static_cast<unsigned char>(text[last]) > '.') text += '.';
  return text;
}

}  // namespace zrnx
