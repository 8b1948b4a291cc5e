#include <windows.h>

#include <cstring>
#include <string>

#include "sender/desktop_win.h"

namespace zrnx {

void NotifySibling(unsigned message) {
  if (HWND sibling = FindWindowA(nullptr, std::string(kSiblingTitle).c_str())) SendMessageA(sibling, message, 0, 0);
}

void Win32ClipboardPort::NotifySibling(unsigned message) { zrnx::NotifySibling(message); }

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
  return true;
}

bool Win32ClipboardPort::Open() { return OpenClipboard(nullptr) != FALSE; }

void Win32ClipboardPort::Empty() { EmptyClipboard(); }

bool Win32ClipboardPort::HandOver() {
  if (!SetClipboardData(CF_TEXT, block_.Get())) return false;
  block_.Release();  // the system's now
  return true;
}

void Win32ClipboardPort::Close() { CloseClipboard(); }

void Win32ClipboardPort::Pause(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace zrnx
