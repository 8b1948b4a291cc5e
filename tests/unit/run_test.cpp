#include "sender/run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/item_text_print.h"
#include "common/error.h"
#include "fakes/fake_profile_store.h"
#include "fakes/mock_sender_steps.h"
#include "sender/texts.h"
#include "sender/paste_guard.h"

namespace zrnx {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::StrictMock;
using test::MockSteps;


ItemText Cp(std::string bytes) { return {std::move(bytes), TextEncoding::kCodePage}; }

const std::wstring kIni = L"C:\\Tools\\Zrnx.ini";

class RunTest : public ::testing::Test {
 protected:
  // Checked where it matters; allowed after any send.
  RunTest() {
    EXPECT_CALL(steps, SettleClipboard()).Times(::testing::AnyNumber());
    EXPECT_CALL(steps, KeepItemShortcuts(_)).Times(::testing::AnyNumber());
  }
  // ASCII lines, widened unit by unit; the splitting itself is tested on its own.
  int Run(std::string_view line) { return RunSender(std::wstring(line.begin(), line.end()), kIni, steps, store); }
  int Run(std::wstring_view line) { return RunSender(line, kIni, steps, store); }
  StrictMock<MockSteps> steps;
  test::FakeProfileStore store;
};

TEST_F(RunTest, NoArgumentsShowsTheAboutBoxOnly) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ShowMessage(kAboutText, kAboutTitle, kBoxInformation));
  EXPECT_EQ(Run("\"C:\\Tools\\Zrnx.exe\"  "), 0);
}

TEST_F(RunTest, UsageErrorTouchesNothing) {
  EXPECT_CALL(steps, PrepareDateNames()).Times(3);
  EXPECT_CALL(steps, ShowMessage(kUsageText, kAppTitle, kBoxError)).Times(3);
  EXPECT_EQ(Run("z /p"), 0);
  EXPECT_EQ(Run("z a b"), 0);
  EXPECT_EQ(Run("z /c a b"), 0);
}

TEST_F(RunTest, MissingItemShowsItsBoxAndReadsNothing) {
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(std::wstring(L"gone.zrx"))).WillOnce(Return(false));
  EXPECT_CALL(steps, ShowMessageWithPath(kItemMissingPathText, std::wstring_view(L"gone.zrx"), kAppTitle, kBoxError));
  EXPECT_EQ(Run("z /p gone.zrx"), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, WildcardPathNamesNoFileEvenWhenASearchWouldFindOne) {
  EXPECT_CALL(steps, PrepareDateNames()).Times(4);
  EXPECT_CALL(steps, ShowMessageWithPath(kItemMissingPathText, _, kAppTitle, kBoxError)).Times(4);
  EXPECT_EQ(Run("z /p C:\\i\\*.zrx"), 0);
  EXPECT_EQ(Run("z /c C:\\i\\a?.zrx"), 0);
  EXPECT_EQ(Run("z \"C:\\i\\*\""), 0);
  // The wide form carries a '?' itself: no search is made on it.
  EXPECT_EQ(Run(std::wstring_view(L"z /p \"C:\\\x8FD4?.zrx\"")), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, PasteModeRunsEveryStepInOrder) {
  store.Set("Option", "SendKey_Paste", "4");
  store.Set("Option", "DateFormat3", "");
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(std::wstring(L"C:\\i\\A.ZRX"))).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(std::wstring(L"C:\\i\\A.ZRX"), std::wstring(L".zrx"))).WillOnce(Return(Cp("t %d0%")));
  EXPECT_CALL(steps, ExpandDatePlaceholders(Cp("t %d0%"), _)).WillOnce([](const ItemText&, const DateFormats& f) {
    EXPECT_EQ(f[0], "yyyy/mm/dd");
    EXPECT_EQ(f[3], "");  // present but empty is not the default
    EXPECT_EQ(f[9], "AM/PM hh:mm");
    return Cp("t now");
  });
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("t now")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(true));
  EXPECT_CALL(steps, IsHung(7)).WillOnce(Return(false));
  EXPECT_CALL(steps, ActivateTargetWindow(7)).WillOnce(Return(8));
  EXPECT_CALL(steps, WaitBeforePaste(4));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(true));
  EXPECT_CALL(steps, OwnIntegrityLevel()).WillOnce(Return(0x2000));
  EXPECT_CALL(steps, IntegrityLevel(7)).WillOnce(Return(0x2000));
  EXPECT_CALL(steps, RootOwner(7)).WillOnce(Return(7));
  EXPECT_CALL(steps, ForegroundWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, RootOwner(7)).WillOnce(Return(7));
  EXPECT_CALL(steps, SendPasteKey(4, 8)).WillOnce(Return(PasteDelivery::kDelivered));
  EXPECT_EQ(Run("z /P C:\\i\\A.ZRX"), 0);
  EXPECT_EQ(store.reads.front(), "DateFormat0");
  EXPECT_EQ(store.reads.back(), "SendKey_Paste");
  for (const auto& path : store.paths) EXPECT_EQ(path, kIni);
}

