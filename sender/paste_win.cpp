#include <windows.h>
#include <aclapi.h>

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

void Win32KeyboardPort::Pause(unsigned milliseconds) {
  if (answer_clipboard_)
    PumpMessagesFor(milliseconds);
  else
    Sleep(milliseconds);
}

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

namespace {

// The level is a label SID's last sub-authority.
std::optional<std::uint32_t> LevelOfLabel(PSID sid) {
  if (!sid || !IsValidSid(sid)) return std::nullopt;
  const UCHAR count = *GetSidSubAuthorityCount(sid);
  if (count == 0) return std::nullopt;
  return static_cast<std::uint32_t>(*GetSidSubAuthority(sid, count - 1u));
}

// The mandatory label on the process object itself, which carries the level
// of its token: readable where the token of another user's process is not.
std::optional<std::uint32_t> ProcessLabelLevel(DWORD process_id) {
  ScopedHandle process(OpenProcess(READ_CONTROL, FALSE, process_id));
  if (!process) return std::nullopt;
  PACL label_acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(process.Get(), SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                      &label_acl, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  std::optional<std::uint32_t> level;
  for (DWORD i = 0; label_acl && i < label_acl->AceCount && !level; ++i) {
    void* ace = nullptr;
    if (!GetAce(label_acl, i, &ace)) break;
    if (static_cast<ACE_HEADER*>(ace)->AceType != SYSTEM_MANDATORY_LABEL_ACE_TYPE) continue;
    level = LevelOfLabel(&static_cast<SYSTEM_MANDATORY_LABEL_ACE*>(ace)->SidStart);
  }
  LocalFree(descriptor);
  return level;
}

}  // namespace

std::uint64_t Win32KeyboardPort::Milliseconds() { return GetTickCount64(); }

std::optional<std::uint32_t> ProcessIntegrityLevel(HANDLE process) {
  ScopedHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.Put())) return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
  return LevelOfLabel(reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid);
}

std::optional<std::uint32_t> WindowIntegrityLevel(WindowHandle window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process_id);
  if (process_id == 0) return std::nullopt;
  // The token first; another user's token is closed to us, its process's label may not be.
  ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (process)
    if (std::optional<std::uint32_t> level = ProcessIntegrityLevel(process.Get())) return level;
  return ProcessLabelLevel(process_id);
}

}  // namespace zrnx
