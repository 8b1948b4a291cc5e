#include "sender/clipboard.h"

#include <new>

#include "common/error.h"

namespace zrnx {
namespace {

enum class Outcome { kPlaced, kNoMemory, kBusy, kRefused };

bool OpenPatiently(ClipboardPort& port) {
  const std::uint64_t start = port.Milliseconds();
  std::uint64_t last_change = start;
  ClipboardHolder seen = port.Holder();
  for (;;) {
    if (port.Open()) return true;
    const std::uint64_t now = port.Milliseconds();
    const ClipboardHolder holder = port.Holder();
    if (!(holder == seen)) {
      seen = holder;
      last_change = now;
    }
    if (now - last_change >= kClipboardStuckLimit || now - start >= kClipboardWaitLimit) return false;
    port.Pause(kClipboardRetryPause);
  }
}

Outcome Write(ItemText& text, ClipboardPort& port) {
  // The blocks are filled before the clipboard is opened, so other programs
  // are kept waiting no longer than the hand-over takes.
  const bool prepared = text.encoding == TextEncoding::kCodePage ? port.PrepareBlock(text.bytes)
                                                                 : port.PrepareUnicodeBlocks(std::move(text.bytes));
  if (!prepared) return Outcome::kNoMemory;
  if (!OpenPatiently(port)) return Outcome::kBusy;
  port.Empty();
  const bool accepted = port.HandOver();
  port.Close();
  return accepted ? Outcome::kPlaced : Outcome::kRefused;
}

}  // namespace

void PutTextOnClipboard(ItemText text, ClipboardPort& port) {
  port.NotifySibling(kSiblingBeforeClipboard);
  const Outcome outcome = Write(text, port);
  port.NotifySibling(kSiblingAfterClipboard);
  switch (outcome) {
    case Outcome::kPlaced:
      return;
    case Outcome::kNoMemory:
      throw std::bad_alloc();
    case Outcome::kBusy:
      throw Error(std::string(kClipboardBusyText));
    case Outcome::kRefused:
      throw Error(std::string(kClipboardRefusedText));
  }
}

}  // namespace zrnx