TEST_F(RunTest, OtherItemsAreSentAsReadAndCopyModeSendsNoKey) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(std::wstring(L"a.url"), std::wstring(L".url"))).WillOnce(Return(Cp("%d0%")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("%d0%")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(false));  // gone meanwhile
  EXPECT_EQ(Run("z /c a.url"), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, CopyModeLeavesAHungTargetWhereItIs) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, std::wstring(L".txt"))).WillOnce(Return(Cp("x")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("x")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(true));
  EXPECT_CALL(steps, IsHung(7)).WillOnce(Return(true));
  EXPECT_EQ(Run("z /c a.txt"), 0);
}

TEST_F(RunTest, EmptyZrxItemIsNotExpandedButStillPasted) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, std::wstring(L".zrx"))).WillOnce(Return(Cp("")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(0));
  // With no target there is nothing to check; the keys go as before.
  EXPECT_CALL(steps, WaitBeforePaste(0));
  EXPECT_CALL(steps, SendPasteKey(0, 0)).WillOnce(Return(PasteDelivery::kDelivered));
  EXPECT_EQ(Run("z /p e.zrx"), 0);
}

// The checks before the paste, over one run each: the target 7 with the
// focus control 8 was activated; which box, which exit code, whether the
// paste went out.
TEST(RunPasteCheckTest, APasteThatCannotArriveTypesNothingAndSaysTheTextIsOnTheClipboard) {
  using Level = std::optional<std::uint32_t>;
  struct Case {
    const char* name;
    std::int32_t kind;
    WindowHandle focus, foreground, foreground_root;
    Level own, target;
    PasteDelivery handled;
    std::string_view box;  // empty: none
    bool sent;
    bool hung = false;  // the target stopped answering before the run
    WindowHandle target_root = 7;
    bool alive = true;  // the target still exists at the check
  };
  constexpr PasteDelivery kOk = PasteDelivery::kDelivered, kRefused = PasteDelivery::kNotDelivered,
                          kLate = PasteDelivery::kMaybeLate;
  const std::string_view none;
  const Case cases[] = {
      {"in front", 0, 8, 7, 7, 0x2000, 0x2000, kOk, none, true},
      {"its owned dialog in front", 1, 8, 9, 7, 0x2000, 0x2000, kOk, none, true},
      {"owned target, its owner in front", 0, 8, 3, 3, 0x2000, 0x2000, kOk, none, true, false, 3},
      {"owned target, another family in front", 0, 8, 5, 5, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false,
       false, 3},
      {"owned target, a chain ending at the target itself in front", 0, 8, 5, 7, 0x2000, 0x2000, kOk,
       kPasteNotDeliveredText, false, false, 3},
      {"another window in front", 0, 8, 5, 5, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false},
      {"nothing in front", 5, 8, 0, 0, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false},
      {"target closed meanwhile", 0, 8, 7, 7, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false, false, 7, false},
      {"target closed meanwhile, message", 6, 8, 7, 7, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false, false, 7,
       false},
      {"elevated target", 0, 8, 7, 7, 0x2000, 0x3000, kOk, kPasteElevatedText, false},
      {"elevated target, message", 6, 8, 7, 7, 0x2000, 0x3000, kOk, kPasteElevatedText, false},
      {"elevated target, not in front", 0, 8, 5, 5, 0x2000, 0x3000, kOk, kPasteElevatedText, false},
      {"system target, elevated sender", 0, 8, 7, 7, 0x3000, 0x4000, kOk, kPasteElevatedText, false},
      // Another user's process at any level: nothing known, nothing refused.
      {"level unreadable", 0, 8, 7, 7, 0x2000, std::nullopt, kOk, none, true},
      {"level unreadable, not in front", 0, 8, 5, 5, 0x2000, std::nullopt, kOk, kPasteNotDeliveredText, false},
      {"lower target", 0, 8, 7, 7, 0x2000, 0x1000, kOk, none, true},
      {"same level", 0, 8, 7, 7, 0x3000, 0x3000, kOk, none, true},
      {"elevated sender, unreadable target", 0, 8, 7, 7, 0x3000, std::nullopt, kOk, none, true},
      {"system without levels", 0, 8, 7, 7, std::nullopt, 0x3000, kOk, none, true},
      // The paste message reaches the focus control wherever the window stands.
      {"message kind, not in front", 6, 8, 5, 5, 0x2000, 0x2000, kOk, none, true},
      {"message kind, nothing in front", 6, 8, 0, 0, 0x2000, 0x2000, kOk, none, true},
      {"message refused by a hung window", 6, 8, 7, 7, 0x2000, 0x2000, kRefused, kPasteNotDeliveredText, true},
      {"message handler slower than the wait", 6, 8, 7, 7, 0x2000, 0x2000, kLate, kPasteMayBeLateText, true},
      // Nothing would be delivered: nothing to check, nothing to report.
      {"message kind, no focus", 6, 0, 5, 5, 0x2000, 0x3000, kOk, none, true},
      {"no such kind", 7, 8, 5, 5, 0x2000, 0x3000, kOk, none, true},
      // Never brought forward, so the sender is not held with it.
      {"hung before, keys", 0, 0, 7, 7, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false, true},
      {"hung before, message", 6, 0, 7, 7, 0x2000, 0x2000, kOk, kPasteNotDeliveredText, false, true},
      {"hung before, no such kind", -1, 0, 7, 7, 0x2000, 0x2000, kOk, none, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NiceMock<MockSteps> steps;
    test::FakeProfileStore store;
    store.Set("Option", "SendKey_Paste", std::to_string(c.kind));
    ON_CALL(steps, ItemFileExists(_)).WillByDefault(Return(true));
    ON_CALL(steps, LoadItemText(_, _)).WillByDefault(Return(Cp("x")));
    ON_CALL(steps, FindTargetWindow()).WillByDefault(Return(7));
    EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(true)).WillRepeatedly(Return(c.alive));
    ON_CALL(steps, IsHung(7)).WillByDefault(Return(c.hung));
    ON_CALL(steps, ActivateTargetWindow(7)).WillByDefault(Return(c.focus));
    EXPECT_CALL(steps, ActivateTargetWindow(7)).Times(c.hung ? 0 : 1);
    ON_CALL(steps, ForegroundWindow()).WillByDefault(Return(c.foreground));
    ON_CALL(steps, RootOwner(7)).WillByDefault(Return(c.target_root));
    if (c.foreground != 7) ON_CALL(steps, RootOwner(c.foreground)).WillByDefault(Return(c.foreground_root));
    ON_CALL(steps, OwnIntegrityLevel()).WillByDefault(Return(c.own));
    ON_CALL(steps, IntegrityLevel(7)).WillByDefault(Return(c.target));
    ON_CALL(steps, SendPasteKey(_, _)).WillByDefault(Return(c.handled));
    EXPECT_CALL(steps, ShowMessage(_, _, _)).Times(0);  // no other box
    {
      InSequence order;
      EXPECT_CALL(steps, PutTextOnClipboard(Cp("x")));
      EXPECT_CALL(steps, WaitBeforePaste(c.kind)).Times(c.hung && !c.sent ? 0 : 1);
      EXPECT_CALL(steps, SendPasteKey(c.kind, c.focus)).Times(c.sent ? 1 : 0);
      EXPECT_CALL(steps, ShowMessage(c.box, kAppTitle, kBoxWarning)).Times(c.box.empty() ? 0 : 1);
    }
    EXPECT_EQ(RunSender(L"z /p a.txt", kIni, steps, store), c.box.empty() ? 0 : 1);
  }
}

