#include "common/file_names.h"

#include <windows.h>

namespace zrnx {

bool SameFileName(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || b.empty()) return false;
  // The ordinal ignore-case comparison is the one NTFS uses for names: the
  // system's upper-case table, one character at a time.
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

const ByteUpper& SystemByteUpper() {
  static const ByteUpper table = ByteUpperTable([](unsigned char b) -> wchar_t {
    // A lead byte alone, or a byte the code page leaves undefined, is no character.
    const char byte = static_cast<char>(b);
    wchar_t c = 0;
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1) == 1 ? c : 0;
  }, [](wchar_t c) {
    // The file system's table is the system's upper case with no locale's casing rules.
    wchar_t upper = c;
    return LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &c, 1, &upper, 1, nullptr, nullptr, 0) == 1 ? upper : c;
  });
  return table;
}

}  // namespace zrnx
