#pragma once
// The error box every catch site of the Win32 layer shows: the program's
// text converted from its own code page, a path or system message inside it
// from the system's.

#include <windows.h>

#include <exception>
#include <string_view>

namespace zrnx {

// MessageBox with MB_ICONERROR, the text as ErrorBoxText gives it. An
// `owner` is disabled while the box is up, so nothing else of it can be
// clicked meanwhile.
void ShowErrorBox(const std::exception& error, std::string_view caption, HWND owner = nullptr);

}  // namespace zrnx
