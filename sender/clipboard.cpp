#include "sender/clipboard.h"

#include <new>

#include "common/error.h"

namespace zrnx {
namespace {

enum class Outcome { kPlaced, kNoMemory, kBusy, kRefused };

// Decides, after each failed attempt, whether to pause and try again: as
// long as the clipboard keeps changing hands, within the overall limit.
class Patience {
 public:
  explicit Patience(ClipboardPort& port)
      : port_(port), start_(port.Milliseconds()), last_change_(start_), seen_(port.Holder()) {}

  bool Again() {
    const std::uint64_t now = port_.Milliseconds();
    const ClipboardHolder holder = port_.Holder();
    if (!(holder == seen_)) {
      seen_ = holder;
      last_change_ = now;
    }
    if (now - last_change_ >= kClipboardStuckLimit || now - start_ >= kClipboardWaitLimit) return false;
    port_.Pause(kClipboardRetryPause);
    return true;
  }

 private:
  ClipboardPort& port_;
  const std::uint64_t start_;
  std::uint64_t last_change_;
  ClipboardHolder seen_;
};

Outcome Write(ItemText& text, ClipboardPort& port) {
  // The blocks are filled before the clipboard is opened, so other programs
  // are kept waiting no longer than the hand-over takes.
  const bool prepared = text.encoding == TextEncoding::kCodePage ? port.PrepareBlock(text.bytes)
                                                                 : port.PrepareUnicodeBlocks(std::move(text.bytes));
  if (!prepared) return Outcome::kNoMemory;
  Patience patience(port);
  for (;;) {
    if (!port.Open()) {
      if (patience.Again()) continue;
      return Outcome::kBusy;
    }
    if (!port.Empty()) {
      port.Close();
      if (patience.Again()) continue;
      return Outcome::kBusy;
    }
    const ClipboardPort::HandOverResult result = port.HandOver();
    port.Close();
    if (result == ClipboardPort::HandOverResult::kAccepted) return Outcome::kPlaced;
    // Refused whole: most likely taken over as above, so worth another try.
    if (result == ClipboardPort::HandOverResult::kRefusedAfterPart || !patience.Again()) return Outcome::kRefused;
  }
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
