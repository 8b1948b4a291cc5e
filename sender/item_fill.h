#pragma once
// A text item's expansion in the run: the dates, and the fields that place
// the caret, quote the clipboard and ask the user. The platform is reached
// through the run's steps, so the whole flow is tested without Windows.

#include <cstddef>
#include <optional>

#include "sender/item_fields.h"
#include "sender/item_text.h"
#include "sender/run.h"

namespace zrnx {

struct ExpandedItem {
  ItemText text;
  // Where "%cursor%" stood; nothing to move without one or at the end.
  CaretPlacement caret;
  // The item quotes the clipboard, whose text could not be read: the text is
  // empty and nothing is to be sent.
  bool clipboard_unreadable = false;
  // The window that had the user's input when the questions were asked (0:
  // none), when the item asked and a target was wanted: the paste goes there,
  // not to whatever the user switched to while answering.
  std::optional<WindowHandle> asked_over;
};

// Whether the text may hold a field at all: a cheap look before the scan, so
// a large item without any is not copied into pieces.
bool MayHoldFields(std::string_view text);

// Expands a non-empty ".zrx" item. A text without fields goes through the
// date step as it always has. Otherwise the clipboard is read first (when a
// field quotes it) under the lock that keeps other sends' items out of it,
// which is let go again while the questions are asked (nullopt: the user
// cancelled), then the pieces between the fields are expanded in one date
// step and the values put between them. A code-page item that quotes the
// clipboard or asks is decoded first, so any script in the values survives.
// With `wants_target`, the target is looked up before the questions.
std::optional<ExpandedItem> ExpandItem(ItemText text, const DateFormats& formats, SenderSteps& steps,
                                       bool wants_target = false);

}  // namespace zrnx
