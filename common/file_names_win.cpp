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

}  // namespace zrnx
