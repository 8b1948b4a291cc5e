#include <windows.h>

#include "sender/desktop_win.h"

namespace zrnx {

WindowHandle ActivateTargetWindow(WindowHandle target) {
  HWND window = reinterpret_cast<HWND>(target);
  const DWORD target_thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  // Attached to the target's input, we may bring it forward and see its focus control.
  AttachThreadInput(own_thread, target_thread, TRUE);
  SetForegroundWindow(window);
  HWND focus = GetFocus();
  AttachThreadInput(own_thread, target_thread, FALSE);
  SetForegroundWindow(window);
  return reinterpret_cast<WindowHandle>(focus);
}

bool Win32KeyboardPort::IsKeyDown(std::uint8_t key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

void Win32KeyboardPort::Pause(unsigned milliseconds) { Sleep(milliseconds); }

std::uint8_t Win32KeyboardPort::ScanCode(std::uint8_t key) {
  return static_cast<std::uint8_t>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
}

void Win32KeyboardPort::SendKey(std::uint8_t key, std::uint8_t scan_code, bool release) {
  keybd_event(key, scan_code, release ? KEYEVENTF_KEYUP : 0, 0);
}

void Win32KeyboardPort::SendPasteMessage(WindowHandle window) {
  SendMessageA(reinterpret_cast<HWND>(window), WM_PASTE, 0, 0);
}

}  // namespace zrnx
