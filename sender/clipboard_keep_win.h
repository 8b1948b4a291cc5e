#pragma once
// The clipboard kept and given back on the real platform. The sender owns
// the clipboard through a message-only window and writes the item as a
// promise: the target's request for the data after the paste key is how the
// sender learns that the paste has been read.

#include <windows.h>

#include <vector>

#include "common/scoped_win.h"
#include "sender/clipboard_restore.h"
#include "sender/desktop_win.h"

namespace zrnx {

// How long a send waits for an earlier one to finish its give-back.
inline constexpr DWORD kGiveBackLockLimit = 10000;

// The lock held from the clipboard's first read (the keep, or the text an
// item quotes) to the settled give-back, so that a second send reads the
// user's content, not the first send's item. Released when reset. Empty when
// the earlier send did not settle within `limit` milliseconds.
ScopedOwnedMutex TakeGiveBackLock(DWORD limit);

class Win32ClipboardKeeper final : public ClipboardKeepPort {
 public:
  Win32ClipboardKeeper();
  // What the target has not read yet stays on the clipboard after the sender ends.
  ~Win32ClipboardKeeper() override;
  Win32ClipboardKeeper(const Win32ClipboardKeeper&) = delete;
  Win32ClipboardKeeper& operator=(const Win32ClipboardKeeper&) = delete;

  // False when the window could not be made: then nothing is kept.
  bool Ready() const { return window_ != nullptr; }
  // The port that writes the item as a promise owned by the window, marked
  // as temporary for clipboard history and watchers.
  Win32ClipboardPort& Writer() { return writer_; }
  // After the write: from here a change of owner or content is another program's.
  void ItemWritten();
  // Right before the paste goes out to `target`: from here its process's reads count.
  void PasteKeyGoesOut(HWND target);

  bool Open() override;
  void Close() override;
  std::vector<unsigned> Formats() override;
  bool OwnerAnswers(unsigned limit) override;
  CopyResult Copy(unsigned format, std::string& bytes) override;
  bool Prepare(KeptClipboard&& kept) override;
  bool Empty() override;
  bool HandOver() override;
  ReadSeen WaitForTargetRead(std::uint64_t limit) override;
  bool StillHoldsItem() override;
  void NotifySibling(unsigned message) override;
  void Pause(unsigned milliseconds) override;
  std::uint64_t Milliseconds() override;

 private:
  struct Prepared {
    unsigned format;
    HANDLE data;
  };
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void FreePrepared();

  HWND window_;
  Win32ClipboardPort writer_;
  DWORD target_process_ = 0;
  bool key_out_ = false;
  bool written_ = false;
  DWORD sequence_ = 0;
  std::vector<ClipboardRead> reads_;  // every request for the item's data
  std::vector<Prepared> prepared_;    // the give-back's data until the clipboard takes it
};

}  // namespace zrnx
