#pragma once
// The boundary between bytes and the wide-character calls: the program's own
// texts are Shift-JIS constants, converted from code page 932 whatever the
// system's code page; data (settings values, paths, window titles) is in the
// system code page and converted with it.

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>
#include <string_view>

namespace zrnx {

inline constexpr UINT kProgramCodePage = 932;

std::wstring Widen(std::string_view bytes, UINT code_page);
std::string Narrow(std::wstring_view text, UINT code_page);

// A program text (Shift-JIS) as UTF-16.
inline std::wstring OwnText(std::string_view text) { return Widen(text, kProgramCodePage); }
// A program text with a value from the system (a path, a system message) in
// place of its first "%s", each part converted from its own code page.
std::wstring OwnTextWithValue(std::string_view pattern, std::string_view system_value);
// Data in the system code page as UTF-16, and back.
inline std::wstring DataText(std::string_view text) { return Widen(text, CP_ACP); }
inline std::string DataBytes(std::wstring_view text) { return Narrow(text, CP_ACP); }

// Whether the system code page holds the text as it is: it comes back the
// same from the code page, with no '?' and no look-alike in place of a
// character, and no lone surrogate.
bool FitsCodePage(std::wstring_view text);

// A folder the shell gave (an ID list) as code-page bytes, for the places
// that keep it in the code page (the settings file, the link component):
// its own name when the code page holds it, else its short (8.3) name when
// that exists and fits; nullopt when neither does, rather than a name with
// '?' that points nowhere.
std::optional<std::string> CodePageFolder(const ITEMIDLIST* folder);
// The same rule for a path the user picked.
std::optional<std::string> CodePagePath(const std::wstring& path);

// The running program's own file, through the wide call, so that a folder
// outside the code page is found as it is; no length limit.
std::wstring ThisModulePath();

}  // namespace zrnx
