#pragma once
// File names as the file system compares them: each character upper-cased
// one for one (the volume's case table), so "a.zrx" and "A.ZRX", or a
// full-width "ａ" and "Ａ", name the same file. Used wherever two names or
// paths must be told apart or matched.

#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace zrnx {

// Bytes in the code page: ASCII letters, and in Shift-JIS the full-width
// Latin, Greek, Cyrillic and Roman-numeral small letters, become capitals.
// Every other character is kept, double-byte characters as units.
std::string FoldName(std::string_view text, const LeadBytes& lead = SystemLeadBytes());

// The same for wide text: the letter blocks above plus Latin-1.
std::wstring FoldName(std::wstring_view text);

// Whether two paths name the same file by name (no file system asked).
bool SameName(std::string_view a, std::string_view b, const LeadBytes& lead = SystemLeadBytes());
bool SameName(std::wstring_view a, std::wstring_view b);

}  // namespace zrnx
