#pragma once
// Giving the clipboard back after a paste: what the user had copied is kept
// before the item is written and put back once the target has read the item,
// unless another program has written to the clipboard in between. The
// platform is behind ClipboardKeepPort, so the decisions are tested without
// Windows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zrnx {

// One format of the clipboard, copied as bytes: a memory block as it is, an
// enhanced metafile as its bits, a metafile picture as its three extent
// fields followed by the metafile's bits.
struct KeptFormat {
  unsigned format = 0;
  std::string bytes;
  bool operator==(const KeptFormat&) const = default;
};
using KeptClipboard = std::vector<KeptFormat>;

inline constexpr unsigned kFormatText = 1;
inline constexpr unsigned kFormatMetafilePicture = 3;
inline constexpr unsigned kFormatUnicodeText = 13;
inline constexpr unsigned kFormatEnhancedMetafile = 14;

// Whether a format's data can be copied and given back: memory blocks and
// the two metafile kinds. Bitmaps and palettes are GDI objects that the
// system makes again from a kept DIB; owner-display formats are drawn by
// their owner, and the private and GDI-object ranges hold handles of the
// owner's own kind.
bool CanBeKept(unsigned format);

// Whether the system makes `format` from `source` when only `source` is on
// the clipboard (text in its three forms, the bitmap forms, the two
// metafile forms).
bool IsSynthesizedFrom(unsigned format, unsigned source);

// The bounds of the keep, the wait for the target's read and the give-back.
inline constexpr std::uint64_t kTargetReadLimit = 2000;
inline constexpr std::uint64_t kGiveBackLimit = 2000;
// The whole keep, from the first try to open the clipboard to the last copy;
// past it nothing is kept.
inline constexpr std::uint64_t kKeepLimit = 1000;
// How long the clipboard's owner may take to answer before its promised
// formats are asked for: an owner that does not answer holds every reader.
inline constexpr unsigned kOwnerAnswerLimit = 200;

class ClipboardKeepPort {
 public:
  virtual ~ClipboardKeepPort() = default;
  // Opens the clipboard for the sender's own window; false when another program holds it.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // The formats on the open clipboard, in its order.
  virtual std::vector<unsigned> Formats() = 0;
  // The clipboard's owner answers a harmless message within `limit`
  // milliseconds (true too when there is no owner, or it is the sender).
  virtual bool OwnerAnswers(unsigned limit) = 0;
  enum class CopyResult { kCopied, kNoData, kNoMemory };
  // The format's data as bytes. kNoData when the format has none to give
  // (delayed data whose owner is gone, an empty block).
  virtual CopyResult Copy(unsigned format, std::string& bytes) = 0;
  // Turns the kept bytes into the blocks and handles the clipboard takes,
  // releasing the bytes as it goes; false (and nothing held) when one
  // cannot be made.
  virtual bool Prepare(KeptClipboard&& kept) = 0;
  // False when the clipboard is not open for us after all.
  virtual bool Empty() = 0;
  // Hands the prepared data over; false when a format was refused.
  virtual bool HandOver() = 0;
  enum class ReadSeen { kRead, kTimedOut, kUnseen };
  // Answers the requests for the item's data until the target has read it
  // after the paste key (kRead) or `limit` milliseconds have passed
  // (kTimedOut). kUnseen as soon as nothing of the item is promised any more
  // although the target's read was not seen: another program took the data
  // first, so the target's read can no longer be told from it.
  virtual ReadSeen WaitForTargetRead(std::uint64_t limit) = 0;
  // No other program has written to the clipboard since the item was put there.
  virtual bool StillHoldsItem() = 0;
  virtual void NotifySibling(unsigned message) = 0;
  // Waits, answering the clipboard's requests meanwhile.
  virtual void Pause(unsigned milliseconds) = 0;
  virtual std::uint64_t Milliseconds() = 0;
};

// What the clipboard holds now, every format that can be kept except those
// the system makes from one already kept; nullopt when it stays held by
// another program, its owner does not answer, a format cannot be copied for
// want of memory or the whole takes longer than kKeepLimit, so that nothing
// half kept is ever given back.
std::optional<KeptClipboard> KeepClipboard(ClipboardKeepPort& port);

// A read of the item: the process that read it (0: a reader without a
// window, which cannot be told apart) and whether the paste key had gone out.
struct ClipboardRead {
  std::uint32_t process = 0;
  bool after_key = false;
};

// Only the target's own read after the key is its paste: before the key a
// program may gather the clipboard as it changes.
bool IsTargetRead(const ClipboardRead& read, std::uint32_t target_process);

enum class GiveBackOutcome {
  kGivenBack,     // the kept formats are on the clipboard again
  kNothingKept,   // the clipboard could not be kept before the item: the item stays
  kNoTarget,      // there was no window to paste into: the item stays
  kNotRead,       // the target's read was not seen: the item stays
  kChangedHands,  // another program wrote meanwhile: its content stays
  kBusy,          // held by another program to the end: the item stays
  kNoMemory,      // the kept data could not be made into blocks: the item stays
  kRefused,       // the clipboard refused a format after it was emptied
};

// After the paste: waits for the target to read the item, then puts `kept`
// back (an empty clipboard is given back empty), with the sibling told
// around the write as for the item itself. Without a target nothing is
// given back.
GiveBackOutcome GiveClipboardBack(KeptClipboard kept, bool has_target, ClipboardKeepPort& port);

}  // namespace zrnx
