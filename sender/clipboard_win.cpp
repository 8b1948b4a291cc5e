#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

#include "sender/desktop_win.h"

namespace zrnx {

namespace {

// Windows that carry the sibling's title without being it: an Explorer
// folder named so, which would take the message for one of its own, and a
// dialog box owned by another window (a message box of the sibling's, say,
// in front of its main window). An unowned dialog may be a program's main
// window.
bool CanBeSibling(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "CabinetWClass") == 0 || std::strcmp(name, "ExploreWClass") == 0) return false;
  return std::strcmp(name, "#32770") != 0 || GetWindow(window, GW_OWNER) == nullptr;
}

}  // namespace

HWND FindSibling() {
  const std::string title(kSiblingTitle);
  HWND window = nullptr;
  // Top-level windows titled exactly so, in z-order.
  while ((window = FindWindowExA(nullptr, window, nullptr, title.c_str())) != nullptr)
    if (CanBeSibling(window)) return window;
  return nullptr;
}

void NotifySibling(unsigned message) {
  HWND sibling = FindSibling();
  if (!sibling) return;
  // A sibling that stopped answering is passed over at once, a slow one
  // after the bound. Not SMTO_BLOCK: the sibling reads the clipboard while it
  // is told, and the item's promise is answered by this thread meanwhile.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(sibling, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kSiblingAnswerLimit, &result);
}

void Win32ClipboardPort::NotifySibling(unsigned message) { zrnx::NotifySibling(message); }

void PumpMessagesFor(unsigned milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

namespace {

// Registered formats that tell clipboard history, the cloud clipboard and
// watchers to pass the content over; the last two carry a DWORD 0.
constexpr const char* kMarkNames[3] = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                                       "CanUploadToCloudClipboard"};

}  // namespace

void Win32ClipboardPort::PrepareMarks() {
  for (ScopedGlobal& mark : marks_) {
    mark.Reset(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DWORD)));
  }
}

void Win32ClipboardPort::HandOverMarks() {
  // A mark that cannot be set costs only the history entry: the item still goes.
  for (std::size_t i = 0; i < 3; ++i) {
    const UINT format = RegisterClipboardFormatA(kMarkNames[i]);
    if (format != 0 && marks_[i] && SetClipboardData(format, marks_[i].Get())) marks_[i].Release();
  }
}

bool Win32ClipboardPort::PrepareBlock(const std::string& text) {
  block_.Reset(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!block_) return false;
  void* bytes = GlobalLock(block_.Get());
  if (!bytes) {
    block_.Reset();
    return false;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block_.Get());
  if (!owner_) return true;
  PrepareMarks();
  return PrepareUnicodeOfCodePage(text);
}

namespace {

// A movable block of `size` bytes filled by `fill`; empty when it cannot be had.
template <typename Fill>
ScopedGlobal FilledBlock(std::size_t size, Fill fill) {
  ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!block) return block;
  void* bytes = GlobalLock(block.Get());
  if (!bytes) return ScopedGlobal();
  const bool filled = fill(bytes);
  GlobalUnlock(block.Get());
  return filled ? std::move(block) : ScopedGlobal();
}

}  // namespace

bool Win32ClipboardPort::PrepareUnicodeOfCodePage(const std::string& text) {
  // Promised, the text is offered as Unicode too, as the system would make it:
  // a watcher that reads CF_TEXT first then does not hide the read of a Unicode target.
  if (text.size() >= static_cast<std::size_t>(INT_MAX)) return true;
  const int source = static_cast<int>(text.size());
  const int units = source == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), source, nullptr, 0);
  if (source != 0 && units == 0) return true;
  unicode_block_ = FilledBlock((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t), [&](void* bytes) {
    auto* wide = static_cast<wchar_t*>(bytes);
    if (units != 0 && MultiByteToWideChar(CP_ACP, 0, text.data(), source, wide, units) != units) return false;
    wide[units] = L'\0';
    return true;
  });
  return true;  // without it the CF_TEXT promise alone still stands
}

