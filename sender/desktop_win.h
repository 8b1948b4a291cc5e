#pragma once
// The item sender's effects on the desktop: the target window, the clipboard
// with its sibling messages, the activation and the paste.

#include <optional>
#include <string>

#include "common/scoped_win.h"
#include "sender/clipboard.h"
#include "sender/paste_keys.h"
#include "sender/run.h"

namespace zrnx {

// The first top-level window that may take the paste, or 0. The through
// list is read afresh from the settings file.
WindowHandle FindTargetWindow(const std::wstring& settings_path);

// The sibling's window: the first top-level window titled kSiblingTitle
// that is not an Explorer folder or an owned dialog box; nullptr when none.
HWND FindSibling();

// How long the sibling may take over one message.
inline constexpr unsigned kSiblingAnswerLimit = 500;

// Sends the message to the sibling, looked up now, if any; a sibling that
// does not answer within kSiblingAnswerLimit (at once when it is hung) is
// left to it.
void NotifySibling(unsigned message);

// Waits `milliseconds`, dispatching the thread's messages meanwhile: while
// the clipboard holds a promise of ours, a reader waits on our answer.
void PumpMessagesFor(unsigned milliseconds);

// How long the last promised data may take to be handed over when the
// sender ends (the clipboard held by others meanwhile).
inline constexpr unsigned kRenderAllLimit = 2000;

// Brings the window to the front; the window with the keyboard focus in its
// thread, or 0.
WindowHandle ActivateTargetWindow(WindowHandle window);

// The mandatory integrity level of the process, or none when its token
// cannot be read (no levels on the system, or the process is shielded).
std::optional<std::uint32_t> ProcessIntegrityLevel(HANDLE process);
// The same for the process that owns the window.
std::optional<std::uint32_t> WindowIntegrityLevel(WindowHandle window);

class Win32ClipboardPort final : public ClipboardPort {
 public:
  Win32ClipboardPort() = default;
  // With an owner window the text is only promised when handed over, and
  // each block is given when the clipboard asks for it (Render); the item
  // then goes with the formats that keep it out of clipboard history, the
  // cloud clipboard and well-behaved watchers, since it is given back.
  explicit Win32ClipboardPort(HWND owner) : owner_(owner) {}
  void NotifySibling(unsigned message) override;
  bool PrepareBlock(const std::string& text) override;
  bool PrepareUnicodeBlocks(std::string&& utf8) override;
  bool Open() override;
  bool Empty() override;
  HandOverResult HandOver() override;
  void Close() override;
  void Pause(unsigned milliseconds) override;
  ClipboardHolder Holder() override;
  std::uint64_t Milliseconds() override;

  // WM_RENDERFORMAT: hands over the promised block of this format.
  void Render(unsigned format);
  // WM_RENDERALLFORMATS: the blocks still promised, while the owner still
  // owns the clipboard; a held clipboard is tried again for kRenderAllLimit.
  void RenderAll();
  // Some block is still only promised.
  bool Promises() const { return block_ || unicode_block_; }
  // WM_DESTROYCLIPBOARD: the clipboard was emptied, nothing is promised any more.
  void DropPromise() {
    block_.Reset();
    unicode_block_.Reset();
  }

 private:
  bool PrepareUnicodeOfCodePage(const std::string& text);
  void PrepareMarks();
  void HandOverMarks();

  HWND owner_ = nullptr;
  ScopedGlobal marks_[3];  // the temporary-item formats, with an owner only
  ScopedGlobal block_;  // ours until the clipboard accepts it
  ScopedGlobal unicode_block_;
};

class Win32KeyboardPort final : public KeyboardPort {
 public:
  // While the item is only promised, the pauses answer the clipboard's
  // requests, so a read made before the key is answered before the key.
  explicit Win32KeyboardPort(bool answer_clipboard = false) : answer_clipboard_(answer_clipboard) {}
  bool IsKeyDown(std::uint8_t key) override;
  void Pause(unsigned milliseconds) override;
  std::uint8_t ScanCode(std::uint8_t key) override;
  void SendKey(std::uint8_t key, std::uint8_t scan_code, bool release) override;
  void SendExtendedPresses(std::uint8_t key, std::uint8_t scan_code, std::size_t presses) override;
  bool SendPasteMessage(WindowHandle window) override;
  std::uint64_t Milliseconds() override;

 private:
  bool answer_clipboard_;
};

}  // namespace zrnx
