#include "sender/clipboard_keep_win.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zrnx {
namespace {

constexpr char kKeeperClass[] = "ZrnxClipboardKeeper";

HWND CreateKeeperWindow(void* keeper) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;  // until the keeper is set
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kKeeperClass;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, kKeeperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                window_class.hInstance, nullptr);
  if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(keeper));
  return window;
}

}  // namespace

Win32ClipboardKeeper::Win32ClipboardKeeper() : window_(CreateKeeperWindow(this)), writer_(window_) {
  if (window_) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

Win32ClipboardKeeper::~Win32ClipboardKeeper() {
  if (!window_) return;
  // What the target has not read yet stays on the clipboard after the sender ends.
  writer_.RenderAll();
  DestroyWindow(window_);
}

LRESULT CALLBACK Win32ClipboardKeeper::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* keeper = reinterpret_cast<Win32ClipboardKeeper*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!keeper) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_RENDERFORMAT: {
      DWORD reader = 0;
      // The reader has the clipboard open; a program that opened it without a window stays unknown (0).
      if (HWND opener = GetOpenClipboardWindow()) GetWindowThreadProcessId(opener, &reader);
      keeper->readers_.push_back(reader);
      keeper->writer_.Render(static_cast<unsigned>(wparam));
      if (keeper->written_) keeper->sequence_ = GetClipboardSequenceNumber();
      return 0;
    }
    case WM_RENDERALLFORMATS:
      keeper->writer_.RenderAll();
      return 0;
    case WM_DESTROYCLIPBOARD:
      // Emptied, by the give-back or by another program: the promise is void.
      if (keeper->written_) keeper->writer_.DropPromise();
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void Win32ClipboardKeeper::ItemWritten() {
  written_ = true;
  sequence_ = GetClipboardSequenceNumber();
}

bool Win32ClipboardKeeper::Open() { return OpenClipboard(window_) != FALSE; }

void Win32ClipboardKeeper::Close() { CloseClipboard(); }

std::vector<unsigned> Win32ClipboardKeeper::Formats() {
  std::vector<unsigned> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

ClipboardKeepPort::CopyResult Win32ClipboardKeeper::Copy(unsigned format, std::string& bytes) {
  HANDLE data = GetClipboardData(format);
  if (!data) return CopyResult::kNoData;
  const SIZE_T size = GlobalSize(data);
  const void* source = size == 0 ? nullptr : GlobalLock(data);
  if (!source) return CopyResult::kNoData;
  CopyResult result = CopyResult::kCopied;
  try {
    bytes.assign(static_cast<const char*>(source), size);
  } catch (const std::bad_alloc&) {
    result = CopyResult::kNoMemory;
  }
  GlobalUnlock(data);
  return result;
}

bool Win32ClipboardKeeper::Empty() { return EmptyClipboard() != FALSE; }

bool Win32ClipboardKeeper::Put(unsigned format, std::string&& bytes) {
  ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!block) return false;
  void* target = GlobalLock(block.Get());
  if (!target) return false;
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(block.Get());
  std::string().swap(bytes);
  if (!SetClipboardData(format, block.Get())) return false;
  block.Release();  // the system's now
  return true;
}

bool Win32ClipboardKeeper::TargetHasRead() const {
  DWORD target = 0;
  if (target_) GetWindowThreadProcessId(target_, &target);
  return std::any_of(readers_.begin(), readers_.end(),
                     [&](DWORD reader) { return target == 0 || reader == 0 || reader == target; });
}

ClipboardKeepPort::ReadSeen Win32ClipboardKeeper::WaitForTargetRead(std::uint64_t limit) {
  const std::uint64_t start = GetTickCount64();
  for (;;) {
    if (TargetHasRead()) return ReadSeen::kRead;
    if (!writer_.Promises()) return ReadSeen::kUnseen;
    const std::uint64_t spent = GetTickCount64() - start;
    if (spent >= limit) return ReadSeen::kTimedOut;
    // The requests for the data are sent messages: they are answered while messages are looked at.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(limit - spent), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
}

bool Win32ClipboardKeeper::StillHoldsItem() {
  return GetClipboardOwner() == window_ && GetClipboardSequenceNumber() == sequence_;
}

void Win32ClipboardKeeper::NotifySibling(unsigned message) { zrnx::NotifySibling(message); }

void Win32ClipboardKeeper::Pause(unsigned milliseconds) { Sleep(milliseconds); }

std::uint64_t Win32ClipboardKeeper::Milliseconds() { return GetTickCount64(); }

}  // namespace zrnx
