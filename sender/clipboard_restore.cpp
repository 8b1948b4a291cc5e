#include "sender/clipboard_restore.h"

#include "sender/clipboard.h"

namespace zrnx {

bool IsMemoryFormat(unsigned format) {
  switch (format) {
    case 0:
    case 2:     // CF_BITMAP
    case 3:     // CF_METAFILEPICT: a block, but it holds a metafile handle
    case 9:     // CF_PALETTE
    case 14:    // CF_ENHMETAFILE
    case 0x80:  // CF_OWNERDISPLAY
    case 0x82:  // CF_DSPBITMAP
    case 0x83:  // CF_DSPMETAFILEPICT
    case 0x8E:  // CF_DSPENHMETAFILE
      return false;
    default:
      // CF_PRIVATEFIRST to CF_GDIOBJLAST: handles the owner alone understands.
      return format < 0x200 || format > 0x3FF;
  }
}

std::optional<KeptClipboard> KeepClipboard(ClipboardKeepPort& port) {
  const std::uint64_t start = port.Milliseconds();
  while (!port.Open()) {
    if (port.Milliseconds() - start >= kKeepLimit) return std::nullopt;
    port.Pause(kClipboardRetryPause);
  }
  KeptClipboard kept;
  bool whole = true;
  for (unsigned format : port.Formats()) {
    if (!IsMemoryFormat(format)) continue;
    std::string bytes;
    const ClipboardKeepPort::CopyResult result = port.Copy(format, bytes);
    if (result == ClipboardKeepPort::CopyResult::kNoMemory) {
      whole = false;
      break;
    }
    if (result == ClipboardKeepPort::CopyResult::kCopied) kept.push_back({format, std::move(bytes)});
  }
  port.Close();
  if (!whole) return std::nullopt;
  return kept;
}

namespace {

GiveBackOutcome PutBack(KeptClipboard& kept, ClipboardKeepPort& port) {
  const std::uint64_t start = port.Milliseconds();
  for (;;) {
    if (port.Open()) {
      // Checked again with the clipboard open: nobody can write from here on.
      if (!port.StillHoldsItem()) {
        port.Close();
        return GiveBackOutcome::kChangedHands;
      }
      if (port.Empty()) break;
      port.Close();
    } else if (!port.StillHoldsItem()) {
      return GiveBackOutcome::kChangedHands;
    }
    if (port.Milliseconds() - start >= kGiveBackLimit) return GiveBackOutcome::kBusy;
    port.Pause(kClipboardRetryPause);
  }
  for (KeptFormat& format : kept) {
    // A refused format is lost alone; the others still come back.
    port.Put(format.format, std::move(format.bytes));
    std::string().swap(format.bytes);
  }
  port.Close();
  return GiveBackOutcome::kGivenBack;
}

}  // namespace

GiveBackOutcome GiveClipboardBack(KeptClipboard kept, ClipboardKeepPort& port) {
  // Given back before the target has read it, the target would paste the old content.
  switch (port.WaitForTargetRead(kTargetReadLimit)) {
    case ClipboardKeepPort::ReadSeen::kRead:
      break;
    case ClipboardKeepPort::ReadSeen::kTimedOut:
      return GiveBackOutcome::kNotRead;
    case ClipboardKeepPort::ReadSeen::kUnseen:
      port.Pause(kUnseenReadDelay);
      break;
  }
  if (!port.StillHoldsItem()) return GiveBackOutcome::kChangedHands;
  // The give-back is a clipboard write like the item's: a watching sibling
  // must be able to tell it from the user's own copying.
  port.NotifySibling(kSiblingBeforeClipboard);
  const GiveBackOutcome outcome = PutBack(kept, port);
  port.NotifySibling(kSiblingAfterClipboard);
  return outcome;
}

}  // namespace zrnx