TEST_F(RunTest, ClipboardOnlyModeActivatesNothing) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, std::wstring(L".txt"))).WillOnce(Return(Cp("x")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("x")));
  EXPECT_EQ(Run("z \"C:\\a b\\n.txt\""), 0);
}

TEST_F(RunTest, ClipboardIsKeptAndGivenBackAroundThePasteOnlyInPasteModeWithTheFlag) {
  struct Case {
    const char* line;
    const char* flag;  // nullptr: no such key
    bool give_back;
  } cases[] = {{"z /p a.txt", "1", true},   {"z /p a.txt", "0x10", true}, {"z /p a.txt", "0", false},
               {"z /p a.txt", nullptr, false}, {"z /p a.txt", "on", false}, {"z /c a.txt", "1", false},
               {"z a.txt", "1", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line) + " " + (c.flag ? c.flag : "-"));
    StrictMock<MockSteps> run_steps;
    EXPECT_CALL(run_steps, KeepItemShortcuts(_)).Times(::testing::AnyNumber());
    EXPECT_CALL(run_steps, SettleClipboard()).Times(::testing::AnyNumber());
    test::FakeProfileStore settings;
    if (c.flag) settings.Set("Option", "RestoreClipboard", c.flag);
    const bool paste = std::string_view(c.line).find("/p") != std::string_view::npos;
    {
      InSequence order;
      EXPECT_CALL(run_steps, PrepareDateNames());
      EXPECT_CALL(run_steps, ItemFileExists(_)).WillOnce(Return(true));
      EXPECT_CALL(run_steps, LoadItemText(_, _)).WillOnce(Return(Cp("x")));
      if (c.give_back) EXPECT_CALL(run_steps, LockClipboard()).WillOnce(Return(true));
      if (c.give_back) EXPECT_CALL(run_steps, KeepClipboard());
      EXPECT_CALL(run_steps, PutTextOnClipboard(Cp("x")));
      if (c.line[2] == '/') EXPECT_CALL(run_steps, FindTargetWindow()).WillOnce(Return(0));
      if (paste) {
        EXPECT_CALL(run_steps, WaitBeforePaste(0));
        EXPECT_CALL(run_steps, SendPasteKey(0, 0)).WillOnce(Return(PasteDelivery::kDelivered));
      }
      if (c.give_back) EXPECT_CALL(run_steps, GiveClipboardBack()).WillOnce(Return(GiveBackOutcome::kNoTarget));
    }
    const std::string_view line = c.line;
    EXPECT_EQ(RunSender(std::wstring(line.begin(), line.end()), kIni, run_steps, settings), 0);
  }
}

