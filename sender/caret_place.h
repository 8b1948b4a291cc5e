#pragma once
// Placing the caret after the paste in a control that is told its selection
// by message (the standard edit and rich edit controls): one message, where
// Left-arrow presses take a slow control seconds. Other controls get the
// presses.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "sender/item_fields.h"

namespace zrnx {

enum class CaretControl {
  kNone,            // keys only
  kEdit,            // CR LF kept as two units
  kSingleLineEdit,  // the same, but a pasted line break cuts the text
  kRichEdit,        // a paragraph's end kept as one unit
};

// The kind of control by its window class (compared ignoring case), its
// style and whether it is a Unicode window: an ANSI edit control counts in
// bytes of the code page.
CaretControl CaretControlOf(std::string_view class_name, bool multiline, bool unicode);

using Selection = std::pair<std::size_t, std::size_t>;

// The selection before the paste, the caret's place once the paste has
// landed, and where it is to go, in the control's units.
struct SelectionPlan {
  Selection before;
  std::size_t after_paste;
  std::size_t caret;
  bool operator==(const SelectionPlan&) const = default;
};

// For a control whose selection was `before` the paste (the paste replaces
// it, whichever way it was made); none when the control cannot be told.
std::optional<SelectionPlan> PlanSelection(CaretControl control, Selection before, const CaretPlacement& caret);

class SelectionPort {
 public:
  virtual ~SelectionPort() = default;
  enum class Answer {
    kSelection,  // the selection's start and end are in `out`
    kBusy,       // no answer in time from a control that still takes messages
    kGone,       // the control is gone or has stopped taking messages
  };
  virtual Answer AskSelection(Selection& out) = 0;
  // Puts the caret at the position and into view.
  virtual bool Select(std::size_t position) = 0;
  virtual void Pause(unsigned milliseconds) = 0;
  virtual std::uint64_t Milliseconds() = 0;
};

// The paste key is still in the target's input when the sender asks, so the
// caret is watched until it stands after the pasted text. A selection that
// moved elsewhere and stayed there this long will not come right.
inline constexpr unsigned kPasteLandsWithin = 5000;
inline constexpr unsigned kMovedSelectionSettles = 500;
inline constexpr unsigned kSelectionPollPause = 10;

// Waits for the paste to land as planned, then places the caret. False, with
// nothing done, when it landed otherwise (a length limit, a line break in a
// one-line control), did not land within the bound, or the control is gone
// or hung: the caller falls back to the keys. A control busy with a large
// paste is waited for.
bool PlaceCaretBySelection(const SelectionPlan& plan, SelectionPort& port);

}  // namespace zrnx
