#pragma once
// The error box every catch site of the Win32 layer shows: the program's
// text converted from its own code page, a path or system message inside it
// from the system's.

#include <exception>
#include <string_view>

namespace zrnx {

// MessageBox with no owner, MB_ICONERROR, the text as ErrorBoxText gives it.
void ShowErrorBox(const std::exception& error, std::string_view caption);

}  // namespace zrnx
