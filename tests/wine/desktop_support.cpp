#include "wine/desktop_support.h"

#include <cstdio>
#include <stdexcept>

namespace zrnx::test {

TestWindow::TestWindow(const std::string& class_name, const std::string& title, bool visible, DWORD ex_style) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = class_name.c_str();
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);  // a second registration of the same class fails harmlessly
  window_ = CreateWindowExA(ex_style, class_name.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                            100, 100, 300, 200, nullptr, nullptr, wc.hInstance, this);
  if (!window_) throw std::runtime_error("cannot create window " + class_name);
  PumpMessages(50);
}

TestWindow::~TestWindow() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

bool TestWindow::ComeForward() {
  if (!BringForward(window_)) return false;
  SetFocus(window_);
  return GetFocus() == window_;
}

std::optional<LRESULT> TestWindow::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
    if (std::optional<LRESULT> result = self->OnMessage(message, wparam, lparam)) return *result;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

std::optional<LRESULT> SiblingRecorder::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message != 0x046E && message != 0x046F) return std::nullopt;
  Seen entry{message, std::nullopt};
  if (OpenClipboard(Handle())) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
        entry.clipboard = std::string(bytes, strnlen(bytes, GlobalSize(data)));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  } else {
    entry.clipboard = "<held>";
  }
  seen.push_back(entry);
  return 0;
}

std::optional<LRESULT> KeyRecorder::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
      char text[32];
      std::snprintf(text, sizeof text, "%02X/%02X%s%s", static_cast<unsigned>(wparam),
                    static_cast<unsigned>((lparam >> 16) & 0xFF), (lparam & (1u << 31)) ? " up" : "",
                    (lparam & (1 << 24)) ? " ext" : "");
      events.push_back(text);
      return 0;  // no menu mode from Alt
    }
    case WM_PASTE:
      events.push_back("paste");
      return 0;
    default:
      return std::nullopt;
  }
}

std::string KeyEventText(BYTE vk, bool release, bool zero_scan) {
  char text[32];
  std::snprintf(text, sizeof text, "%02X/%02X%s", vk, zero_scan ? 0u : MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF,
                release ? " up" : "");
  return text;
}

bool BringForward(HWND window) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      kDefaultTimeout);
}

namespace {

struct NotepadSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindNotepad(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<NotepadSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (pid != search->process_id || std::string(name) != "Notepad" || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

Notepad::Notepad() : process_("C:\\windows\\notepad.exe") {
  // Ready for input first: a paste typed into a Notepad that is still
  // starting up can be lost.
  WaitForInputIdle(process_.Handle(), kDefaultTimeout);
  NotepadSearch search{process_.Id(), nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindNotepad, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      kDefaultTimeout);
  if (!search.found) throw std::runtime_error("Notepad did not come up");
  window_ = search.found;
  edit_ = FindWindowExA(window_, nullptr, "Edit", nullptr);
  if (!edit_) throw std::runtime_error("Notepad has no edit control");
}

std::string Notepad::Text() const {
  LRESULT n = SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(n) + 1, '\0');
  n = SendMessageA(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

std::wstring Notepad::WideText() const {
  LRESULT n = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  n = SendMessageW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return text;
}

void Notepad::Clear() const {
  SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
}

// In front, and with the keyboard focus in its edit control, where the
// paste keys must land.
bool Notepad::ComeForward() const {
  if (!BringForward(window_)) return false;
  const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndFocus == edit_;
      },
      kDefaultTimeout);
}

}  // namespace zrnx::test
