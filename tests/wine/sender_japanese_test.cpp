// The real Zrnx.exe under the Japanese locale (code page 932): Shift-JIS
// items and paths, byte for byte.

#include <windows.h>

#include <gtest/gtest.h>

#include "sender/item_files.h"
#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

// "表" and "ソ" end in 0x5C, the backslash; "ｶﾀｶﾅ" are single bytes above 0x7F.
const std::string kFolder = "表示ソフト";
const std::string kText = "お世話になっております。\r\n表示・ソフト・ｶﾀｶﾅ・全角＼・\\ 1/2\r\n";

TEST(SenderJapaneseTest, ShiftJisItemArrivesInNotepadByteForByte) {
  ASSERT_EQ(GetACP(), 932u);
  Sandbox sandbox;
  const std::string program = sandbox.Copy("Zrnx.exe");
  ASSERT_TRUE(CreateDirectoryA(sandbox.PathOf(kFolder).c_str(), nullptr));
  const std::string item = sandbox.WriteFile(kFolder + "\\挨拶ソ.zrx", kText);
  Notepad notepad;
  ASSERT_TRUE(notepad.ComeForward());
  Process sender(Quote(program) + " /p " + Quote(item), sandbox.Dir());
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadClipboardText(), kText);
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == kText; }, kDefaultTimeout)) << notepad.Text();
}

TEST(SenderJapaneseTest, OpenErrorNamesTheShiftJisPath) {
  Sandbox sandbox;
  const std::string program = sandbox.Copy("Zrnx.exe");
  ASSERT_TRUE(CreateDirectoryA(sandbox.PathOf(kFolder).c_str(), nullptr));
  const std::string item = sandbox.WriteFile(kFolder + "\\鍵付き.txt", "locked");
  // Held open for writing: the sender's read is refused.
  HANDLE lock = CreateFileA(item.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  SetClipboardText("before");
  Process sender(Quote(program) + " " + Quote(item), sandbox.Dir());
  std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(kApplicationErrorTitle), sender.Id());
  CloseHandle(lock);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, OpenErrorText(item));
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(1));
  EXPECT_EQ(ReadClipboardText(), "before");
}

}  // namespace
}  // namespace zrnx::test
