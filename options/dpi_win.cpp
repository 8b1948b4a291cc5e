#include "options/dpi_win.h"

namespace zrnx {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn User32Call(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto get_dpi = User32Call<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi) {
    if (const UINT dpi = get_dpi(window); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD ex_style, int dpi) {
  static const auto adjust = User32Call<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (adjust && adjust(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

}  // namespace zrnx
