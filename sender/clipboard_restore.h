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

// One format of the clipboard, copied as the bytes of its memory block.
struct KeptFormat {
  unsigned format = 0;
  std::string bytes;
  bool operator==(const KeptFormat&) const = default;
};
using KeptClipboard = std::vector<KeptFormat>;

// Whether a format's data is a memory block that can be copied as bytes.
// Bitmaps, palettes and metafiles are GDI handles, owner-display formats are
// drawn by their owner, and the private and GDI-object ranges hold handles
// of the owner's own kind: none of them survives as a copy of bytes.
bool IsMemoryFormat(unsigned format);

// How long the sender waits for the target to read the item, and then for
// a clipboard that another program holds while it is given back.
inline constexpr std::uint64_t kTargetReadLimit = 2000;
inline constexpr std::uint64_t kGiveBackLimit = 2000;
// How long the clipboard may be held by others before the sender gives up
// keeping it (the item is then pasted and left on the clipboard).
inline constexpr std::uint64_t kKeepLimit = 1000;
// When the target's read cannot be seen, the time a paste is given to be
// read before the clipboard is given back.
inline constexpr unsigned kUnseenReadDelay = 500;

class ClipboardKeepPort {
 public:
  virtual ~ClipboardKeepPort() = default;
  // Opens the clipboard for the sender's own window; false when another program holds it.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // The formats on the open clipboard, in its order.
  virtual std::vector<unsigned> Formats() = 0;
  enum class CopyResult { kCopied, kNoData, kNoMemory };
  // The format's data as bytes. kNoData when the format has none to give
  // (delayed data whose owner is gone, an empty block).
  virtual CopyResult Copy(unsigned format, std::string& bytes) = 0;
  // False when the clipboard is not open for us after all.
  virtual bool Empty() = 0;
  // Hands a block of these bytes over; false when refused or out of memory.
  virtual bool Put(unsigned format, std::string&& bytes) = 0;
  enum class ReadSeen { kRead, kTimedOut, kUnseen };
  // Answers the requests for the item's data until the target has asked for
  // it (kRead) or `limit` milliseconds have passed (kTimedOut). kUnseen as
  // soon as nothing of the item is promised any more although the target
  // has not asked: a clipboard watcher took the data first, so the target's
  // read can no longer be seen.
  virtual ReadSeen WaitForTargetRead(std::uint64_t limit) = 0;
  // No other program has written to the clipboard since the item was put there.
  virtual bool StillHoldsItem() = 0;
  virtual void NotifySibling(unsigned message) = 0;
  virtual void Pause(unsigned milliseconds) = 0;
  virtual std::uint64_t Milliseconds() = 0;
};

// What the clipboard holds now, every memory format of it; nullopt when it
// stays held by another program or a format cannot be copied for want of
// memory, so that nothing half kept is ever given back.
std::optional<KeptClipboard> KeepClipboard(ClipboardKeepPort& port);

enum class GiveBackOutcome {
  kGivenBack,     // the kept formats are on the clipboard again
  kNotRead,       // the target never read the item: it stays on the clipboard
  kChangedHands,  // another program wrote meanwhile: its content stays
  kBusy,          // held by another program to the end: the item stays
};

// After the paste: waits for the target to read the item, then puts `kept`
// back (an empty clipboard is given back empty), with the sibling told
// around the write as for the item itself.
GiveBackOutcome GiveClipboardBack(KeptClipboard kept, ClipboardKeepPort& port);

}  // namespace zrnx
