// The real Zrnx.exe with paths that the system code page cannot hold: items
// named in other scripts or with an emoji, the program in such a folder, and
// the bad inputs (a lone surrogate, a 32,000-character path, wildcards). Run
// under the Japanese locale and under a Western one.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/wide_text_win.h"
#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

const std::wstring kMissing = L"指定したファイルが見当たりません。\r\n\r\n";

std::wstring Quoted(const std::wstring& arg) { return L"\"" + arg + L"\""; }

class SenderWidePathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = WideOf(sandbox_.Dir());
    program_ = WideOf(sandbox_.Copy("Zrnx.exe"));
  }

  std::wstring Item(const std::wstring& name, const std::string& bytes) {
    const std::wstring path = dir_ + L"\\" + name;
    EXPECT_TRUE(WriteWideFile(path, bytes));
    return path;
  }

  // Clipboard-only mode: what the clipboard holds afterwards as UTF-16.
  std::optional<std::wstring> Send(const std::wstring& program, const std::wstring& args) {
    SetClipboardText("before");
    Process sender(Quoted(program) + L" " + args, dir_);
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
    return ReadClipboardUnicode();
  }

  // The box the run ends with, and its exit code.
  std::wstring Box(const std::wstring& args, std::string_view title, DWORD exit_code) {
    SetClipboardText("before");
    Process sender(Quoted(program_) + L" " + args, dir_);
    std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(title), sender.Id());
    EXPECT_TRUE(box.has_value());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(exit_code));
    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("before"));  // nothing was sent
    return box ? box->wide_text : std::wstring();
  }

  Sandbox sandbox_;
  std::wstring dir_, program_;
};

TEST_F(SenderWidePathsTest, ItemsNamedBeyondTheCodePageAreSent) {
  // An emoji and Korean beside Japanese: neither 932 nor 1252 holds all of them.
  const std::wstring emoji = Item(L"返信\U0001F600.txt", "\xEF\xBB\xBF\xE8\xBF\x94\xE4\xBF\xA1\xF0\x9F\x98\x80");
  const std::wstring korean = Item(L"메모.txt", "\xEB\xA9\x94\xEB\xAA\xA8 ok");
  EXPECT_EQ(Send(program_, Quoted(emoji)), std::optional<std::wstring>(L"返信\U0001F600"));
  const std::wstring korean_text = L"메모 ok";  // kept out of the macro, whose text is code page 932
  EXPECT_EQ(Send(program_, L"/c " + Quoted(korean)), std::optional<std::wstring>(korean_text));
  // A Japanese name and content on any system.
  const std::wstring japanese = Item(L"挨拶.txt", "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF");
  EXPECT_EQ(Send(program_, Quoted(japanese)), std::optional<std::wstring>(L"こんにちは"));
}

