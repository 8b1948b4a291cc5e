#include "common/dbcs.h"

namespace zrnx {

LeadBytes LeadBytes::ShiftJis() {
  LeadBytes lead;
  lead.AddRange(0x81, 0x9F);
  lead.AddRange(0xE0, 0xFC);
  return lead;
}

void LeadBytes::AddRange(unsigned char first, unsigned char last) {
  for (unsigned b = first; b <= last; ++b) bits_.set(b);
}

std::size_t LastDelimiter(std::string_view delimiters, std::string_view text, const LeadBytes& lead) {
  // Walk forward: only a forward walk knows which bytes are second bytes.
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += lead.CharLength(text, pos)) {
    if (!lead.IsLead(text[pos]) && delimiters.find(text[pos]) != std::string_view::npos) found = pos;
  }
  return found;
}

}  // namespace zrnx
