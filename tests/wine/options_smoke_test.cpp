// The real ZrnxSet.exe under Wine: it opens, OK saves what the window
// shows, and a second copy ends without a window.

#include <gtest/gtest.h>

#include <string>

#include "options/control_ids.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

struct WindowSearch {
  DWORD process_id;
  int id;
  HWND found;
};

BOOL CALLBACK MatchOptionsWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || std::string(class_name) != "TZrnxSetForm" || !IsWindowVisible(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

BOOL CALLBACK MatchControl(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindOptionsWindow(DWORD process_id) {
  WindowSearch search{process_id, 0, nullptr};
  EnumWindows(MatchOptionsWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A control anywhere in the window tree, by its identifier.
HWND FindControl(HWND window, int id) {
  WindowSearch search{0, id, nullptr};
  EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(OptionsSmokeTest, OkSavesTheShownValuesAndASecondCopyEndsAtOnce) {
  Sandbox sandbox;
  const std::string program = sandbox.Copy("ZrnxSet.exe");
  const std::string ini = sandbox.WriteFile(
      "Zrnx.ini",
      "[Option]\r\nEditor=C:\\tools\\edit.exe\r\nData=\r\nSendKey_Paste=9\r\n"
      "[ThroughWindow]\r\nItemCount=2\r\nItemName0=a\r\nClassName0=A\r\nItemName1=b\r\nClassName1=B\r\n"
      "ItemName2=stale\r\nClassName2=Stale\r\n");
  Process editor(Quote(program), sandbox.Dir());
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindOptionsWindow(editor.Id())) != nullptr; }));

  {
    Process second(Quote(program), sandbox.Dir());
    EXPECT_EQ(second.Wait(), std::optional<DWORD>(0));
    EXPECT_EQ(FindOptionsWindow(second.Id()), nullptr);
  }

  EXPECT_EQ(WindowText(FindControl(window, ctl::Edit1)), "C:\\tools\\edit.exe");
  EXPECT_EQ(WindowText(FindControl(window, ctl::Edit2)), "");
  EXPECT_EQ(SendMessageA(FindControl(window, ctl::SendKey_Paste), CB_GETCURSEL, 0, 0), CB_ERR);
  SendMessageA(FindControl(window, ctl::DateFormat0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("yy-mm"));
  PostMessageA(FindControl(window, ctl::Button1), BM_CLICK, 0, 0);
  EXPECT_EQ(editor.Wait(), std::optional<DWORD>(0));
  EXPECT_FALSE(FindAnyMessageBox(editor.Id()).has_value());

  char value[256] = {};
  auto read = [&](const char* section, const char* key) {
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return std::string(value);
  };
  EXPECT_EQ(read("Option", "DateFormat0"), "yy-mm");
  EXPECT_EQ(read("Option", "DateFormat1"), "hh:mm");
  EXPECT_EQ(read("Option", "Editor"), "C:\\tools\\edit.exe");
  EXPECT_EQ(read("Option", "Data"), "");
  EXPECT_EQ(read("Option", "SendKey_Paste"), "-1");
  EXPECT_EQ(read("Option", "PasteMode"), "1");
  EXPECT_EQ(read("ThroughWindow", "ItemCount"), "2");
  EXPECT_EQ(read("ThroughWindow", "ClassName1"), "B");
  EXPECT_EQ(read("ThroughWindow", "ItemName2"), "<missing>");
}

}  // namespace
}  // namespace zrnx::test