TEST_F(SenderWidePathsTest, TheProgramInAFolderBeyondTheCodePageReadsItsSettings) {
  const std::wstring folder = dir_ + L"\\\U0001F600 메모";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring program = folder + L"\\Zrnx.exe";
  ASSERT_TRUE(CopyFileW(program_.c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(WriteWideFile(folder + L"\\Zrnx.ini", "[Option]\r\nDateFormat9='found'.\r\n"));
  const std::wstring item = Item(L"d.zrx", "%d9%");
  EXPECT_EQ(Send(program, Quoted(item)), std::optional<std::wstring>(L"found."));
}

TEST_F(SenderWidePathsTest, TheMissingItemBoxNamesThePathAsItIs) {
  const std::wstring gone = dir_ + L"\\なし\U0001F600메모.zrx";
  EXPECT_EQ(Box(L"/p " + Quoted(gone), kAppTitle, 0), kMissing + gone);
}

TEST_F(SenderWidePathsTest, TheOpenErrorNamesThePathAsItIs) {
  const std::wstring item = Item(L"鍵\U0001F512.txt", "locked");
  HANDLE lock = CreateFileW(item.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const std::wstring text = Box(Quoted(item), kApplicationErrorTitle, 1);
  CloseHandle(lock);
  EXPECT_EQ(text, L"ﾌｧｲﾙ " + item + L" は開けません");
}

TEST_F(SenderWidePathsTest, AWildcardFromTheWideFormNamesNoFile) {
  Item(L"ab.txt", "must not be sent");
  Item(L"\U0001F600b.txt", "must not be sent");
  for (const std::wstring name : {L"a?.txt", L"*.txt", L"\U0001F600?.txt"}) {
    const std::wstring path = dir_ + L"\\" + name;
    EXPECT_EQ(Box(Quoted(path), kAppTitle, 0), kMissing + path);
  }
}

TEST_F(SenderWidePathsTest, ALoneSurrogateIsItsOwnNameOrAClearBox) {
  const std::wstring lone = dir_ + L"\\a\xD800.txt";
  EXPECT_EQ(Box(Quoted(lone), kAppTitle, 0), kMissing + lone);
  // Once such a file exists, it is the one sent.
  if (WriteWideFile(lone, "lone")) {
    EXPECT_EQ(Send(program_, Quoted(lone)), std::optional<std::wstring>(L"lone"));
  }
}

TEST_F(SenderWidePathsTest, AThirtyTwoThousandCharacterPathEndsInABox) {
  std::wstring path = L"\\\\?\\" + dir_;
  while (path.size() < 32000) path += L"\\" + std::wstring(200, L'x');
  path.resize(32000);
  // The box is read back only as far as the reader's buffer goes.
  const std::wstring text = Box(Quoted(path), kAppTitle, 0);
  ASSERT_GT(text.size(), kMissing.size() + 100);
  EXPECT_EQ(text, (kMissing + path).substr(0, text.size()));
}

// What the settings file can keep: a text that comes back the same from the
// system code page, with no '?', no look-alike and no lone surrogate.
TEST(FitsCodePageTest, OnlyWhatTheCodePageHoldsAsItIsFits) {
  const bool japanese = GetACP() == 932;
  const struct {
    std::wstring text;
    bool in_932, in_1252;
  } cases[] = {
      {L"", true, true},
      {L"C:\\Items\\memo.txt", true, true},
      {L"C:\\\x30E1\x30E2", true, false},          // Japanese
      {L"C:\\\x2460", true, false},                 // a circled digit: best fit would give "1"
      {L"C:\\caf\x00E9", false, true},              // best fit would give "e" in 932
      {L"C:\\\xBA54\xBAA8", false, false},         // Korean
      {L"C:\\\xD83D\xDE00", false, false},         // an emoji
      {L"C:\\a\xD800" L"b", false, false},         // a lone surrogate
      {L"C:\\?", true, true},                        // a '?' of its own is no loss
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitsCodePage(c.text), japanese ? c.in_932 : c.in_1252) << std::hex << static_cast<unsigned>(c.text.back()) << " " << std::dec << GetACP();
  }
}

// A folder the code page cannot hold is kept by its short name, which names
// the same folder, or not at all: never by a name with '?'.
TEST_F(SenderWidePathsTest, AFolderBeyondTheCodePageIsKeptByItsShortNameOrNotAtAll) {
  const std::wstring folder = dir_ + L"\\\U0001F600 \xBA54\xBAA8";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  EXPECT_EQ(CodePagePath(dir_), std::optional<std::string>(sandbox_.Dir()));
  const std::optional<std::string> kept = CodePagePath(folder);
  if (kept) {
    EXPECT_EQ(kept->find('?'), std::string::npos) << *kept;
    wchar_t long_path[MAX_PATH] = {};
    ASSERT_NE(GetLongPathNameW(WideOf(*kept).c_str(), long_path, MAX_PATH), 0u) << *kept;
    EXPECT_EQ(std::wstring(long_path), folder);
  }
  EXPECT_EQ(CodePagePath(dir_ + L"\\gone\\\U0001F600"), std::nullopt);
}

}  // namespace
}  // namespace zrnx::test
