// The caret placed by message: which controls take it, in which units, and
// the wait for the paste to land before the caret is set.

#include <gtest/gtest.h>

#include <deque>

#include "sender/caret_place.h"

namespace zrnx {
namespace {

TEST(CaretPlaceTest, OnlyStandardEditAndRichEditControlsAreToldByMessage) {
  struct Case {
    const char* name;
    bool multiline, unicode;
    CaretControl kind;
  } cases[] = {
      {"Edit", true, true, CaretControl::kEdit},
      {"edit", true, true, CaretControl::kEdit},
      {"Edit", false, true, CaretControl::kSingleLineEdit},
      {"Edit", true, false, CaretControl::kNone},  // counts in code-page bytes
      {"RichEdit20W", true, true, CaretControl::kRichEdit},
      {"RichEdit20A", false, false, CaretControl::kRichEdit},
      {"RICHEDIT50W", true, true, CaretControl::kRichEdit},
      {"RichEdit60W", true, true, CaretControl::kRichEdit},
      {"RICHEDIT", true, true, CaretControl::kNone},  // version 1 keeps CR LF
      {"Edit2", true, true, CaretControl::kNone},
      {"Scintilla", true, true, CaretControl::kNone},
      {"", true, true, CaretControl::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CaretControlOf(c.name, c.multiline, c.unicode), c.kind);
  }
}

TEST(CaretPlaceTest, ThePlanCountsInTheControlsOwnUnits) {
  // "ab\r\n%cursor%cd": CR LF is two units in an edit control, one in a rich edit.
  CaretPlacement breaks;
  breaks.presses = 2, breaks.edit_tail = 2, breaks.edit_total = 6, breaks.rich_tail = 2, breaks.rich_total = 5;
  breaks.line_breaks = true;
  CaretPlacement plain = breaks;
  plain.line_breaks = false;
  struct Case {
    const char* name;
    CaretControl kind;
    const CaretPlacement& caret;
    std::optional<SelectionPlan> plan;
  } cases[] = {
      {"edit", CaretControl::kEdit, breaks, SelectionPlan{{12, 10}, 16, 14}},
      {"rich edit", CaretControl::kRichEdit, breaks, SelectionPlan{{12, 10}, 15, 13}},
      {"single line, a line break", CaretControl::kSingleLineEdit, breaks, std::nullopt},
      {"single line, one line", CaretControl::kSingleLineEdit, plain, SelectionPlan{{12, 10}, 16, 14}},
      {"other", CaretControl::kNone, plain, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Selected backwards: the paste goes in from the selection's lower end.
    EXPECT_EQ(PlanSelection(c.kind, {12, 10}, c.caret), c.plan);
  }
}

class FakeSelection final : public SelectionPort {
 public:
  // The selections the control answers, one per question; the last repeats.
  std::deque<std::optional<Selection>> answers;
  std::vector<std::size_t> selected;
  bool select_works = true;
  std::uint64_t now = 0;
  unsigned questions = 0;

  // nullopt: busy; kGoneMark: gone.
  Answer AskSelection(Selection& out) override {
    ++questions;
    const std::optional<Selection> answer = answers.front();
    if (answers.size() > 1) answers.pop_front();
    if (!answer) return Answer::kBusy;
    if (*answer == kGoneMark) return Answer::kGone;
    out = *answer;
    return Answer::kSelection;
  }
  static constexpr Selection kGoneMark{~std::size_t{0}, ~std::size_t{0}};
  bool Select(std::size_t position) override {
    selected.push_back(position);
    return select_works;
  }
  void Pause(unsigned milliseconds) override { now += milliseconds; }
  std::uint64_t Milliseconds() override { return now; }
};

TEST(CaretPlaceTest, TheCaretIsSetOnlyOnceThePasteHasLandedAsPlanned) {
  using Sel = std::optional<Selection>;
  const SelectionPlan plan{{10, 12}, 16, 14};
  struct Case {
    const char* name;
    std::vector<Sel> answers;
    bool select_works;
    bool placed;
    std::vector<std::size_t> selected;
    unsigned asked;  // questions to the control
  } cases[] = {
      {"landed at once", {Sel({16, 16})}, true, true, {14}, 1},
      {"landed after a while", {Sel({10, 12}), Sel({10, 12}), Sel({16, 16})}, true, true, {14}, 3},
      {"passing through other places", {Sel({10, 12}), Sel({10, 10}), Sel({13, 13}), Sel({16, 16})}, true, true, {14}, 4},
      {"landed with a selection", {Sel({10, 12}), Sel({10, 16})}, true, false, {}, 2 + kMovedSelectionSettles / kSelectionPollPause},
      {"landed elsewhere", {Sel({15, 15})}, true, false, {}, 1 + kMovedSelectionSettles / kSelectionPollPause},
      {"busy pasting, then landed", {Sel({10, 12}), Sel(), Sel(), Sel({16, 16})}, true, true, {14}, 4},
      {"busy all along", {Sel()}, true, false, {}, 1 + kPasteLandsWithin / kSelectionPollPause},
      {"gone", {Sel({10, 12}), Sel(FakeSelection::kGoneMark)}, true, false, {}, 2},
      {"refused the caret", {Sel({16, 16})}, false, false, {14}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSelection port;
    port.answers.assign(c.answers.begin(), c.answers.end());
    port.select_works = c.select_works;
    EXPECT_EQ(PlaceCaretBySelection(plan, port), c.placed);
    EXPECT_EQ(port.selected, c.selected);
    EXPECT_LE(port.now, kPasteLandsWithin + kSelectionPollPause);
    // Given up on once a moved selection has stayed put.
    EXPECT_EQ(port.questions, c.asked);
  }
}

TEST(CaretPlaceTest, TheWaitForThePasteIsBounded) {
  FakeSelection port;
  port.answers = {Selection(10, 10)};
  EXPECT_FALSE(PlaceCaretBySelection({{10, 10}, 16, 14}, port));
  EXPECT_GE(port.now, kPasteLandsWithin);
  EXPECT_EQ(port.questions, kPasteLandsWithin / kSelectionPollPause + 1);
}

}  // namespace
}  // namespace zrnx
