#pragma once
// Double-byte character sets: which bytes begin a two-byte character.
//
// All text in the programs is bytes in the ANSI code page. In Shift-JIS the
// second byte of many characters is 0x5C, the backslash, so every search for
// a delimiter has to step over double-byte characters as units.

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace zrnx {

class LeadBytes {
 public:
  LeadBytes() = default;  // a single-byte code page: no lead bytes

  // Code page 932: 81-9F and E0-FC.
  static LeadBytes ShiftJis();

  void AddRange(unsigned char first, unsigned char last);
  bool IsLead(unsigned char byte) const { return bits_.test(byte); }
  bool IsLead(char byte) const { return IsLead(static_cast<unsigned char>(byte)); }
  bool Empty() const { return bits_.none(); }

  // Length in bytes of the character that starts at `pos` (1 or 2; a lead
  // byte at the very end counts as a character of one byte).
  std::size_t CharLength(std::string_view text, std::size_t pos) const {
    return (IsLead(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
  }

 private:
  std::bitset<256> bits_;
};

// The lead bytes of the system's ANSI code page. On Windows they come from
// GetCPInfo(CP_ACP); elsewhere they are Shift-JIS, the code page the
// programs are made for.
const LeadBytes& SystemLeadBytes();

// Position of the last byte of `text` that is one of `delimiters` and is a
// character of its own (never the second byte of a double-byte character),
// or npos.
std::size_t LastDelimiter(std::string_view delimiters, std::string_view text,
                          const LeadBytes& lead = SystemLeadBytes());

// A wide text as the system code page writes it, '?' for what it cannot
// hold: the form a narrow call reads back, to compare with. Off Windows,
// ASCII only.
std::string SystemCodePageBytes(std::wstring_view text);

}  // namespace zrnx
