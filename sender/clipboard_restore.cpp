#include "sender/clipboard_restore.h"

#include <algorithm>
#include <array>
#include <new>

#include "sender/clipboard.h"

namespace zrnx {

bool CanBeKept(unsigned format) {
  switch (format) {
    case 0:
    case 2:     // CF_BITMAP
    case 9:     // CF_PALETTE
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

bool IsSynthesizedFrom(unsigned format, unsigned source) {
  constexpr unsigned kOemText = 7, kBitmap = 2, kDib = 8, kPalette = 9, kDibV5 = 17;
  struct Family {
    unsigned source;
    std::array<unsigned, 3> made;
  };
  static constexpr Family kFamilies[] = {
      {kFormatText, {kOemText, kFormatUnicodeText}},
      {kOemText, {kFormatText, kFormatUnicodeText}},
      {kFormatUnicodeText, {kFormatText, kOemText}},
      {kBitmap, {kDib, kDibV5}},
      {kDib, {kBitmap, kPalette, kDibV5}},
      {kDibV5, {kBitmap, kDib, kPalette}},
      {kFormatEnhancedMetafile, {kFormatMetafilePicture}},
      {kFormatMetafilePicture, {kFormatEnhancedMetafile}},
  };
  for (const Family& family : kFamilies)
    if (family.source == source)
      return format != 0 && std::find(family.made.begin(), family.made.end(), format) != family.made.end();
  return false;
}

namespace {

// Closes the clipboard on every path out: left open, it would hold every
// other program, the sender's own item write included.
class ClosesClipboard {
 public:
  explicit ClosesClipboard(ClipboardKeepPort& port) : port_(port) {}
  ~ClosesClipboard() { port_.Close(); }
  ClosesClipboard(const ClosesClipboard&) = delete;
  ClosesClipboard& operator=(const ClosesClipboard&) = delete;

 private:
  ClipboardKeepPort& port_;
};

}  // namespace

std::optional<KeptClipboard> KeepClipboard(ClipboardKeepPort& port) {
  const std::uint64_t start = port.Milliseconds();
  const auto late = [&] { return port.Milliseconds() - start >= kKeepLimit; };
  while (!port.Open()) {
    if (late()) return std::nullopt;
    port.Pause(kClipboardRetryPause);
  }
  const ClosesClipboard closes(port);
  try {
    std::vector<unsigned> formats = port.Formats();
    // Unicode first: the other text forms are made from it without loss, not
    // the other way round.
    std::stable_partition(formats.begin(), formats.end(), [](unsigned f) { return f == kFormatUnicodeText; });
    KeptClipboard kept;
    // A promised format is rendered by its owner while the clipboard waits up
    // to 30 s for it: an owner that does not answer now is not asked.
    if (!port.OwnerAnswers(kOwnerAnswerLimit)) return std::nullopt;
    for (unsigned format : formats) {
      if (!CanBeKept(format)) continue;
      if (std::any_of(kept.begin(), kept.end(),
                      [&](const KeptFormat& k) { return IsSynthesizedFrom(format, k.format); }))
        continue;
      if (late()) return std::nullopt;
      std::string bytes;
      switch (port.Copy(format, bytes)) {
        case ClipboardKeepPort::CopyResult::kCopied:
          kept.push_back({format, std::move(bytes)});
          break;
        case ClipboardKeepPort::CopyResult::kNoData:
          break;  // nobody can have it any more
        case ClipboardKeepPort::CopyResult::kNoMemory:
          return std::nullopt;
      }
    }
    if (late()) return std::nullopt;
    return kept;
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // never half kept
  }
}

bool IsTargetRead(const ClipboardRead& read, std::uint32_t target_process) {
  return read.after_key && read.process != 0 && read.process == target_process;
}

namespace {

GiveBackOutcome PutBack(ClipboardKeepPort& port) {
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
  const bool whole = port.HandOver();
  port.Close();
  return whole ? GiveBackOutcome::kGivenBack : GiveBackOutcome::kRefused;
}

}  // namespace

GiveBackOutcome GiveClipboardBack(KeptClipboard kept, bool has_target, ClipboardKeepPort& port) {
  if (!has_target) return GiveBackOutcome::kNoTarget;
  // Given back before the target has read it, the target would paste the
  // old content; a read that cannot be seen is treated as not yet made.
  if (port.WaitForTargetRead(kTargetReadLimit) != ClipboardKeepPort::ReadSeen::kRead)
    return GiveBackOutcome::kNotRead;
  if (!port.StillHoldsItem()) return GiveBackOutcome::kChangedHands;
  // Every block exists before the item is emptied away: a give-back that
  // cannot be made leaves the item, never a half or empty clipboard.
  bool prepared = false;
  try {
    prepared = port.Prepare(std::move(kept));
  } catch (const std::bad_alloc&) {
  }
  if (!prepared) return GiveBackOutcome::kNoMemory;
  // The give-back is a clipboard write like the item's: a watching sibling
  // must be able to tell it from the user's own copying.
  port.NotifySibling(kSiblingBeforeClipboard);
  const GiveBackOutcome outcome = PutBack(port);
  port.NotifySibling(kSiblingAfterClipboard);
  return outcome;
}

}  // namespace zrnx
