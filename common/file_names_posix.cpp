#include "common/file_names.h"

namespace zrnx {

bool SameFileName(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FileNameUpper(a[i]) != FileNameUpper(b[i])) return false;
  }
  return true;
}

const ByteUpper& SystemByteUpper() {
  static const ByteUpper table = ByteUpperTable([](unsigned char b) { return static_cast<wchar_t>(b < 0x80 ? b : 0); });
  return table;
}

}  // namespace zrnx
