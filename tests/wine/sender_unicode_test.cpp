// The real Zrnx.exe under the Japanese locale with items saved as UTF-8 (with
// and without a mark) and UTF-16: pasted into Notepad they arrive as their
// text, and the clipboard holds the exact text as CF_UNICODETEXT beside the
// Shift-JIS CF_TEXT. A Shift-JIS item is sent as it always was.

#include <windows.h>

#include <gtest/gtest.h>

#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

// The same text four ways; this file's plain literals are Shift-JIS.
const std::wstring kWide = L"お世話になっております。\r\n①表示・ｶﾀｶﾅ %d9%\r\n";
const std::string kShiftJis = "お世話になっております。\r\n①表示・ｶﾀｶﾅ %d9%\r\n";

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::string Utf16Le(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

class SenderUnicodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    program_ = sandbox_.Copy("Zrnx.exe");
    // %d9% with a pattern without letters, so that the expected text is known.
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nDateFormat9='日付'.\r\n");
  }

  // Pastes the item into Notepad; what Notepad shows, as UTF-16.
  std::wstring Paste(const std::string& name, const std::string& bytes) {
    const std::string item = sandbox_.WriteFile(name, bytes);
    notepad_.Clear();
    EXPECT_TRUE(notepad_.ComeForward());
    Process sender(Quote(program_) + " /p " + Quote(item), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0)) << name;
    WaitUntil([&] { return !notepad_.WideText().empty(); }, kDefaultTimeout);
    return notepad_.WideText();
  }

  Sandbox sandbox_;
  std::string program_;
  Notepad notepad_;
};

const std::wstring kExpanded = L"お世話になっております。\r\n①表示・ｶﾀｶﾅ 日付.\r\n";

TEST_F(SenderUnicodeTest, UnicodeItemsArriveAsTheirText) {
  const std::pair<const char*, std::string> items[] = {
      {"notepad.zrx", Utf8(kWide)},
      {"marked.zrx", "\xEF\xBB\xBF" + Utf8(kWide)},
      {"utf16.zrx", Utf16Le(kWide)},
  };
  for (const auto& [name, bytes] : items) {
    EXPECT_EQ(Paste(name, bytes), kExpanded) << name;
    EXPECT_EQ(ReadClipboardUnicode(), kExpanded) << name;
    EXPECT_EQ(ReadClipboardText(), ToShiftJis(kExpanded)) << name;
  }
}

TEST_F(SenderUnicodeTest, ShiftJisItemIsSentAsItAlwaysWas) {
  EXPECT_EQ(Paste("sjis.zrx", kShiftJis), kExpanded);
  EXPECT_EQ(ReadClipboardText(), ToShiftJis(kExpanded));
}

}  // namespace
}  // namespace zrnx::test
