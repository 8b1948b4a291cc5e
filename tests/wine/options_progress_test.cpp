// The window the editor shows while it brings many Start-menu shortcuts in
// step, made in this process: quiet for a second, then titled with what is
// being done, and laid out again for each DPI Windows tells it of.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/wide_text_win.h"
#include "options/shortcut_progress_win.h"

namespace zrnx::test {
namespace {

BOOL CALLBACK FindProgress(HWND window, LPARAM result) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) != kShortcutProgressClass) return TRUE;
  *reinterpret_cast<HWND*>(result) = window;
  return FALSE;
}

HWND ProgressWindowOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindProgress, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Title(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

HWND Child(HWND window, const wchar_t* class_name) { return FindWindowExW(window, nullptr, class_name, nullptr); }

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::abs(font.lfHeight);
}

TEST(ShortcutProgressTest, QuietForASecondThenTheReadingThenTheWritingUntilTheLastLink) {
  ShortcutProgressCalls calls = ShortcutProgress(nullptr);
  calls.reading(1, 400);
  EXPECT_EQ(ProgressWindowOfThisThread(), nullptr) << "shown within the first second";
  Sleep(1100);
  calls.reading(2, 400);
  HWND window = ProgressWindowOfThisThread();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Title(window), OwnText("スタートメニューのショートカットを読み込んでいます"));
  wchar_t count[32] = {};
  GetWindowTextW(Child(window, L"Static"), count, 32);
  EXPECT_EQ(std::wstring(count), L"2 / 400");
  EXPECT_EQ(SendMessageW(Child(window, PROGRESS_CLASSW), PBM_GETPOS, 0, 0), 2);

  calls.reading(400, 400);  // read in full: the writes follow in the same window
  EXPECT_EQ(ProgressWindowOfThisThread(), window);
  calls.writing(1, 3);
  EXPECT_EQ(Title(window), OwnText("スタートメニューのショートカットを作成しています"));
  EXPECT_EQ(SendMessageW(Child(window, PROGRESS_CLASSW), PBM_GETRANGE, FALSE, 0), 3);
  calls.writing(3, 3);
  EXPECT_EQ(ProgressWindowOfThisThread(), nullptr) << "still shown after the last link";
}

TEST(ShortcutProgressTest, AReadOnlySyncClosesTheWindowWhenItsCallsGo) {
  {
    ShortcutProgressCalls calls = ShortcutProgress(nullptr);
    Sleep(1100);
    calls.reading(1, 2);
    ASSERT_NE(ProgressWindowOfThisThread(), nullptr);
    calls.reading(2, 2);
  }
  EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
}

// Each DPI lays out the client area, the bar, the count and its font from
// the one design at 96 DPI (within a pixel of rounding).
TEST(ShortcutProgressTest, AnotherMonitorsDpiScalesTheWindowItsControlsAndFont) {
  ShortcutProgressCalls calls = ShortcutProgress(nullptr);
  Sleep(1100);
  calls.writing(1, 10);
  HWND window = ProgressWindowOfThisThread();
  ASSERT_NE(window, nullptr);
  const LONG font_at_96 = FontHeight(Child(window, L"Static"));
  ASSERT_GT(font_at_96, 0);
  for (int dpi : {144, 192, 120, 96}) {
    SCOPED_TRACE(dpi);
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const LONG frame_x = (outer.right - outer.left) - client.right;
    const LONG frame_y = (outer.bottom - outer.top) - client.bottom;
    RECT suggested{outer.left, outer.top, outer.left + frame_x + MulDiv(336, dpi, 96),
                   outer.top + frame_y + MulDiv(72, dpi, 96)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, MulDiv(336, dpi, 96), 1);
    EXPECT_NEAR(client.bottom, MulDiv(72, dpi, 96), 1);
    const RECT bar = RectInParent(Child(window, PROGRESS_CLASSW));
    EXPECT_NEAR(bar.left, MulDiv(12, dpi, 96), 1);
    EXPECT_NEAR(bar.right - bar.left, MulDiv(312, dpi, 96), 1);
    EXPECT_NEAR(bar.bottom - bar.top, MulDiv(20, dpi, 96), 1);
    HWND count = Child(window, L"Static");
    const RECT label = RectInParent(count);
    EXPECT_GE(label.top, bar.bottom);
    EXPECT_LE(label.bottom, client.bottom);
    EXPECT_NEAR(FontHeight(count), MulDiv(font_at_96, dpi, 96), 1);
  }
  calls.writing(10, 10);
}

}  // namespace
}  // namespace zrnx::test
