#pragma once
// The clipboard write: one CF_TEXT item for a code-page text, CF_UNICODETEXT
// and CF_TEXT for a decoded one, with the sibling program told before and
// after. The platform is behind ClipboardPort, so the order, the retries
// and the failures are tested without Windows.

#include <cstdint>
#include <string>
#include <string_view>

#include "sender/item_text.h"

namespace zrnx {

// The sibling program is found by its window title alone, afresh for each message.
inline constexpr std::string_view kSiblingTitle = "Zarnik for Windows";
inline constexpr unsigned kSiblingBeforeClipboard = 0x046E;  // WM_USER + 110
inline constexpr unsigned kSiblingAfterClipboard = 0x046F;   // WM_USER + 111

// Other programs hold the clipboard for moments: runs started together, and
// under Wine its clipboard manager, which opens it after every change and on
// a loaded machine may keep it for seconds. A busy clipboard is waited for as
// long as it keeps changing (another holder, new content); one that stays with
// the same holder and content is given up on after kClipboardStuckLimit.
inline constexpr unsigned kClipboardRetryPause = 10;
inline constexpr std::uint64_t kClipboardStuckLimit = 3000;
inline constexpr std::uint64_t kClipboardWaitLimit = 60000;

// Who holds the clipboard (its window, 0 for none or a program without one)
// and the number of its content.
struct ClipboardHolder {
  std::uintptr_t window = 0;
  std::uint32_t sequence = 0;
  bool operator==(const ClipboardHolder&) const = default;
};

inline constexpr std::string_view kClipboardBusyText =
    "クリップボードが他のプログラムに使用されているため、テキストを送れませんでした。";
inline constexpr std::string_view kClipboardRefusedText = "クリップボードにテキストを設定できませんでした。";

class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  // Looks the sibling window up and, if there is one, sends it the message.
  virtual void NotifySibling(unsigned message) = 0;
  // A movable block of exactly text length + 1 bytes holding the text and its
  // terminating 0x00; false when there is not enough memory.
  virtual bool PrepareBlock(const std::string& text) = 0;
  // For UTF-8 text: a block of its UTF-16 and one of it in the system code
  // page (what the system's conversion makes of it), each zero-terminated.
  // The UTF-8 is released once the UTF-16 is made, so a large item is never
  // held three times over. False when there is not enough memory.
  virtual bool PrepareUnicodeBlocks(std::string&& utf8) = 0;
  virtual bool Open() = 0;
  // False when the clipboard is not open for us after all: under Wine a
  // second program opening it without a window takes it over from the first.
  virtual bool Empty() = 0;
  enum class HandOverResult { kAccepted, kRefused, kRefusedAfterPart };
  // Hands the blocks over (CF_UNICODETEXT first, then CF_TEXT); once accepted
  // a block belongs to the system. A refused block stays with the port, which
  // frees it; kRefused when nothing was accepted, so the blocks are whole.
  virtual HandOverResult HandOver() = 0;
  virtual void Close() = 0;
  virtual void Pause(unsigned milliseconds) = 0;
  virtual ClipboardHolder Holder() = 0;
  // A clock in milliseconds.
  virtual std::uint64_t Milliseconds() = 0;
};

// Puts the text on the clipboard with the two sibling messages around the
// write. The second message goes out even when the write failed, so the
// sibling is never left waiting; the failure then raises Error (or
// std::bad_alloc), so no paste follows a text that is not there.
void PutTextOnClipboard(ItemText text, ClipboardPort& port);

}  // namespace zrnx
