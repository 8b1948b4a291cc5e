// The real ZrnxSet.exe at other DPIs: started at 144 DPI (Wine takes the
// system DPI from LogPixels under HKCU\Control Panel\Desktop, read when a
// process starts), and moved between monitors of 96, 144 and 192 DPI, which
// Windows tells it with WM_DPICHANGED and a suggested rectangle.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/scoped_win.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

void SetLogPixels(DWORD dpi) {
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            key.Put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi),
            ERROR_SUCCESS);
}

// The window's layout at `dpi`: every checked value within two pixels of
// the design value scaled (rounding differs by a pixel).
void ExpectLayoutAt(OptionsEditor& e, int dpi) {
  auto expect = [dpi](LONG actual, int design, const char* what) {
    EXPECT_LE(std::abs(actual - MulDiv(design, dpi, 96)), 2) << what << ": " << actual << " for " << design;
  };
  SCOPED_TRACE(dpi);
  const SIZE client = e.ClientSize();
  expect(client.cx, 402, "client width");
  expect(client.cy, 373, "client height");
  const RECT ok = e.RectIn(Button1, 0);
  expect(ok.left, 240, "OK left");
  expect(ok.top, 340, "OK top");
  expect(ok.right - ok.left, 73, "OK width");
  expect(ok.bottom - ok.top, 25, "OK height");
  const RECT edit = e.RectIn(Edit1, TabSheet1);
  expect(edit.left, 24, "Edit1 left");
  expect(edit.right - edit.left, 305, "Edit1 width");
  expect(edit.bottom - edit.top, 20, "Edit1 height");
  const RECT restore = e.RectIn(RestoreClipboard, TabSheet5);
  expect(restore.top, 73, "RestoreClipboard top");
  expect(restore.right - restore.left, 281, "RestoreClipboard width");
  const RECT box = e.RectIn(StartMenuShortcuts, TabSheet1);
  expect(box.top, 259, "StartMenuShortcuts top");
  // The longest check box captions are not cut at this size, so the font
  // follows too; and so do column widths.
  EXPECT_TRUE(CheckBoxCaptionFits(e.Control(RestoreClipboard), dpi));
  EXPECT_TRUE(CheckBoxCaptionFits(e.Control(StartMenuShortcuts), dpi));
  expect(e.ColumnOf(ListView2, 0).width, 182, "name column");
  // The pages fill the tab control's display area.
  const RECT tabs = e.RectIn(PageControl1, 0);
  const RECT page = e.RectIn(TabSheet1, 0);
  EXPECT_GT(page.bottom - page.top, (tabs.bottom - tabs.top) * 3 / 4);
  EXPECT_LE(page.right, tabs.right);
  // The row of tabs is as tall as the font makes it.
  EXPECT_GE(page.top - tabs.top, MulDiv(16, dpi, 96));
  // Every tab in one row, measured at the control's new size.
  EXPECT_EQ(TabRowFault(e), "");
}

TEST(OptionsDpiTest, LayoutAndClientAreaScaleAtOneHundredFortyFourDpi) {
  SetLogPixels(144);
  Sandbox sandbox;
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\n");
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  ExpectLayoutAt(e, 144);
  e.Click(Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
  SetLogPixels(96);
}

TEST(OptionsDpiTest, AMonitorOfAnotherDpiLaysTheWindowOutAgain) {
  SetLogPixels(96);
  Sandbox sandbox;
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\n");
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  RemoteMemory suggested(e.Proc().Handle(), sizeof(RECT));
  for (int dpi : {144, 192, 96}) {
    // The rectangle Windows suggests: the frame as it is, the client area
    // scaled, the corner kept.
    RECT window{}, client{};
    GetWindowRect(e.Window(), &window);
    GetClientRect(e.Window(), &client);
    const LONG frame_x = (window.right - window.left) - client.right;
    const LONG frame_y = (window.bottom - window.top) - client.bottom;
    const RECT rect{window.left, window.top, window.left + frame_x + MulDiv(402, dpi, 96),
                    window.top + frame_y + MulDiv(373, dpi, 96)};
    suggested.Write(&rect, sizeof rect);
    SendMessageW(e.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), suggested.At());
    RECT now{};
    GetWindowRect(e.Window(), &now);
    EXPECT_EQ(now.left, rect.left);
    EXPECT_EQ(now.right - now.left, rect.right - rect.left);
    ExpectLayoutAt(e, dpi);
  }
  e.Click(Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace zrnx::test
