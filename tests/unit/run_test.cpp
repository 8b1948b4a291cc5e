#include "sender/run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/item_text_print.h"
#include "common/error.h"
#include "fakes/fake_profile_store.h"
#include "sender/texts.h"

namespace zrnx {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::StrictMock;

class MockSteps : public SenderSteps {
 public:
  MOCK_METHOD(void, PrepareDateNames, (), (override));
  MOCK_METHOD(void, ShowMessage, (std::string_view, std::string_view, unsigned), (override));
  MOCK_METHOD(void, ShowMessageWithValue, (std::string_view, std::string_view, std::string_view, unsigned), (override));
  MOCK_METHOD(bool, ItemFileExists, (const std::string&), (override));
  MOCK_METHOD(ItemText, LoadItemText, (const std::string&, const std::string&), (override));
  MOCK_METHOD(ItemText, ExpandDatePlaceholders, (const ItemText&, const DateFormats&), (override));
  MOCK_METHOD(void, PutTextOnClipboard, (ItemText), (override));
  MOCK_METHOD(WindowHandle, FindTargetWindow, (), (override));
  MOCK_METHOD(bool, IsWindow, (WindowHandle), (override));
  MOCK_METHOD(WindowHandle, ActivateTargetWindow, (WindowHandle), (override));
  MOCK_METHOD(void, SendPasteKey, (std::int32_t, WindowHandle), (override));
  MOCK_METHOD(void, KeepItemShortcuts, (const std::string&), (override));
};

ItemText Cp(std::string bytes) { return {std::move(bytes), TextEncoding::kCodePage}; }

const std::string kIni = "C:\\Tools\\Zrnx.ini";

class RunTest : public ::testing::Test {
 protected:
  // Checked where it matters; allowed after any send.
  RunTest() { EXPECT_CALL(steps, KeepItemShortcuts(_)).Times(::testing::AnyNumber()); }
  int Run(std::string_view line) { return RunSender(line, kIni, steps, store); }
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
  EXPECT_CALL(steps, ItemFileExists("gone.zrx")).WillOnce(Return(false));
  EXPECT_CALL(steps, ShowMessage(kItemMissingText, kAppTitle, kBoxError));
  EXPECT_EQ(Run("z /p gone.zrx"), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, WildcardPathNamesNoFileEvenWhenASearchWouldFindOne) {
  EXPECT_CALL(steps, PrepareDateNames()).Times(3);
  EXPECT_CALL(steps, ShowMessage(kItemMissingText, kAppTitle, kBoxError)).Times(3);
  EXPECT_EQ(Run("z /p C:\\i\\*.zrx"), 0);
  EXPECT_EQ(Run("z /c C:\\i\\a?.zrx"), 0);
  EXPECT_EQ(Run("z \"C:\\i\\*\""), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, PasteModeRunsEveryStepInOrder) {
  store.Set("Option", "SendKey_Paste", "4");
  store.Set("Option", "DateFormat3", "");
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists("C:\\i\\A.ZRX")).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText("C:\\i\\A.ZRX", ".zrx")).WillOnce(Return(Cp("t %d0%")));
  EXPECT_CALL(steps, ExpandDatePlaceholders(Cp("t %d0%"), _)).WillOnce([](const ItemText&, const DateFormats& f) {
    EXPECT_EQ(f[0], "yyyy/mm/dd");
    EXPECT_EQ(f[3], "");  // present but empty is not the default
    EXPECT_EQ(f[9], "AM/PM hh:mm");
    return Cp("t now");
  });
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("t now")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(true));
  EXPECT_CALL(steps, ActivateTargetWindow(7)).WillOnce(Return(8));
  EXPECT_CALL(steps, SendPasteKey(4, 8));
  EXPECT_EQ(Run("z /P C:\\i\\A.ZRX"), 0);
  EXPECT_EQ(store.reads.front(), "DateFormat0");
  EXPECT_EQ(store.reads.back(), "SendKey_Paste");
  for (const auto& path : store.paths) EXPECT_EQ(path, kIni);
}

