// The run with an item's fields: the caret's presses after a pasting key
// only, the clipboard read and the questions asked before anything is
// written, a cancelled box that sends nothing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/item_text_print.h"
#include "fakes/mock_sender_steps.h"
#include "sender/item_fields.h"
#include "sender/run.h"
#include "sender/texts.h"

namespace zrnx {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::StrictMock;
using test::MockSteps;

const std::wstring kIni = L"C:\\Tools\\Zrnx.ini";

ItemText Cp(std::string bytes) { return {std::move(bytes), TextEncoding::kCodePage}; }
ItemText U8(std::string bytes) { return {std::move(bytes), TextEncoding::kUtf8}; }

// The date step as a stand-in: "%d0%" becomes "%cursor%", so a date's value
// that looks like a field shows whether it was taken for one.
ItemText FakeDates(const ItemText& text, const DateFormats&) {
  std::string bytes = text.bytes;
  for (std::size_t at; (at = bytes.find("%d0%")) != std::string::npos;) bytes.replace(at, 4, "%cursor%");
  return {bytes, text.encoding};
}

int RunLine(std::string_view line, MockSteps& steps, test::FakeProfileStore& store) {
  return RunSender(std::wstring(line.begin(), line.end()), kIni, steps, store);
}

TEST(RunFieldsTest, TheCaretMovesBackOnlyAfterAPastingKeyAndWithinItsBound) {
  struct Case {
    const char* name;
    const char* line;
    int kind;
    std::string item;
    std::string sent;
    std::size_t presses;
    bool moves;  // the caret is placed at all
    PasteDelivery delivered = PasteDelivery::kDelivered;
  };
  const std::string tail(kMaxCaretPresses, 'x');
  const Case cases[] = {
      {"Ctrl+V", "z /p a.zrx", 0, "ab%cursor%cd", "abcd", 2, true},
      {"Alt+V", "z /p a.zrx", 5, "ab%cursor%c\r\nd%cursor%", "abc\r\nd", 3, true},
      {"paste message", "z /p a.zrx", 6, "ab%cursor%cd", "abcd", 0, false},
      {"no such kind", "z /p a.zrx", 7, "ab%cursor%cd", "abcd", 0, false},
      {"copy mode", "z /c a.zrx", 0, "ab%cursor%cd", "abcd", 0, false},
      {"clipboard only", "z a.zrx", 0, "ab%cursor%cd", "abcd", 0, false},
      {"at the end", "z /p a.zrx", 0, "ab%cursor%", "ab", 0, false},
      {"not delivered", "z /p a.zrx", 0, "ab%cursor%cd", "abcd", 0, true, PasteDelivery::kNotDelivered},
      {"a date's value is no field", "z /p a.zrx", 0, "%d0%%cursor%x", "%cursor%x", 1, true},
      {"an escape", "z /p a.zrx", 0, "%%cursor%%", "%cursor%", 0, false},
      {"at the bound", "z /p a.zrx", 0, "%cursor%" + tail, tail, kMaxCaretPresses, true},
      {"past the bound", "z /p a.zrx", 0, "%cursor%x" + tail, "x" + tail, 0, true},
      {"plain text item", "z /p a.txt", 0, "ab%cursor%cd", "ab%cursor%cd", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NiceMock<MockSteps> steps;
    test::FakeProfileStore store;
    store.Set("Option", "SendKey_Paste", std::to_string(c.kind));
    ON_CALL(steps, ItemFileExists(_)).WillByDefault(Return(true));
    ON_CALL(steps, LoadItemText(_, _)).WillByDefault(Return(Cp(c.item)));
    ON_CALL(steps, ExpandDatePlaceholders(_, _)).WillByDefault(FakeDates);
    ON_CALL(steps, SendPasteKey(_, _)).WillByDefault(Return(c.delivered));
    EXPECT_CALL(steps, DecodeItemText(_)).Times(0);
    EXPECT_CALL(steps, PutTextOnClipboard(Cp(c.sent)));
    InSequence order;
    EXPECT_CALL(steps, PrepareCaretPlacement()).Times(c.moves ? 1 : 0);
    EXPECT_CALL(steps, SendPasteKey(_, _)).Times(std::string_view(c.line).find("/p") != std::string_view::npos ? 1 : 0);
    // Not after a paste that did not go out.
    const bool after = c.moves && c.delivered == PasteDelivery::kDelivered;
    EXPECT_CALL(steps, MoveCaretBack(::testing::Field(&CaretPlacement::presses, c.presses))).Times(after ? 1 : 0);
    RunLine(c.line, steps, store);
  }
}

class RunQuestionsTest : public ::testing::Test {
 protected:
  RunQuestionsTest() {
    EXPECT_CALL(steps, KeepItemShortcuts(_)).Times(::testing::AnyNumber());
    EXPECT_CALL(steps, SettleClipboard()).Times(::testing::AnyNumber());
    store.Set("Option", "RestoreClipboard", "1");
  }
  // The steps every send starts with, up to the item's text.
  void Starts(ItemText item) {
    EXPECT_CALL(steps, PrepareDateNames());
    EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
    EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce(Return(item));
  }
  StrictMock<MockSteps> steps;
  test::FakeProfileStore store;
};

TEST_F(RunQuestionsTest, ClipboardAndAnswersAreTakenFirstAndGoInVerbatim) {
  InSequence order;
  Starts(Cp("%input:Name% %clipboard% %d0%/%input:Name%"));
  // Decoded so that any script in the values survives.
  EXPECT_CALL(steps, DecodeItemText(Cp("%input:Name% %clipboard% %d0%/%input:Name%")))
      .WillOnce(Return(U8("%input:Name% %clipboard% %d0%/%input:Name%")));
  EXPECT_CALL(steps, LockClipboard()).WillOnce(Return(true));
  EXPECT_CALL(steps, ReadClipboardText()).WillOnce(Return("%d0%"));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(0));
  EXPECT_CALL(steps, AskQuestions(std::vector<std::string>{"Name"}, 0u))
      .WillOnce(Return(std::vector<std::string>{"%clipboard%"}));
  EXPECT_CALL(steps, ExpandDatePlaceholders(U8(std::string("\0 \0 %d0%/\0", 10)), _))
      .WillOnce(Return(U8(std::string("\0 \0 NOW/\0", 9))));
  EXPECT_CALL(steps, LockClipboard()).WillOnce(Return(true));
  EXPECT_CALL(steps, KeepClipboard());
  EXPECT_CALL(steps, PutTextOnClipboard(U8("%clipboard% %d0% NOW/%clipboard%")));
  EXPECT_CALL(steps, WaitBeforePaste(0));
  EXPECT_CALL(steps, SendPasteKey(0, 0)).WillOnce(Return(PasteDelivery::kDelivered));
  EXPECT_CALL(steps, GiveClipboardBack());
  EXPECT_EQ(RunLine("z /p a.zrx", steps, store), 0);
}

// The user may switch windows to look up an answer: the paste goes to the
// window in front before the box opened, or nowhere when it was closed.
TEST(RunTargetTest, TheWindowInFrontBeforeTheQuestionsGetsThePaste) {
  struct Case {
    const char* name;
    const char* line;
    WindowHandle before;  // in front when the box opened
    bool still_there;
    WindowHandle activated;  // 0: none
    bool refused;
  } cases[] = {
      {"kept", "z /p a.zrx", 7, true, 7, false},
      {"closed meanwhile", "z /p a.zrx", 7, false, 0, true},
      {"none before", "z /p a.zrx", 0, false, 0, false},
      {"copy mode, closed", "z /c a.zrx", 7, false, 0, false},
      {"copy mode, kept", "z /c a.zrx", 7, true, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NiceMock<MockSteps> steps;
    test::FakeProfileStore store;
    ON_CALL(steps, ItemFileExists(_)).WillByDefault(Return(true));
    ON_CALL(steps, LoadItemText(_, _)).WillByDefault(Return(U8("a %input% b")));
    ON_CALL(steps, ExpandDatePlaceholders(_, _)).WillByDefault(FakeDates);
    ON_CALL(steps, IsWindow(_)).WillByDefault(Return(c.still_there));
    ON_CALL(steps, ActivateTargetWindow(_)).WillByDefault(Return(70));
    ON_CALL(steps, ForegroundWindow()).WillByDefault(Return(7));
    ON_CALL(steps, RootOwner(_)).WillByDefault(Return(7));
    ON_CALL(steps, SendPasteKey(_, _)).WillByDefault(Return(PasteDelivery::kDelivered));
    {
      InSequence order;
      // Once, before the box: the window in front afterwards may be another.
      EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(c.before));
      EXPECT_CALL(steps, AskQuestions(_, _)).WillOnce(Return(std::vector<std::string>{"x"}));
      EXPECT_CALL(steps, PutTextOnClipboard(U8("a x b")));
    }
    EXPECT_CALL(steps, ActivateTargetWindow(c.activated)).Times(c.activated ? 1 : 0);
    EXPECT_CALL(steps, ShowMessage(kTargetClosedText, _, _)).Times(c.refused ? 1 : 0);
    EXPECT_CALL(steps, SendPasteKey(_, _)).Times(c.refused || c.line[3] == 'c' ? 0 : 1);
    EXPECT_EQ(RunLine(c.line, steps, store), c.refused ? 1 : 0);
  }
}

TEST_F(RunQuestionsTest, CancelSendsNothingAndLeavesTheClipboard) {
  InSequence order;
  Starts(U8("a %input% b"));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, AskQuestions(std::vector<std::string>{""}, 0u)).WillOnce(Return(std::nullopt));
  EXPECT_EQ(RunLine("z /p a.zrx", steps, store), kExitCancelled);
}

TEST_F(RunQuestionsTest, TheBoxAsksABoundedNumberAndTheRestStayEmpty) {
  std::string item;
  std::vector<std::string> shown;
  std::vector<std::string> answers;
  for (int i = 0; i < 12; ++i) {
    item += "%input:L" + std::to_string(i) + "%,";
    if (i < 10) shown.push_back("L" + std::to_string(i)), answers.push_back(std::to_string(i));
  }
  InSequence order;
  Starts(U8(item));
  EXPECT_CALL(steps, AskQuestions(shown, 2u)).WillOnce(Return(answers));
  EXPECT_CALL(steps, ExpandDatePlaceholders(_, _)).WillOnce(FakeDates);
  EXPECT_CALL(steps, PutTextOnClipboard(U8("0,1,2,3,4,5,6,7,8,9,,,")));
  EXPECT_EQ(RunLine("z a.zrx", steps, store), 0);
}

}  // namespace
}  // namespace zrnx
