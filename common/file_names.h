#pragma once
// Whether two paths from the wide calls name the same file, as the file
// system decides it: each character through its upper-case table, with no
// locale and no normalisation (so "ß" is not "SS" and "é" is not "e" + accent).

#include <string_view>

namespace zrnx {

// Empty never names a file. On Windows CompareStringOrdinal with ignore-case;
// elsewhere the same table for ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and the full-width Latin letters, enough for the native tests.
bool SameFileName(std::wstring_view a, std::wstring_view b);

}  // namespace zrnx