bool Win32ClipboardPort::PrepareUnicodeBlocks(std::string&& utf8) {
  // The conversion calls count in int; such a text is beyond a 32-bit block anyway.
  if (utf8.size() >= static_cast<std::size_t>(INT_MAX)) return false;
  const int source = static_cast<int>(utf8.size());
  const int units = source == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), source, nullptr, 0);
  if (source != 0 && units == 0) return false;
  unicode_block_ = FilledBlock((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t), [&](void* bytes) {
    auto* wide = static_cast<wchar_t*>(bytes);
    if (units != 0 && MultiByteToWideChar(CP_UTF8, 0, utf8.data(), source, wide, units) != units) return false;
    wide[units] = L'\0';
    return true;
  });
  std::string().swap(utf8);  // the UTF-16 copy is the text from here on
  if (!unicode_block_) return false;

  const auto* wide = static_cast<const wchar_t*>(GlobalLock(unicode_block_.Get()));
  if (!wide) return false;
  const int bytes_needed = units == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (units == 0 || bytes_needed != 0) {
    block_ = FilledBlock(static_cast<std::size_t>(bytes_needed) + 1, [&](void* bytes) {
      auto* narrow = static_cast<char*>(bytes);
      if (bytes_needed != 0 &&
          WideCharToMultiByte(CP_ACP, 0, wide, units, narrow, bytes_needed, nullptr, nullptr) != bytes_needed)
        return false;
      narrow[bytes_needed] = '\0';
      return true;
    });
  }
  GlobalUnlock(unicode_block_.Get());
  if (!block_) unicode_block_.Reset();
  if (owner_) PrepareMarks();
  return static_cast<bool>(block_);
}

bool Win32ClipboardPort::Open() { return OpenClipboard(owner_) != FALSE; }

bool Win32ClipboardPort::Empty() { return EmptyClipboard() != FALSE; }

ClipboardPort::HandOverResult Win32ClipboardPort::HandOver() {
  if (owner_) {
    // Promised: SetClipboardData gives no handle back, so the format is looked for.
    if (unicode_block_) {
      SetClipboardData(CF_UNICODETEXT, nullptr);
      if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return HandOverResult::kRefused;
    }
    SetClipboardData(CF_TEXT, nullptr);
    if (!IsClipboardFormatAvailable(CF_TEXT))
      return unicode_block_ ? HandOverResult::kRefusedAfterPart : HandOverResult::kRefused;
    HandOverMarks();
    return HandOverResult::kAccepted;
  }
  bool part = false;
  if (unicode_block_) {
    if (!SetClipboardData(CF_UNICODETEXT, unicode_block_.Get())) return HandOverResult::kRefused;
    unicode_block_.Release();  // the system's now
    part = true;
  }
  if (!SetClipboardData(CF_TEXT, block_.Get()))
    return part ? HandOverResult::kRefusedAfterPart : HandOverResult::kRefused;
  block_.Release();
  return HandOverResult::kAccepted;
}

void Win32ClipboardPort::Close() { CloseClipboard(); }

void Win32ClipboardPort::Render(unsigned format) {
  ScopedGlobal& block = format == CF_UNICODETEXT ? unicode_block_ : block_;
  if (format != CF_UNICODETEXT && format != CF_TEXT) return;
  if (block && SetClipboardData(format, block.Get())) block.Release();  // the system's now
}

void Win32ClipboardPort::RenderAll() {
  const ULONGLONG start = GetTickCount64();
  // A reader that waits on one of our formats meanwhile is answered while we wait.
  while (Promises()) {
    if (OpenClipboard(owner_)) {
      // Another program may have emptied the clipboard since: then nothing is ours to give.
      if (GetClipboardOwner() == owner_) {
        Render(CF_UNICODETEXT);
        Render(CF_TEXT);
      }
      CloseClipboard();
      return;
    }
    if (GetTickCount64() - start >= kRenderAllLimit) return;
    PumpMessagesFor(kClipboardRetryPause);
  }
}

void Win32ClipboardPort::Pause(unsigned milliseconds) {
  if (owner_)
    PumpMessagesFor(milliseconds);
  else
    Sleep(milliseconds);
}

ClipboardHolder Win32ClipboardPort::Holder() {
  return {reinterpret_cast<std::uintptr_t>(GetOpenClipboardWindow()),
          static_cast<std::uint32_t>(GetClipboardSequenceNumber())};
}

std::uint64_t Win32ClipboardPort::Milliseconds() { return GetTickCount64(); }

}  // namespace zrnx
