#pragma once
// The clipboard kept and given back on the real platform. The sender owns
// the clipboard through a message-only window and writes the item as a
// promise: the target's request for the data is how the sender learns that
// the paste has been read.

#include <windows.h>

#include <vector>

#include "sender/clipboard_restore.h"
#include "sender/desktop_win.h"

namespace zrnx {

class Win32ClipboardKeeper final : public ClipboardKeepPort {
 public:
  Win32ClipboardKeeper();
  ~Win32ClipboardKeeper() override;
  Win32ClipboardKeeper(const Win32ClipboardKeeper&) = delete;
  Win32ClipboardKeeper& operator=(const Win32ClipboardKeeper&) = delete;

  // False when the window could not be made: then nothing is kept.
  bool Ready() const { return window_ != nullptr; }
  // The port that writes the item as a promise owned by the window.
  Win32ClipboardPort& Writer() { return writer_; }
  // After the write: from here a change of owner or content is another program's.
  void ItemWritten();
  // The window the paste went to (0: unknown, any reader counts).
  void SetTarget(HWND target) { target_ = target; }

  bool Open() override;
  void Close() override;
  std::vector<unsigned> Formats() override;
  CopyResult Copy(unsigned format, std::string& bytes) override;
  bool Empty() override;
  bool Put(unsigned format, std::string&& bytes) override;
  ReadSeen WaitForTargetRead(std::uint64_t limit) override;
  bool StillHoldsItem() override;
  void NotifySibling(unsigned message) override;
  void Pause(unsigned milliseconds) override;
  std::uint64_t Milliseconds() override;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool TargetHasRead() const;

  HWND window_;
  Win32ClipboardPort writer_;
  HWND target_ = nullptr;
  bool written_ = false;
  DWORD sequence_ = 0;
  std::vector<DWORD> readers_;  // the process of each program that asked for the item's data
};

}  // namespace zrnx
