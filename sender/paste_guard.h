#pragma once
// Whether the paste may be delivered into the target now. Keys typed into a
// window that is not in front go to another one, and Windows drops keys and
// messages sent up to a process of higher integrity without an error; in
// either case nothing is typed and the user pastes by hand.

#include <cstdint>
#include <optional>

#include "sender/run.h"

namespace zrnx {

// Mandatory integrity levels, with the platform's values.
inline constexpr std::uint32_t kMediumIntegrity = 0x2000;
inline constexpr std::uint32_t kHighIntegrity = 0x3000;  // an elevated process

enum class PasteRefusal {
  kNone,
  kGone,           // the target window no longer exists
  kNotInFront,     // another window has the input
  kAboveOwnLevel,  // the target runs above the sender (as administrator)
};

struct PasteTargetFacts {
  bool by_message = false;  // the paste message goes to the focus control, in front or not
  bool target_alive = true;
  WindowHandle target = 0;
  WindowHandle target_root = 0;  // the root of the target's owner chain
  WindowHandle foreground = 0;
  WindowHandle foreground_root = 0;
  std::optional<std::uint32_t> own_level;  // none where the system has no levels
  std::optional<std::uint32_t> target_level;  // none when it could not be read
};

// The integrity test comes first: its box says more. A target is refused for
// its level only when both levels are known and the target's is higher: a
// level that cannot be read (another user's process) proves nothing. The
// keys need the target in front, which means the target or a window of its
// owner family has the input; the paste message needs only a live target.
PasteRefusal DecidePasteTarget(const PasteTargetFacts& facts);

// The facts of the activated target, asked of the steps, and the decision.
PasteRefusal CheckPasteTarget(WindowHandle target, bool by_message, SenderSteps& steps);

}  // namespace zrnx
