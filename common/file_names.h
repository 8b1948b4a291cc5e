#pragma once
// Whether two paths from the wide calls name the same file, as the file
// system decides it: each character through its upper-case table, with no
// locale and no normalisation (so "ß" is not "SS" and "é" is not "e" + accent).

#include <array>
#include <functional>
#include <string_view>

namespace zrnx {

// Empty never names a file. On Windows CompareStringOrdinal with ignore-case;
// elsewhere the same table for ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and the full-width Latin letters, enough for the native tests.
bool SameFileName(std::wstring_view a, std::wstring_view b);

// The capital the file system's table gives a character of the blocks above
// (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic with its extensions,
// small Roman numerals, full-width Latin); any other character as it is.
// Characters without a capital of their own (ß, ŉ, ΐ) stay, and so do the
// few whose table entry differs between Windows versions (ı, ſ, µ).
wchar_t FileNameUpper(wchar_t c);

// The capital of each single byte of a code page, as the file system folds
// the character the byte stands for (é to É in code page 1252).
using ByteUpper = std::array<unsigned char, 256>;

// The table of a single-byte code page from its decoding: `decode` gives the
// character a byte stands for (0 for none). A byte whose capital the code
// page cannot hold as one byte stays as it is.
// `upper` gives a character's capital (FileNameUpper unless the system's own).
ByteUpper ByteUpperTable(const std::function<wchar_t(unsigned char)>& decode,
                         const std::function<wchar_t(wchar_t)>& upper = FileNameUpper);

// The table of the system's ANSI code page, through the system's upper-case
// table without linguistic casing (Windows); elsewhere ASCII only.
const ByteUpper& SystemByteUpper();

}  // namespace zrnx
