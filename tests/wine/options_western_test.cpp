// The real ZrnxSet.exe under a Western locale (code page 1252): its own
// boxes read right through the wide calls. (The window's texts are checked
// by the layout suite, which runs under this locale too.)

#include <windows.h>

#include <gtest/gtest.h>

#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

TEST(OptionsWesternTest, MessageBoxTextReadsRightUnderCodePage1252) {
  ASSERT_EQ(GetACP(), 1252u) << "not the Western locale";
  Sandbox sandbox;
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\nData=C:\\no\\such\\folder\r\n");
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  EXPECT_EQ(WindowTextCp932(e.Window()), "オプション - Zarnik NX");
  e.Click(Button5);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("Zarnik NX", e.Id(), IDOK);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "指定したフォルダが見当たりません。");
  e.Click(Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
}

// A save that fails names the settings file: the path keeps the system's code
// page (0xE9 is "é" here, a lead byte in Shift-JIS), the rest reads as Japanese.
TEST(OptionsWesternTest, SaveErrorShowsThePathInTheSystemCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "not the Western locale";
  Sandbox sandbox;
  const std::string folder = sandbox.PathOf("caf\xE9");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  for (const char* program : {"ZrnxSet.exe", "Zrnx.exe"})
    ASSERT_TRUE(CopyFileA((BuildDir() + "\\" + program).c_str(), (folder + "\\" + program).c_str(), FALSE));
  const std::string ini = sandbox.WriteFile("caf\xE9\\Zrnx.ini", "[Option]\r\n");
  // A handle that shares reading only stops every writer, root included.
  HANDLE lock = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  Process editor(Quote(folder + "\\ZrnxSet.exe"), folder);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = OptionsEditor::FindWindowOf(editor.Id(), OptionsEditor::kClass, true)); }));
  PostMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", editor.Id(), IDOK);
  CloseHandle(lock);
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_NE(box->wide_text.find(L"caf\u00E9\\Zrnx.ini に書き込めません."), std::wstring::npos) << box->text;
  PostMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(editor.Wait(), std::optional<DWORD>(0));
}

struct TextSearch {
  std::string wanted;
  bool found = false;
};

BOOL CALLBACK FindText(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<TextSearch*>(param);
  if (WindowTextCp932(child) == search->wanted) search->found = true;
  return TRUE;
}

// The folder browser's title and instruction are the program's own texts.
TEST(OptionsWesternTest, FolderBrowserTextsReadRightUnderCodePage1252) {
  ASSERT_EQ(GetACP(), 1252u) << "not the Western locale";
  Sandbox sandbox;
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\nData=" + sandbox.Dir() + "\r\n");
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  e.Click(Button4);
  HWND browser = e.WaitForDialog();
  ASSERT_NE(browser, nullptr) << "no folder browser";
  EXPECT_TRUE(WaitUntil([&] { return WindowTextCp932(browser) == "フォルダの参照"; }, 3000)) << WindowTextCp932(browser);
  TextSearch search{"Zarnik NX のアイテムを置くフォルダを指定して下さい。"};
  EnumChildWindows(browser, FindText, reinterpret_cast<LPARAM>(&search));
  EXPECT_TRUE(search.found) << "no instruction text";
  PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(browser); }, 5000));
  e.Click(Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace zrnx::test
