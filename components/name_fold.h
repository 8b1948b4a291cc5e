#pragma once
// File names as the file system compares them: each character upper-cased
// one for one (the volume's case table), so "a.zrx" and "A.ZRX", or a
// full-width "ａ" and "Ａ", name the same file. Used wherever two names or
// paths must be told apart or matched.

#include <string>
#include <string_view>

#include "common/dbcs.h"
#include "common/file_names.h"

namespace zrnx {

// Bytes in the code page: single bytes through `upper` (ASCII letters, and
// the accented letters of a Western code page), and in Shift-JIS the
// full-width Latin, Greek, Cyrillic and Roman-numeral small letters, become
// capitals. Every other character is kept, double-byte characters as units.
std::string FoldName(std::string_view text, const LeadBytes& lead = SystemLeadBytes(),
                     const ByteUpper& upper = SystemByteUpper());

// The same for wide text, through FileNameUpper.
std::wstring FoldName(std::wstring_view text);

// Whether two paths name the same file by name (no file system asked).
bool SameName(std::string_view a, std::string_view b, const LeadBytes& lead = SystemLeadBytes(),
              const ByteUpper& upper = SystemByteUpper());
bool SameName(std::wstring_view a, std::wstring_view b);

}  // namespace zrnx
