// The real Zrnx.exe under Wine giving the clipboard back after a paste:
// what the user had copied (Unicode text and a private format) returns once
// the target has read the item, and stays away where that would be wrong.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/scoped_win.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

const UINT kPrivateFormat = RegisterClipboardFormatA("ZrnxTestPrivate");
const std::wstring kEarlierText = L"前に\x30b3\x30d4\x30fc\x3057\x305f text \x263a";
const std::string kPrivateBytes("\x01\x00\xFFprivate", 10);

// What the user had copied: Unicode text and a private format of its own.
void CopyEarlierContent(HWND owner) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const std::size_t text_bytes = (kEarlierText.size() + 1) * sizeof(wchar_t);
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, text_bytes);
  std::memcpy(GlobalLock(text), kEarlierText.c_str(), text_bytes);
  GlobalUnlock(text);
  SetClipboardData(CF_UNICODETEXT, text);
  HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, kPrivateBytes.size());
  std::memcpy(GlobalLock(bytes), kPrivateBytes.data(), kPrivateBytes.size());
  GlobalUnlock(bytes);
  SetClipboardData(kPrivateFormat, bytes);
  CloseClipboard();
}

std::optional<std::string> ReadPrivateFormat() {
  std::optional<std::string> result;
  if (!OpenClipboard(nullptr)) return result;
  if (HANDLE data = GetClipboardData(kPrivateFormat)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      result = std::string(bytes, GlobalSize(data)).substr(0, kPrivateBytes.size());
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

// A target in this process that is pasted into by message (kind 6). On the
// paste it reads the text and then, as the mode says, keeps the clipboard
// open (another program holding it while it is given back) or writes newer
// content of its own.
class PasteTarget : public TestWindow {
 public:
  enum class Mode { kRead, kReadAndHold, kReadAndWrite };
  explicit PasteTarget(Mode mode) : TestWindow("ZrnxTestPasteTarget", "target", true), mode_(mode) {}
  std::optional<std::string> pasted;
  bool holding = false;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message != WM_PASTE || !OpenClipboard(Handle())) return std::nullopt;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      pasted = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    if (mode_ == Mode::kReadAndWrite) {
      EmptyClipboard();
      HGLOBAL newer = GlobalAlloc(GMEM_MOVEABLE, 6);
      std::memcpy(GlobalLock(newer), "newer", 6);
      GlobalUnlock(newer);
      SetClipboardData(CF_TEXT, newer);
    }
    if (mode_ == Mode::kReadAndHold)
      holding = true;
    else
      CloseClipboard();
    return 0;
  }

 private:
  Mode mode_;
};

class SenderRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override { program_ = sandbox_.Copy("Zrnx.exe"); }

  // Runs the sender in paste mode and expects it to end by itself, without a box.
  void Paste(const std::string& settings, const std::string& text) {
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n" + settings);
    Process sender(Quote(program_) + " /p " + Quote(sandbox_.WriteFile("item.txt", text)), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
    EXPECT_EQ(FindAnyMessageBox(sender.Id()).has_value(), false);
  }

  Sandbox sandbox_;
  std::string program_;
  TestWindow owner_{"ZrnxTestOwner", "owner", false};
};

TEST_F(SenderRestoreTest, NotepadGetsTheItemAndTheClipboardComesBackWithTheSiblingToldAroundBothWrites) {
  Notepad notepad;
  // The sibling reads CF_TEXT while it is told of the write, before Notepad
  // reads the text as Unicode: the sender must still see Notepad's read.
  SiblingRecorder sibling;
  for (const std::string& item : {std::string("code page item"), std::string("\xEF\xBB\xBF" "decoded item")}) {
    SCOPED_TRACE(item);
    const std::string text = item.substr(item[0] == '\xEF' ? 3 : 0);
    sibling.seen.clear();
    notepad.Clear();
    CopyEarlierContent(owner_.Handle());
    ASSERT_TRUE(notepad.ComeForward());
    Paste("RestoreClipboard=1\r\n", item);
    EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == text; })) << notepad.Text();
    EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
    EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
    ASSERT_EQ(sibling.seen.size(), 4u);
    EXPECT_EQ(sibling.seen[1].clipboard, text);
    EXPECT_EQ(sibling.seen[2].message, 0x046Eu);
    EXPECT_EQ(sibling.seen[3].message, 0x046Fu);
    EXPECT_NE(sibling.seen[3].clipboard, std::optional<std::string>(text));
  }
}

TEST_F(SenderRestoreTest, WithoutTheFlagTheItemStays) {
  Notepad notepad;
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(notepad.ComeForward());
  Paste("RestoreClipboard=0\r\n", "stays");
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == "stays"; })) << notepad.Text();
  PumpMessages(300);
  EXPECT_EQ(ReadClipboardText(), "stays");
  EXPECT_EQ(ReadPrivateFormat(), std::nullopt);
}

TEST_F(SenderRestoreTest, TargetThatNeverReadsLeavesTheItemOnTheClipboard) {
  KeyRecorder target;  // takes the keys, never reads the clipboard
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  const ULONGLONG start = GetTickCount64();
  Paste("RestoreClipboard=1\r\n", "never read");
  RecordProperty("sender_ms", std::to_string(GetTickCount64() - start));
  EXPECT_EQ(target.events.size(), 4u);
  // The promise was kept when the sender ended: the item is there in both forms.
  EXPECT_EQ(ReadClipboardText(), "never read");
  EXPECT_EQ(ReadClipboardUnicode(), L"never read");
}

TEST_F(SenderRestoreTest, NewerContentWrittenAfterTheReadIsLeftAlone) {
  PasteTarget target(PasteTarget::Mode::kReadAndWrite);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "item");
  EXPECT_EQ(target.pasted, "item");
  EXPECT_EQ(ReadClipboardText(), "newer");
}

TEST_F(SenderRestoreTest, ClipboardHeldWhileGivingBackLeavesTheItemAndTheSenderEnds) {
  PasteTarget target(PasteTarget::Mode::kReadAndHold);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "held item");
  EXPECT_EQ(target.pasted, "held item");
  ASSERT_TRUE(target.holding);
  CloseClipboard();
  EXPECT_EQ(ReadClipboardText(), "held item");
  EXPECT_EQ(ReadPrivateFormat(), std::nullopt);
}

TEST_F(SenderRestoreTest, MessagePasteIntoAReadingTargetGivesBackToo) {
  PasteTarget target(PasteTarget::Mode::kRead);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "by message");
  EXPECT_EQ(target.pasted, "by message");
  EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
  EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
}

}  // namespace
}  // namespace zrnx::test
