#pragma once
// The item sender's run: one pass per process, from the command line to the
// paste. The steps that touch the platform are behind SenderSteps, so the
// order of the run is tested without Windows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/profile_store.h"
#include "sender/clipboard_restore.h"
#include "sender/item_fields.h"
#include "sender/item_text.h"

namespace zrnx {

// A window handle as an integer; 0 is no window.
using WindowHandle = std::uintptr_t;

using DateFormats = std::array<std::string, 10>;

enum class PasteDelivery {
  kDelivered,     // the keys went out, or the paste message was handled
  kNotDelivered,  // the paste message was refused: nothing was pasted
  kMaybeLate,     // the paste message was still being handled when the wait ended
};

class SenderSteps {
 public:
  virtual ~SenderSteps() = default;

  // Takes the locale snapshot for the date patterns; first of all.
  virtual void PrepareDateNames() = 0;
  // A message box without an owner window; texts and title are program text.
  virtual void ShowMessage(std::string_view text, std::string_view title, unsigned style) = 0;
  // The same with a value from the system (a path, a system message) in
  // place of the "%s" of `pattern`.
  virtual void ShowMessageWithValue(std::string_view pattern, std::string_view system_value, std::string_view title,
                                    unsigned style) = 0;
  // The same with a path as the wide calls gave it, shown as it is.
  virtual void ShowMessageWithPath(std::string_view pattern, std::wstring_view path, std::string_view title,
                                   unsigned style) = 0;
  // The path names an existing file (not a folder) with a valid write time.
  virtual bool ItemFileExists(const std::wstring& path) = 0;
  // The text of the item: Internet shortcut, shell link target or the file
  // itself; `extension` is lowered.
  virtual ItemText LoadItemText(const std::wstring& path, const std::wstring& extension) = 0;
  // %d0% ... %d9% replaced by the current time in the ten formats, in the
  // text's own encoding.
  virtual ItemText ExpandDatePlaceholders(const ItemText& text, const DateFormats& formats) = 0;
  // A code-page text as one CF_TEXT item, a decoded one as CF_UNICODETEXT and
  // CF_TEXT, with the sibling notified around the write. Raises Error when
  // the clipboard stays held by another program or refuses the text, so that
  // no paste follows.
  virtual void PutTextOnClipboard(ItemText text) = 0;
  // The window the user was working in, or 0.
  virtual WindowHandle FindTargetWindow() = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // The window's thread has not taken its messages for a while.
  virtual bool IsHung(WindowHandle window) = 0;
  // Brings the window to the front; the focus window in its thread, or 0.
  virtual WindowHandle ActivateTargetWindow(WindowHandle window) = 0;
  // Until the paste may be typed: Shift, Ctrl and Alt up (for the kinds
  // below the paste message), then the pause before the first event.
  virtual void WaitBeforePaste(std::int32_t kind) = 0;
  // Delivers the paste at once, without a wait; whether the paste message
  // was handled, refused, or still being handled when the wait ended.
  virtual PasteDelivery SendPasteKey(std::int32_t kind, WindowHandle focus) = 0;
  // The window that has the user's input now, or 0.
  virtual WindowHandle ForegroundWindow() = 0;
  // The root of the window's owner chain; the window itself when unowned.
  virtual WindowHandle RootOwner(WindowHandle window) = 0;
  // The mandatory integrity level of the sender's process, and of the
  // process of the window; none when it cannot be read.
  virtual std::optional<std::uint32_t> OwnIntegrityLevel() = 0;
  virtual std::optional<std::uint32_t> IntegrityLevel(WindowHandle window) = 0;
  // Waits while another send is between its first read of the clipboard and
  // its settled give-back (up to 10 s), then holds later sends off the same
  // way until SettleClipboard. False when the other send did not settle in
  // time. Holding it already is fine.
  virtual bool LockClipboard() = 0;
  // Under the lock, before the item is written in paste mode: keeps what the
  // clipboard holds, so that it can be given back after the paste.
  virtual void KeepClipboard() = 0;
  // After the paste: once the window activated for it has read the item,
  // puts back what was kept, unless another program wrote to the clipboard
  // in between. Never ends the run: at worst the item stays on the clipboard.
  virtual GiveBackOutcome GiveClipboardBack() = 0;
  // Hands over whatever of the item is still only promised and releases the
  // lock, so the next send may read the clipboard; after it the sender may
  // end at any moment without costing the clipboard anything. Harmless when
  // nothing is held.
  virtual void SettleClipboard() = 0;
  // The item's fields (see item_fields.h).
  // A code-page text as UTF-8, through the system's code page.
  virtual ItemText DecodeItemText(const ItemText& text) = 0;
  // Under the lock: the clipboard's Unicode text as UTF-8, empty when it
  // holds no text; nullopt when it could not be read in time (held by
  // another program, or its owner slow to hand the text over).
  virtual std::optional<std::string> ReadClipboardText() = 0;
  // One box with a question per label (UTF-8; "" for the unnamed one) and a
  // note when `unshown` more were left out; the answers in the same order,
  // or nullopt when the user cancelled.
  virtual std::optional<std::vector<std::string>> AskQuestions(const std::vector<std::string>& labels,
                                                               std::size_t unshown) = 0;
  // Before a pasting key that a caret placement follows: notes the target's
  // focus control and where its selection starts, when it is a control that
  // is told its selection by message.
  virtual void PrepareCaretPlacement() = 0;
  // After the pasting key: the caret to the mark, by message to the noted
  // control once the paste has landed, else by Left-arrow presses.
  virtual void MoveCaretBack(const CaretPlacement& caret) = 0;
  // Brings the items' Start-menu shortcuts in step when the item lies in the
  // menu folder. Last of all, so the paste never waits for it; it never
  // fails the run.
  virtual void KeepItemShortcuts(const std::wstring& item_path) = 0;
};

// The ten patterns as the item sender reads them: section [Option], keys
// DateFormat0 to DateFormat9, each with its default.
DateFormats ReadDateFormats(const std::wstring& settings_path, ProfileStore& store);

// A path with a wildcard names no file, although a directory search on it
// may find one.
bool HasWildcard(std::wstring_view path);

inline constexpr int kExitCancelled = 2;

// Runs the whole sequence for one wide command line (so that every path
// Windows can hold arrives as it is) and returns the exit code:
// 0 on every handled path, kExitCancelled when the user cancelled an item's
// questions (nothing was sent, the clipboard is untouched), 1 after an error that no step handled (shown in
// the application-error box) and when the paste could not be delivered (the
// text stays on the clipboard, and a box says so).
int RunSender(std::wstring_view command_line, const std::wstring& settings_path, SenderSteps& steps,
              ProfileStore& store);

}  // namespace zrnx