TEST_F(RunTest, FailedWriteWithTheFlagEndsBeforeAnyPasteOrGiveBack) {
  store.Set("Option", "RestoreClipboard", "1");
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce(Return(Cp("x")));
  EXPECT_CALL(steps, LockClipboard()).WillOnce(Return(true));
  EXPECT_CALL(steps, KeepClipboard());
  EXPECT_CALL(steps, PutTextOnClipboard(_)).WillOnce([](ItemText) { throw Error("held"); });
  EXPECT_CALL(steps, ShowMessage("held", kApplicationErrorTitle, kBoxTaskModal | kBoxError));
  EXPECT_EQ(Run("z /p a.txt"), 1);
}

TEST_F(RunTest, UnhandledErrorEndsTheRunWithItsBoxAndExitCodeOne) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce([](auto&, auto&) -> ItemText { throw Error("broken"); });
  EXPECT_CALL(steps, ShowMessage("broken", kApplicationErrorTitle, kBoxTaskModal | kBoxError));
  EXPECT_EQ(Run("z /p a.zrx"), 1);
}

TEST_F(RunTest, AWidePathArrivesWholeAndItsErrorsShowItWide) {
  // An emoji (a surrogate pair) and a lone surrogate: neither is cut or replaced on the way.
  const std::wstring item = L"C:\\\x8FD4\x4FE1\xD83D\xDE00\xD800.ZRX";
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(item)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(item, std::wstring(L".zrx"))).WillOnce([](const std::wstring& path, auto&) -> ItemText {
    throw Error("ﾌｧｲﾙ %s は開けません", path);
  });
  EXPECT_CALL(steps, ShowMessageWithPath("ﾌｧｲﾙ %s は開けません", std::wstring_view(item), kApplicationErrorTitle,
                                         kBoxTaskModal | kBoxError));
  EXPECT_EQ(Run(L"z /p \"" + item + L"\""), 1);
}