TEST_F(RunTest, OtherItemsAreSentAsReadAndCopyModeSendsNoKey) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText("a.url", ".url")).WillOnce(Return(Cp("%d0%")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("%d0%")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(7));
  EXPECT_CALL(steps, IsWindow(7)).WillOnce(Return(false));  // gone meanwhile
  EXPECT_EQ(Run("z /c a.url"), 0);
  EXPECT_THAT(store.reads, ElementsAre());
}

TEST_F(RunTest, EmptyZrxItemIsNotExpandedButStillPasted) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, ".zrx")).WillOnce(Return(Cp("")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("")));
  EXPECT_CALL(steps, FindTargetWindow()).WillOnce(Return(0));
  EXPECT_CALL(steps, SendPasteKey(0, 0));
  EXPECT_EQ(Run("z /p e.zrx"), 0);
}

TEST_F(RunTest, ClipboardOnlyModeActivatesNothing) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, ".txt")).WillOnce(Return(Cp("x")));
  EXPECT_CALL(steps, PutTextOnClipboard(Cp("x")));
  EXPECT_EQ(Run("z \"C:\\a b\\n.txt\""), 0);
}

TEST_F(RunTest, UnhandledErrorEndsTheRunWithItsBoxAndExitCodeOne) {
  InSequence order;
  EXPECT_CALL(steps, PrepareDateNames());
  EXPECT_CALL(steps, ItemFileExists(_)).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce([](auto&, auto&) -> ItemText { throw Error("broken"); });
  EXPECT_CALL(steps, ShowMessage("broken", kApplicationErrorTitle, kBoxTaskModal | kBoxError));
  EXPECT_EQ(Run("z /p a.zrx"), 1);
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

// The shortcuts are kept last, in every mode, and whatever they raise the
// send has succeeded: no box, exit code 0.
TEST(RunShortcutsTest, KeptAfterTheDeliveryAndNeverFailTheRun) {
  struct Case {
    const char* line;
    bool paste;
    int failure;  // 0 none, 1 Error, 2 out of memory
  };
  for (const Case c : {Case{"z /p C:\\i\\a.zrx", true, 0}, Case{"z /p C:\\i\\a.zrx", true, 1},
                       Case{"z /c C:\\i\\a.zrx", false, 2}, Case{"z C:\\i\\a.zrx", false, 1}}) {
    SCOPED_TRACE(c.line);
    NiceMock<MockSteps> steps;
    test::FakeProfileStore store;
    ON_CALL(steps, ItemFileExists(_)).WillByDefault(Return(true));
    ON_CALL(steps, LoadItemText(_, _)).WillByDefault(Return(Cp("x")));
    EXPECT_CALL(steps, ShowMessage(_, _, _)).Times(0);
    InSequence order;
    EXPECT_CALL(steps, PutTextOnClipboard(_));
    if (c.paste) EXPECT_CALL(steps, SendPasteKey(_, _));
    auto& keep = EXPECT_CALL(steps, KeepItemShortcuts("C:\\i\\a.zrx"));
    if (c.failure == 1) keep.WillOnce(::testing::Throw(Error("gone")));
    if (c.failure == 2) keep.WillOnce(::testing::Throw(std::bad_alloc()));
    EXPECT_EQ(RunSender(c.line, kIni, steps, store), 0);
  }
}

TEST_F(RunTest, AMissingItemOrAFailedReadKeepsNoShortcuts) {
  EXPECT_CALL(steps, KeepItemShortcuts(_)).Times(0);
  EXPECT_CALL(steps, PrepareDateNames()).Times(2);
  EXPECT_CALL(steps, ItemFileExists("gone.zrx")).WillOnce(Return(false));
  EXPECT_CALL(steps, ShowMessage(kItemMissingText, kAppTitle, kBoxError));
  EXPECT_EQ(Run("z /p gone.zrx"), 0);
  EXPECT_CALL(steps, ItemFileExists("a.zrx")).WillOnce(Return(true));
  EXPECT_CALL(steps, LoadItemText(_, _)).WillOnce(::testing::Throw(Error("locked")));
  EXPECT_CALL(steps, ShowMessage(_, kApplicationErrorTitle, _));
  EXPECT_EQ(Run("z /p a.zrx"), 1);
}

}  // namespace
}  // namespace zrnx
