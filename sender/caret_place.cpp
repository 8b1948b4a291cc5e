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

std::optional<SelectionPlan> PlanSelection(CaretControl control, std::size_t start, const CaretPlacement& caret) {
  switch (control) {
    case CaretControl::kNone:
      return std::nullopt;
    case CaretControl::kSingleLineEdit:
      if (caret.line_breaks) return std::nullopt;
      [[fallthrough]];
    case CaretControl::kEdit:
      return SelectionPlan{start + caret.edit_total, start + caret.edit_total - caret.edit_tail};
    case CaretControl::kRichEdit:
      return SelectionPlan{start + caret.rich_total, start + caret.rich_total - caret.rich_tail};
  }
  return std::nullopt;
}

bool PlaceCaretBySelection(const SelectionPlan& plan, SelectionPort& port) {
  const std::uint64_t begun = port.Milliseconds();
  for (;;) {
    const std::optional<std::pair<std::size_t, std::size_t>> now = port.Selection();
    if (!now) return false;
    if (now->first == plan.after_paste && now->second == plan.after_paste) return port.Select(plan.caret);
    if (port.Milliseconds() - begun >= kPasteLandsWithin) return false;
    port.Pause(kSelectionPollPause);
  }
}

}  // namespace zrnx
