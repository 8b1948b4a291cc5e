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

}  // namespace
}  // namespace zrnx::test
