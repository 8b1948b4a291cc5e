#pragma once
// A text item's expansion in the run: the dates, and the fields that place
// the caret, quote the clipboard and ask the user. The platform is reached
// through the run's steps, so the whole flow is tested without Windows.

#include <cstddef>
#include <optional>

#include "sender/item_text.h"
#include "sender/run.h"

namespace zrnx {

struct ExpandedItem {
  ItemText text;
  // Left-arrow presses that put the caret where "%cursor%" stood after the
  // paste; 0 without one, or when it stands at the end or too far back.
  std::size_t caret_presses = 0;
  // The item quotes the clipboard, whose text could not be read: the text is
  // empty and nothing is to be sent.
  bool clipboard_unreadable = false;
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
std::optional<ExpandedItem> ExpandItem(ItemText text, const DateFormats& formats, SenderSteps& steps);

}  // namespace zrnx
