// The real Zrnx.exe on a system whose code page is not Shift-JIS: its boxes
// still read as Japanese, and a UTF-8 Japanese item arrives in Notepad as
// its text.

#include <windows.h>

#include <gtest/gtest.h>

#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

class SenderWesternTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetACP(), 932u);
    program_ = sandbox_.Copy("Zrnx.exe");
  }
  MessageBoxSeen RunExpectingBox(const std::string& args, std::string_view title, DWORD exit_code) {
    Process sender(Quote(program_) + " " + args, sandbox_.Dir());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(title), sender.Id());
    EXPECT_TRUE(box.has_value()) << args;
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(exit_code)) << args;
    return box.value_or(MessageBoxSeen{});
  }
  Sandbox sandbox_;
  std::string program_;
};

TEST_F(SenderWesternTest, BoxesReadAsJapanese) {
  EXPECT_EQ(RunExpectingBox("/p", kAppTitle, 0).wide_text, L"パラメータの指定に誤りがあります。");
  EXPECT_EQ(RunExpectingBox("gone.zrx", kAppTitle, 0).wide_text, L"指定したファイルが見当たりません。\r\n\r\ngone.zrx");
  const MessageBoxSeen about = RunExpectingBox("", kAboutTitle, 0);
  EXPECT_EQ(about.wide_title, L"バージョン情報 - Zarnik NX");
  EXPECT_EQ(about.wide_text.substr(0, 18), L"Zarnik NX Ver.1.19");

  // The path keeps the system's code page: a byte that is a lead byte in
  // Shift-JIS is a letter of its own here.
  const std::string item = sandbox_.WriteFile("caf\xE9.txt", "locked");
  HANDLE lock = CreateFileA(item.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const MessageBoxSeen error = RunExpectingBox(Quote(item), kApplicationErrorTitle, 1);
  CloseHandle(lock);
  EXPECT_EQ(error.wide_title, L"ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ");
  EXPECT_NE(error.wide_text.find(L"caf\u00E9.txt は開けません"), std::wstring::npos);
  EXPECT_EQ(error.wide_text.substr(0, 5), L"ﾌｧｲﾙ ");
}

TEST_F(SenderWesternTest, Utf8JapaneseItemArrivesAsItsText) {
  // "こんにちは、世界①" in UTF-8, as Notepad saves it.
  const std::string item = sandbox_.WriteFile(
      "hello.txt", "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\xE3\x80\x81\xE4\xB8\x96\xE7\x95\x8C"
                   "\xE2\x91\xA0");
  const std::wstring expected = L"\u3053\u3093\u306B\u3061\u306F\u3001\u4E16\u754C\u2460";
  Notepad notepad;
  ASSERT_TRUE(notepad.ComeForward());
  Process sender(Quote(program_) + " /p " + Quote(item), sandbox_.Dir());
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadClipboardUnicode(), expected);
  EXPECT_TRUE(WaitUntil([&] { return notepad.WideText() == expected; }, kDefaultTimeout));
}

}  // namespace
}  // namespace zrnx::test
