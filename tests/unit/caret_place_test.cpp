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
      {"edit", CaretControl::kEdit, breaks, SelectionPlan{16, 14}},
      {"rich edit", CaretControl::kRichEdit, breaks, SelectionPlan{15, 13}},
      {"single line, a line break", CaretControl::kSingleLineEdit, breaks, std::nullopt},
      {"single line, one line", CaretControl::kSingleLineEdit, plain, SelectionPlan{16, 14}},
      {"other", CaretControl::kNone, plain, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlanSelection(c.kind, 10, c.caret), c.plan);
  }
}

class FakeSelection final : public SelectionPort {
 public:
  // The selections the control answers, one per question; the last repeats.
  std::deque<std::optional<std::pair<std::size_t, std::size_t>>> answers;
  std::vector<std::size_t> selected;
  bool select_works = true;
  std::uint64_t now = 0;
  unsigned questions = 0;

  std::optional<std::pair<std::size_t, std::size_t>> Selection() override {
    ++questions;
    auto answer = answers.front();
    if (answers.size() > 1) answers.pop_front();
    return answer;
  }
  bool Select(std::size_t position) override {
    selected.push_back(position);
    return select_works;
  }
  void Pause(unsigned milliseconds) override { now += milliseconds; }
  std::uint64_t Milliseconds() override { return now; }
};

TEST(CaretPlaceTest, TheCaretIsSetOnlyOnceThePasteHasLandedAsPlanned) {
  using Sel = std::optional<std::pair<std::size_t, std::size_t>>;
  const SelectionPlan plan{16, 14};
  struct Case {
    const char* name;
    std::vector<Sel> answers;
    bool select_works;
    bool placed;
    std::vector<std::size_t> selected;
  } cases[] = {
      {"landed at once", {Sel({16, 16})}, true, true, {14}},
      {"landed after a while", {Sel({10, 10}), Sel({10, 10}), Sel({16, 16})}, true, true, {14}},
      {"the selection kept", {Sel({10, 16})}, true, false, {}},
      {"landed elsewhere", {Sel({15, 15})}, true, false, {}},
      {"stopped answering", {Sel({10, 10}), Sel()}, true, false, {}},
      {"refused the caret", {Sel({16, 16})}, false, false, {14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSelection port;
    port.answers.assign(c.answers.begin(), c.answers.end());
    port.select_works = c.select_works;
    EXPECT_EQ(PlaceCaretBySelection(plan, port), c.placed);
    EXPECT_EQ(port.selected, c.selected);
    EXPECT_LE(port.now, kPasteLandsWithin + kSelectionPollPause);
  }
}

TEST(CaretPlaceTest, TheWaitForThePasteIsBounded) {
  FakeSelection port;
  port.answers = {std::make_pair(std::size_t{10}, std::size_t{10})};
  EXPECT_FALSE(PlaceCaretBySelection({16, 14}, port));
  EXPECT_GE(port.now, kPasteLandsWithin);
  EXPECT_EQ(port.questions, kPasteLandsWithin / kSelectionPollPause + 1);
}

}  // namespace
}  // namespace zrnx
