#pragma once
// The caret placed by message in the target's focus control (see caret_place.h).

#include <optional>

#include "sender/caret_place.h"
#include "sender/run.h"

namespace zrnx {

struct NotedControl {
  WindowHandle control;
  CaretControl kind;
  Selection before;  // the selection before the paste
};

// The focus control of the window's thread, when it is told its selection
// by message and answered where its selection starts.
std::optional<NotedControl> NoteFocusControl(WindowHandle target);

// Once the paste has landed in the noted control, the caret to the mark;
// false when that could not be done and the keys are to move it.
bool PlaceCaretInControl(const NotedControl& noted, const CaretPlacement& caret);

}  // namespace zrnx
