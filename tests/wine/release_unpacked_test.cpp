// The release zip as a user meets it: unpacked into a new folder (by
// tools/run-unpacked, which names it in ZRNX_UNPACKED), ZrnxSet.exe run once
// and OK pressed; from then on opening an item through the shell pastes it.

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "options/control_ids.h"
#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

std::optional<std::string> ReadValue(const std::string& key) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), "", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

TEST(ReleaseUnpackedTest, FirstRunRegistersThisFolderAndAnItemOpenedThroughTheShellIsPasted) {
  const char* unpacked = std::getenv("ZRNX_UNPACKED");
  ASSERT_NE(unpacked, nullptr) << "run through tools/run-unpacked";
  const std::string dir = unpacked;
  const std::string sender = dir + "\\Zrnx.exe";
  ASSERT_NE(GetFileAttributesA((dir + "\\ZrnxSet.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(GetFileAttributesA((dir + "\\Zrnx.ini").c_str()), INVALID_FILE_ATTRIBUTES);  // a first run
  ASSERT_FALSE(ReadValue(".zrx").has_value());

  // First run: the association is offered ticked; OK registers it, then the
  // restart question comes, which is declined.
  Process editor(Quote(dir + "\\ZrnxSet.exe"), dir);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (window = OptionsEditor::FindWindowOf(editor.Id(), OptionsEditor::kClass, true)) != nullptr; },
      30000));
  WaitForInputIdle(editor.Handle(), 5000);
  PostMessageA(GetDlgItem(window, ctl::Button1), BM_CLICK, 0, 0);
  // Its default button would restart Windows: Cancel.
  std::optional<MessageBoxSeen> restart = AnswerMessageBox("Zarnik NX", editor.Id(), IDCANCEL, 30000);
  ASSERT_TRUE(restart.has_value());
  EXPECT_EQ(editor.Wait(), std::optional<DWORD>(0));

  EXPECT_EQ(ReadValue(".zrx"), "zrx_auto_file");
  EXPECT_EQ(ReadValue("zrx_auto_file\\shell\\open\\command"), "\"" + sender + "\" /p \"%1\"");
  EXPECT_EQ(ReadValue("zrx_auto_file\\DefaultIcon"), sender + ",1");

  // The sample item from the zip, opened as a double click opens it.
  const std::string item = dir + "\\samples\\greeting.zrx";
  std::optional<std::string> raw = ReadFileBytes(item);
  ASSERT_TRUE(raw.has_value());
  const std::string first_line = raw->substr(0, raw->find("\r\n"));
  Notepad notepad;
  ASSERT_TRUE(notepad.ComeForward());
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpFile = item.c_str();
  info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExA(&info));
  if (info.hProcess) {
    WaitForSingleObject(info.hProcess, kDefaultTimeout);
    CloseHandle(info.hProcess);
  }
  // Its first line has no placeholder: it arrives as it stands.
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text().starts_with(first_line + "\r\n"); }, 5000)) << notepad.Text();
  EXPECT_EQ(notepad.Text().find("%d"), std::string::npos) << notepad.Text();
}

}  // namespace
}  // namespace zrnx::test
