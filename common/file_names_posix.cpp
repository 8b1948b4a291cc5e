#include "common/file_names.h"

namespace zrnx {
namespace {

// The simple upper case of the blocks the tests use; the rest unchanged.
wchar_t Upper(wchar_t c) {
  const auto u = static_cast<unsigned>(c);
  if (u >= 'a' && u <= 'z') return static_cast<wchar_t>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<wchar_t>(u - 0x20);
  if (u == 0xFF) return 0x178;
  // Latin Extended-A: capital and small alternate, with a shift at U+0138.
  if ((u >= 0x100 && u <= 0x12F) || (u >= 0x132 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) {
    return static_cast<wchar_t>(u & ~1u);
  }
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return static_cast<wchar_t>(u % 2 == 0 ? u - 1 : u);
  if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) return static_cast<wchar_t>(u - 0x20);
  if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 0x20);
  if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 0x50);
  if (u >= 0xFF41 && u <= 0xFF5A) return static_cast<wchar_t>(u - 0x20);
  return c;
}

}  // namespace

bool SameFileName(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

}  // namespace zrnx
