#include <windows.h>

#include "sender/clipboard_text_win.h"
#include "sender/item_text.h"

namespace zrnx {
namespace {

// Another program may hold the clipboard for moments (under Wine its
// clipboard manager, after every change).
constexpr int kOpenTries = 100;
constexpr DWORD kOpenPause = 10;

class OpenedClipboard {
 public:
  OpenedClipboard() {
    for (int i = 0; i < kOpenTries && !open_; ++i) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_) Sleep(kOpenPause);
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (data_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* Data() const { return data_; }
  std::size_t Size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HANDLE block_;
  void* data_;
};

}  // namespace

std::string ReadClipboardUnicodeText() {
  OpenedClipboard clipboard;
  if (!clipboard.Open() || !IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  LockedBlock block(GetClipboardData(CF_UNICODETEXT));
  if (!block.Data()) return {};
  const auto* text = static_cast<const wchar_t*>(block.Data());
  // Up to the first U+0000, never past the block (a plain loop: the library's
  // wcsnlen would be linked in whole).
  const std::size_t limit = block.Size() / sizeof(wchar_t);
  std::size_t units = 0;
  while (units < limit && text[units] != L'\0') ++units;
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), units));
}

}  // namespace zrnx
