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
  kNotInFront,     // another window has the input
  kAboveOwnLevel,  // the target runs as administrator, the sender does not
  kLevelUnknown,   // the target's level is shielded from the sender
};

struct PasteTargetFacts {
  WindowHandle target = 0;
  WindowHandle target_root = 0;  // the root of the target's owner chain
  WindowHandle foreground = 0;
  WindowHandle foreground_root = 0;
  std::optional<std::uint32_t> own_level;  // none where the system has no levels
  std::optional<std::uint32_t> target_level;
};

// The integrity test comes first: its box says more. A sender whose own
// level cannot be read runs where there are no levels, and an elevated
// sender is not held back; otherwise a target whose level cannot be read
// is refused, since a process of the same user is readable unless it
// stands above us. In front means the target or a window of its owner
// family has the input.
PasteRefusal DecidePasteTarget(const PasteTargetFacts& facts);

// The facts of the activated target, asked of the steps, and the decision.
PasteRefusal CheckPasteTarget(WindowHandle target, SenderSteps& steps);

}  // namespace zrnx