TEST_F(RunTest, ErrorCarryingAPathShowsItApartFromTheProgramText) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce([](auto&, auto&) -> ItemText {
    throw Error("ﾌｧｲﾙ %s は開けません", "C:\\\x83\x5C.zrx");
  });
  EXPECT_CALL(steps, ShowMessageWithValue("ﾌｧｲﾙ %s は開けません", "C:\\\x83\x5C.zrx", kApplicationErrorTitle,
                                          kBoxTaskModal | kBoxError));
  EXPECT_EQ(Run("z /p a.zrx"), 1);
}

// A window whose owner chain cannot be read (gone meanwhile) is in no family.
TEST(DecidePasteTargetTest, UnknownOwnerRootsDoNotMatch) {
  PasteTargetFacts facts;
  facts.target = 7;
  facts.foreground = 5;
  EXPECT_EQ(DecidePasteTarget(facts), PasteRefusal::kNotInFront);
  facts.foreground = 7;
  EXPECT_EQ(DecidePasteTarget(facts), PasteRefusal::kNone);
}

// The shortcuts are kept last, in every mode, and whatever they raise the
// send has succeeded: no box, exit code 0.
TEST(RunShortcutsTest, KeptAfterTheDeliveryAndNeverFailTheRun) {
  struct Case {
    const wchar_t* line;
    bool paste;
    int failure;             // 0 none, 1 Error, 2 out of memory
    bool delivered = true;   // the paste went through; else its box and exit code 1
  };
  for (const Case c : {Case{L"z /p C:\\i\\a.zrx", true, 0}, Case{L"z /p C:\\i\\a.zrx", true, 1},
                       Case{L"z /c C:\\i\\a.zrx", false, 2}, Case{L"z C:\\i\\a.zrx", false, 1},
                       Case{L"z /p C:\\i\\a.zrx", true, 1, false}}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)) + (c.delivered ? "" : " undelivered"));
    NiceMock<MockSteps> steps;
    test::FakeProfileStore store;
    ON_CALL(steps, ItemFileExists(_)).WillByDefault(Return(true));
    ON_CALL(steps, LoadItemText(_, _)).WillByDefault(Return(Cp("x")));
    ON_CALL(steps, SendPasteKey(_, _))
        .WillByDefault(Return(c.delivered ? PasteDelivery::kDelivered : PasteDelivery::kNotDelivered));
    if (c.delivered) EXPECT_CALL(steps, ShowMessage(_, _, _)).Times(0);
    InSequence order;
    EXPECT_CALL(steps, PutTextOnClipboard(_));
    if (c.paste) EXPECT_CALL(steps, SendPasteKey(_, _));
    // Promised data is handed over before the Start menu (or a box) may take its time.
    EXPECT_CALL(steps, SettleClipboard());
    if (!c.delivered) EXPECT_CALL(steps, ShowMessage(kPasteNotDeliveredText, kAppTitle, kBoxWarning));
    auto& keep = EXPECT_CALL(steps, KeepItemShortcuts(std::wstring(L"C:\\i\\a.zrx")));
    if (c.failure == 1) keep.WillOnce(::testing::Throw(Error("gone")));
    if (c.failure == 2) keep.WillOnce(::testing::Throw(std::bad_alloc()));
    EXPECT_EQ(RunSender(c.line, kIni, steps, store), c.delivered ? 0 : 1);
  }
}

TEST_F(RunTest, AMissingItemOrAFailedReadKeepsNoShortcuts) {
  EXPECT_CALL(steps, KeepItemShortcuts(_)).Times(0);
  EXPECT_CALL(steps, PrepareDateNames()).Times(2);
  EXPECT_CALL(steps, ItemFileExists(std::wstring(L"gone.zrx"))).WillOnce(Return(false));
  EXPECT_CALL(steps, ShowMessageWithPath(kItemMissingPathText, _, kAppTitle, kBoxError));
  EXPECT_EQ(Run("z /p gone.zrx"), 0);
  EXPECT_CALL(steps, ItemFileExists(std::wstring(L"a.zrx"))).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce(::testing::Throw(Error("locked")));
  EXPECT_CALL(steps, ShowMessage(_, kApplicationErrorTitle, _));
  EXPECT_EQ(Run("z /p a.zrx"), 1);
}

}  // namespace
}  // namespace zrnx
