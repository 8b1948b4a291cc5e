#pragma once
// The per-monitor DPI calls of Windows 10 1607 and later, loaded at run time:
// on older systems (and where a call is missing) the system DPI stands in.

#include <windows.h>

namespace zrnx {

// The DPI of the monitor the window is on.
int WindowDpi(HWND window);

// AdjustWindowRectEx for `dpi` (the frame of that DPI's metrics).
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD ex_style, int dpi);

}  // namespace zrnx
