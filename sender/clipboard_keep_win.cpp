#include "sender/clipboard_keep_win.h"

#include <algorithm>
#include <new>

#include "sender/clipboard_data_win.h"

namespace zrnx {
namespace {

constexpr char kKeeperClass[] = "ZrnxClipboardKeeper";
// One per session: sends of one user on one desktop share the clipboard.
constexpr char kGiveBackLockName[] = "Local\\ZarnikNX.ClipboardGiveBack";

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

ScopedOwnedMutex TakeGiveBackLock(DWORD limit) {
  ScopedHandle lock(CreateMutexA(nullptr, FALSE, kGiveBackLockName));
  if (!lock) return ScopedOwnedMutex();
  // Abandoned: the earlier send was ended halfway; the lock is ours all the same.
  const DWORD result = WaitForSingleObject(lock.Get(), limit);
  if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) return ScopedOwnedMutex();
  return ScopedOwnedMutex(lock.Release());
}

Win32ClipboardKeeper::Win32ClipboardKeeper() : window_(CreateKeeperWindow(this)), writer_(window_) {
  if (window_) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

Win32ClipboardKeeper::~Win32ClipboardKeeper() {
  FreePrepared();
  if (!window_) return;
  writer_.RenderAll();
  // Whatever could not be handed over within its bound is not tried again
  // when the window goes.
  writer_.DropPromise();
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
      // Nothing may leave a window procedure by exception; a read that cannot
      // be noted is one not seen, and the item then stays.
      try {
        keeper->reads_.push_back({reader, keeper->key_out_});
      } catch (const std::bad_alloc&) {
      }
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

void Win32ClipboardKeeper::PasteKeyGoesOut(HWND target) {
  target_process_ = 0;
  if (target) GetWindowThreadProcessId(target, &target_process_);
  key_out_ = true;
}

bool Win32ClipboardKeeper::Open() { return OpenClipboard(window_) != FALSE; }

void Win32ClipboardKeeper::Close() { CloseClipboard(); }

std::vector<unsigned> Win32ClipboardKeeper::Formats() {
  std::vector<unsigned> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

bool Win32ClipboardKeeper::OwnerAnswers(unsigned limit) {
  HWND owner = GetClipboardOwner();
  if (!owner || owner == window_) return true;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit, &result) != 0;
}

ClipboardKeepPort::CopyResult Win32ClipboardKeeper::Copy(unsigned format, std::string& bytes) {
  return CopyClipboardData(format, GetClipboardData(format), bytes);
}

void Win32ClipboardKeeper::FreePrepared() {
  for (const Prepared& prepared : prepared_) FreeClipboardData(prepared.format, prepared.data);
  prepared_.clear();
}

bool Win32ClipboardKeeper::Prepare(KeptClipboard&& kept) {
  FreePrepared();
  prepared_.reserve(kept.size());
  for (KeptFormat& format : kept) {
    HANDLE data = MakeClipboardData(format.format, format.bytes);
    std::string().swap(format.bytes);  // never held twice over for long
    if (!data) {
      FreePrepared();
      return false;
    }
    prepared_.push_back({format.format, data});
  }
  return true;
}

bool Win32ClipboardKeeper::Empty() { return EmptyClipboard() != FALSE; }

bool Win32ClipboardKeeper::HandOver() {
  bool whole = true;
  for (Prepared& prepared : prepared_) {
    if (SetClipboardData(prepared.format, prepared.data)) {
      prepared.data = nullptr;  // the system's now
    } else {
      whole = false;
    }
  }
  FreePrepared();
  return whole;
}

ClipboardKeepPort::ReadSeen Win32ClipboardKeeper::WaitForTargetRead(std::uint64_t limit) {
  const std::uint64_t start = GetTickCount64();
  for (;;) {
    if (std::any_of(reads_.begin(), reads_.end(),
                    [&](const ClipboardRead& read) { return IsTargetRead(read, target_process_); }))
      return ReadSeen::kRead;
    if (!writer_.Promises()) return ReadSeen::kUnseen;
    const std::uint64_t spent = GetTickCount64() - start;
    if (spent >= limit) return ReadSeen::kTimedOut;
    // The requests for the data are sent messages: they are answered while messages are looked at.
    PumpMessagesFor(static_cast<unsigned>(std::min<std::uint64_t>(limit - spent, kClipboardRetryPause * 5)));
  }
}

bool Win32ClipboardKeeper::StillHoldsItem() {
  return GetClipboardOwner() == window_ && GetClipboardSequenceNumber() == sequence_;
}

void Win32ClipboardKeeper::NotifySibling(unsigned message) { zrnx::NotifySibling(message); }

void Win32ClipboardKeeper::Pause(unsigned milliseconds) { PumpMessagesFor(milliseconds); }

std::uint64_t Win32ClipboardKeeper::Milliseconds() { return GetTickCount64(); }

}  // namespace zrnx
