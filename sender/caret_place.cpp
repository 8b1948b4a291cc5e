#include "sender/caret_place.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zrnx {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The rich edit controls of version 2 and later, which keep a paragraph's
// end as one CR (version 1, "RICHEDIT", keeps CR LF and is left to the keys).
constexpr std::array<std::string_view, 4> kRichEditClasses = {"RichEdit20W", "RichEdit20A", "RICHEDIT50W",
                                                              "RICHEDIT60W"};

}  // namespace

CaretControl CaretControlOf(std::string_view class_name, bool multiline, bool unicode) {
  if (SameIgnoringCase(class_name, "Edit")) {
    if (!unicode) return CaretControl::kNone;
    return multiline ? CaretControl::kEdit : CaretControl::kSingleLineEdit;
  }
  for (std::string_view rich : kRichEditClasses)
    if (SameIgnoringCase(class_name, rich)) return CaretControl::kRichEdit;
  return CaretControl::kNone;
}

std::optional<SelectionPlan> PlanSelection(CaretControl control, Selection before, const CaretPlacement& caret) {
  const std::size_t start = std::min(before.first, before.second);
  switch (control) {
    case CaretControl::kNone:
      return std::nullopt;
    case CaretControl::kSingleLineEdit:
      if (caret.line_breaks) return std::nullopt;
      [[fallthrough]];
    case CaretControl::kEdit:
      return SelectionPlan{before, start + caret.edit_total, start + caret.edit_total - caret.edit_tail};
    case CaretControl::kRichEdit:
      return SelectionPlan{before, start + caret.rich_total, start + caret.rich_total - caret.rich_tail};
  }
  return std::nullopt;
}

bool PlaceCaretBySelection(const SelectionPlan& plan, SelectionPort& port) {
  const std::uint64_t begun = port.Milliseconds();
  Selection last = plan.before;
  std::uint64_t last_since = begun;
  for (;;) {
    Selection now;
    const SelectionPort::Answer answer = port.AskSelection(now);
    if (answer == SelectionPort::Answer::kGone) return false;
    const bool answered = answer == SelectionPort::Answer::kSelection;
    if (answered && now.first == plan.after_paste && now.second == plan.after_paste) return port.Select(plan.caret);
    const std::uint64_t at = port.Milliseconds();
    if (answered && now != last) last = now, last_since = at;
    // A paste may answer in the middle of its work (a rich edit control reads
    // the clipboard through OLE, which takes messages): only a selection that
    // moved and then stayed put is the paste's end.
    if ((last != plan.before && at - last_since >= kMovedSelectionSettles) || at - begun >= kPasteLandsWithin)
      return false;
    port.Pause(kSelectionPollPause);
  }
}

}  // namespace zrnx
