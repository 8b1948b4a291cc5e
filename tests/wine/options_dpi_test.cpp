// The real ZrnxSet.exe at 144 DPI: the layout scales with the system DPI
// (Wine takes it from LogPixels under HKCU\Control Panel\Desktop, read when a
// process starts), so the client area is about 1.5 times 402 x 373.

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

// Within two pixels of the scaled design value: rounding differs by a pixel.
void ExpectScaled(LONG actual, int design, const char* what) {
  EXPECT_LE(std::abs(actual - design * 3 / 2), 2) << what << ": " << actual << " for " << design;
}

TEST(OptionsDpiTest, LayoutAndClientAreaScaleAtOneHundredFortyFourDpi) {
  SetLogPixels(144);
  Sandbox sandbox;
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\n");
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  const SIZE client = e.ClientSize();
  ExpectScaled(client.cx, 402, "client width");
  ExpectScaled(client.cy, 373, "client height");
  const RECT ok = e.RectIn(Button1, 0);
  ExpectScaled(ok.left, 240, "OK left");
  ExpectScaled(ok.top, 340, "OK top");
  ExpectScaled(ok.right - ok.left, 73, "OK width");
  ExpectScaled(ok.bottom - ok.top, 25, "OK height");
  const RECT edit = e.RectIn(Edit1, TabSheet1);
  ExpectScaled(edit.left, 24, "Edit1 left");
  ExpectScaled(edit.right - edit.left, 305, "Edit1 width");
  ExpectScaled(edit.bottom - edit.top, 20, "Edit1 height");
  const RECT restore = e.RectIn(RestoreClipboard, TabSheet5);
  ExpectScaled(restore.top, 73, "RestoreClipboard top");
  ExpectScaled(restore.right - restore.left, 281, "RestoreClipboard width");
  EXPECT_TRUE(CheckBoxCaptionFits(e.Control(RestoreClipboard), 144));
  // The longest check box caption is not cut at this size either.
  const RECT box = e.RectIn(StartMenuShortcuts, TabSheet1);
  EXPECT_TRUE(CheckBoxCaptionFits(e.Control(StartMenuShortcuts), 144));
  ExpectScaled(box.top, 259, "StartMenuShortcuts top");
  // Column widths follow as well.
  ExpectScaled(e.ColumnOf(ListView2, 0).width, 182, "name column");
  e.Click(Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
  SetLogPixels(96);
}

}  // namespace
}  // namespace zrnx::test
