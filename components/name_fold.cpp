#include "components/name_fold.h"

namespace zrnx {
namespace {

// Code page 932 is told from the other double-byte code pages by its
// single-byte katakana (A1-DF), which are lead bytes everywhere else.
bool IsShiftJis(const LeadBytes& lead) { return lead.IsLead('\x82') && lead.IsLead('\x84') && !lead.IsLead('\xA1'); }

// The capital of a Shift-JIS small letter (lead, trail), or 0.
unsigned UpperShiftJis(unsigned char lead, unsigned char trail) {
  switch (lead) {
    case 0x82:  // ａ-ｚ 8281-829A, Ａ-Ｚ 8260-8279
      if (trail >= 0x81 && trail <= 0x9A) return 0x8200 | (trail - 0x21);
      break;
    case 0x83:  // α-ω 83BF-83D6, Α-Ω 839F-83B6
      if (trail >= 0xBF && trail <= 0xD6) return 0x8300 | (trail - 0x20);
      break;
    case 0x84:  // а-н 8470-847E, о-я 8480-8491 (7F unused); А-Я 8440-8460
      if (trail >= 0x70 && trail <= 0x7E) return 0x8400 | (trail - 0x30);
      if (trail >= 0x80 && trail <= 0x91) return 0x8400 | (trail - 0x31);
      break;
    case 0xFA:  // ⅰ-ⅹ FA40-FA49, and the IBM Ⅰ-Ⅹ FA4A-FA53: all the NEC Ⅰ-Ⅹ 8754-875D,
                // the one character the code page has two codes for
      if (trail >= 0x40 && trail <= 0x49) return 0x8754 + (trail - 0x40);
      if (trail >= 0x4A && trail <= 0x53) return 0x8754 + (trail - 0x4A);
      break;
    case 0xEE:  // the NEC-selected ⅰ-ⅹ EEEF-EEF8
      if (trail >= 0xEF && trail <= 0xF8) return 0x8754 + (trail - 0xEF);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

std::string FoldName(std::string_view text, const LeadBytes& lead, const ByteUpper& upper) {
  const bool shift_jis = IsShiftJis(lead);
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = lead.CharLength(text, pos);
    const auto first = static_cast<unsigned char>(text[pos]);
    if (length == 1) {
      folded += static_cast<char>(upper[first]);
    } else if (const unsigned upper = shift_jis ? UpperShiftJis(first, static_cast<unsigned char>(text[pos + 1])) : 0) {
      folded += static_cast<char>(upper >> 8);
      folded += static_cast<char>(upper & 0xFF);
    } else {
      folded.append(text, pos, length);
    }
    pos += length;
  }
  return folded;
}

std::wstring FoldName(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = FileNameUpper(c);
  return folded;
}

bool SameName(std::string_view a, std::string_view b, const LeadBytes& lead, const ByteUpper& upper) {
  return a.size() == b.size() && FoldName(a, lead, upper) == FoldName(b, lead, upper);
}

bool SameName(std::wstring_view a, std::wstring_view b) { return a.size() == b.size() && FoldName(a) == FoldName(b); }

}  // namespace zrnx
