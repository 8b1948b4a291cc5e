#include <windows.h>

#include <vector>

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

void Win32KeyboardPort::SendExtendedPresses(std::uint8_t key, std::uint8_t scan_code, std::size_t presses) {
  std::vector<INPUT> events(2 * presses);
  for (std::size_t i = 0; i < events.size(); ++i) {
    KEYBDINPUT& k = events[i].ki;
    events[i].type = INPUT_KEYBOARD;
    k.wVk = key;
    k.wScan = scan_code;
    k.dwFlags = KEYEVENTF_EXTENDEDKEY | (i % 2 ? KEYEVENTF_KEYUP : 0);
  }
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

bool Win32KeyboardPort::SendPasteMessage(WindowHandle window) {
  DWORD_PTR result = 0;
  // A target that stops answering must not hold the sender.
  return SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_PASTE, 0, 0, SMTO_ABORTIFHUNG,
                             kPasteMessageTimeout, &result) != 0;
}

std::optional<std::uint32_t> ProcessIntegrityLevel(HANDLE process) {
  ScopedHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.Put())) return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
  PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  if (!sid || !IsValidSid(sid)) return std::nullopt;
  const UCHAR count = *GetSidSubAuthorityCount(sid);
  if (count == 0) return std::nullopt;
  // The level is the label's last sub-authority.
  return static_cast<std::uint32_t>(*GetSidSubAuthority(sid, count - 1u));
}

std::optional<std::uint32_t> WindowIntegrityLevel(WindowHandle window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process_id);
  if (process_id == 0) return std::nullopt;
  ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return std::nullopt;
  return ProcessIntegrityLevel(process.Get());
}

}  // namespace zrnx
