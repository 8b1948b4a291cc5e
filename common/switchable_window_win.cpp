#include "common/switchable_window_win.h"

#include <string>

namespace zrnx {
namespace {

using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
constexpr DWORD kDwmCloaked = 14;  // DWMWA_CLOAKED

DwmGetWindowAttributeFn LookUpDwmAttribute() {
  // By full path from the system folder, never a copy beside the program.
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, n) + L"\\dwmapi.dll";
  // Kept loaded for the rest of the process: both programs ask again later.
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) return nullptr;
  return reinterpret_cast<DwmGetWindowAttributeFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "DwmGetWindowAttribute")));
}

}  // namespace

std::uint32_t WindowExtendedStyle(HWND window) {
  return static_cast<std::uint32_t>(GetWindowLongW(window, GWL_EXSTYLE));
}

bool IsWindowCloaked(HWND window) {
  static const DwmGetWindowAttributeFn get_attribute = LookUpDwmAttribute();
  if (!get_attribute) return false;
  DWORD cloaked = 0;
  // An error (an old system that does not know the attribute) means not cloaked.
  return SUCCEEDED(get_attribute(window, kDwmCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

}  // namespace zrnx
