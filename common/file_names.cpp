#include "common/file_names.h"

namespace zrnx {

wchar_t FileNameUpper(wchar_t c) {
  const auto u = static_cast<unsigned>(c);
  if (u < 0x80) return static_cast<wchar_t>(u >= 'a' && u <= 'z' ? u - 0x20 : u);
  // Latin-1.
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<wchar_t>(u - 0x20);
  if (u == 0xFF) return 0x178;
  // Latin Extended-A: capital and small alternate, with a shift at U+0138.
  if ((u >= 0x100 && u <= 0x12F) || (u >= 0x132 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) {
    return static_cast<wchar_t>(u & ~1u);
  }
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return static_cast<wchar_t>(u % 2 == 0 ? u - 1 : u);
  // Greek, with the accented vowels that lie apart from their capitals.
  if (u == 0x3AC) return 0x386;
  if (u >= 0x3AD && u <= 0x3AF) return static_cast<wchar_t>(u - 0x25);
  if (u == 0x3C2) return 0x3A3;  // final sigma
  if (u >= 0x3B1 && u <= 0x3CB) return static_cast<wchar_t>(u - 0x20);
  if (u == 0x3CC) return 0x38C;
  if (u == 0x3CD || u == 0x3CE) return static_cast<wchar_t>(u - 0x3F);
  // Cyrillic, and its extensions in pairs (capital first).
  if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 0x20);
  if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 0x50);
  if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F)) {
    return static_cast<wchar_t>(u & ~1u);
  }
  if (u >= 0x4C1 && u <= 0x4CE) return static_cast<wchar_t>(u % 2 == 0 ? u - 1 : u);
  if (u == 0x4CF) return 0x4C0;
  // Small Roman numerals and full-width Latin.
  if (u >= 0x2170 && u <= 0x217F) return static_cast<wchar_t>(u - 0x10);
  if (u >= 0xFF41 && u <= 0xFF5A) return static_cast<wchar_t>(u - 0x20);
  return c;
}

ByteUpper ByteUpperTable(const std::function<wchar_t(unsigned char)>& decode,
                         const std::function<wchar_t(wchar_t)>& upper_of) {
  std::array<wchar_t, 256> chars{};
  for (unsigned b = 0; b < 256; ++b) chars[b] = decode(static_cast<unsigned char>(b));
  ByteUpper table{};
  for (unsigned b = 0; b < 256; ++b) {
    table[b] = static_cast<unsigned char>(b);
    const wchar_t upper = chars[b] ? upper_of(chars[b]) : 0;
    if (upper == chars[b]) continue;
    for (unsigned c = 0; c < 256; ++c) {
      if (chars[c] == upper) {
        table[b] = static_cast<unsigned char>(c);
        break;
      }
    }
  }
  return table;
}

}  // namespace zrnx
