#include "common/dbcs.h"

namespace zrnx {

const LeadBytes& SystemLeadBytes() {
  static const LeadBytes lead = LeadBytes::ShiftJis();
  return lead;
}

std::string SystemCodePageBytes(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

}  // namespace zrnx
