// The options window of the real ZrnxSet.exe as another program sees it:
// frame, size, pages, every control's caption and place, tab order, the
// lists and the drop-down list. One editor serves the whole suite; it is
// started with a settings file, so closing it writes nothing.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

// Tab positions of the pages, left to right.

class OptionsLayoutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sandbox_ = new Sandbox();
    sandbox_->WriteFile("Zrnx.ini", "[Option]\r\nSendKey_Paste=0\r\n");
    editor_ = new OptionsEditor(*sandbox_);
    ready_ = editor_->WaitForWindow();
  }
  static void TearDownTestSuite() {
    if (editor_->Running() && editor_->Window()) editor_->Click(Button2);
    editor_->Wait(5000);
    delete editor_;
    delete sandbox_;
  }
  void SetUp() override { ASSERT_TRUE(ready_) << "no options window"; }

  static Sandbox* sandbox_;
  static OptionsEditor* editor_;
  static bool ready_;
};

Sandbox* OptionsLayoutTest::sandbox_ = nullptr;
OptionsEditor* OptionsLayoutTest::editor_ = nullptr;
bool OptionsLayoutTest::ready_ = false;

TEST_F(OptionsLayoutTest, FixedCentredDialogFrameOfTheGivenClientSize) {
  OptionsEditor& e = *editor_;
  EXPECT_EQ(WindowTextCp932(e.Window()), "オプション - Zarnik NX");
  const SIZE client = e.ClientSize();
  EXPECT_EQ(client.cx, 402);
  EXPECT_EQ(client.cy, 373);
  const DWORD style = e.Style(0);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u) << std::hex << style;
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU)) << std::hex << style;
  EXPECT_EQ(e.ExStyle(0) & WS_EX_CONTEXTHELP, 0u);

  RECT window{}, work{};
  GetWindowRect(e.Window(), &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 3) << window.left;
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 3) << window.top;
}

TEST_F(OptionsLayoutTest, SixPagesInOrderWithTheFirstActive) {
  OptionsEditor& e = *editor_;
  const char* captions[] = {"一般", "日付/時刻", "仮想キー", "無視するウィンドウ", "アイテム", "バージョン情報"};
  ASSERT_EQ(e.TabCount(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(e.TabCaption(i), captions[i]) << "tab " << i;
  EXPECT_EQ(e.ActiveTab(), kGeneral);
  EXPECT_TRUE(e.Visible(TabSheet1));
  EXPECT_EQ(e.FocusId(), Kanren);
}

// All six in one row at the default DPI, the last one too: no arrows to
// reach it with.
TEST_F(OptionsLayoutTest, AllTabsStandInOneRowWithoutArrows) {
  EXPECT_EQ(TabRowFault(*editor_), "");
}

struct Placed {
  int id;
  int reference;  // the page (or 0, the window) the rectangle is relative to
  const char* caption;  // nullptr: not checked
  RECT rect;  // left, top, right, bottom, group box offsets included
  bool label = false;  // a text label may grow to fit its text in the font at hand
};

constexpr RECT R(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// Group box children are given relative to the page, whether the group box
// is their parent window or only stands behind them.
const Placed kPlaced[] = {
    {Button1, 0, "OK", R(240, 340, 73, 25)},
    {Button2, 0, "キャンセル", R(320, 340, 73, 25)},
    {PageControl1, 0, nullptr, R(8, 8, 385, 325)},
    // 一般
    {GroupBox1, TabSheet1, "ポップアップメニューの設定", R(8, 8, 361, 97)},
    {Kanren, TabSheet1, "アイテムに関連付けを行う", R(24, 24, 161, 17)},
    {PasteMode, TabSheet1, "デフォルトで貼り付けを行う", R(40, 40, 161, 17)},
    {New, TabSheet1, "新規作成に Zarnik NX を追加する", R(40, 56, 201, 17)},
    {SendTo, TabSheet1, "「送る」に Zarnik NX を追加する", R(24, 80, 185, 17)},
    {GroupBox2, TabSheet1, "編集で使用するエディタ", R(8, 112, 361, 57)},
    {Edit1, TabSheet1, nullptr, R(24, 134, 305, 20)},
    {Button3, TabSheet1, "...", R(328, 134, 25, 20)},
    {GroupBox3, TabSheet1, "メニューフォルダ", R(8, 177, 361, 109)},
    {Button5, TabSheet1, "テキスト編集...", R(24, 201, 137, 25)},
    {Edit2, TabSheet1, nullptr, R(24, 231, 305, 20)},
    {Button4, TabSheet1, "...", R(328, 231, 25, 20)},
    {StartMenuShortcuts, TabSheet1, "スタートメニューにアイテムを表示する", R(24, 259, 249, 17)},
    // 日付/時刻 (the rows are checked by their own test)
    {GroupBox4, TabSheet3, "%d*% を日付/時刻に変換する書式", R(8, 8, 361, 257)},
    // 仮想キー (the drop-down list's height is the system's)
    {GroupBox5, TabSheet5, "貼り付け仮想キー", R(8, 8, 361, 57)},
    {Button6, TabSheet5, "Windows標準", R(216, 29, 137, 23)},
    {RestoreClipboard, TabSheet5, "貼り付けた後、クリップボードを元に戻す", R(16, 73, 281, 17)},
    // 無視するウィンドウ
    {Label6, TabSheet2, "現在表示されているウィンドウ :", R(8, 8, 155, 12), true},
    {ListView1, TabSheet2, nullptr, R(8, 24, 361, 65)},
    {NoWinBt_Sel, TabSheet2, "↓", R(8, 96, 33, 25)},
    {NoWinBt_Update, TabSheet2, "表示されているウィンドウのリストを更新", R(128, 96, 241, 25)},
    {Edit3, TabSheet2, nullptr, R(8, 128, 185, 20)},
    {Edit4, TabSheet2, nullptr, R(200, 128, 169, 20)},
    {ListView2, TabSheet2, nullptr, R(8, 152, 289, 113)},
    {NoWinBt_Ins, TabSheet2, "追加", R(304, 152, 65, 25)},
    {NoWinBt_Del, TabSheet2, "削除", R(304, 184, 65, 25)},
    // アイテム
    {ListView3, TabSheet6, nullptr, R(8, 8, 361, 209)},
    {Label8, TabSheet6, "ホットキー :", R(8, 229, 60, 12), true},
    {HotKey1, TabSheet6, nullptr, R(72, 225, 161, 20)},
    {Button7, TabSheet6, "クリア", R(240, 223, 57, 25)},
    {Button8, TabSheet6, "編集", R(304, 223, 65, 25)},
    {Label16, TabSheet6, "キーは OK でアイテムのショートカットに書き込まれます。", R(8, 258, 361, 12), true},
    // バージョン情報
    {Label3, TabSheet4, "Zarnik NX", R(16, 16, 74, 19), true},
    {Label4, TabSheet4, "Ver 1.19", R(104, 21, 42, 12), true},
    {URLLabel2, TabSheet4, nullptr, R(16, 40, 197, 12), true},
    {URLLabel1, TabSheet4, nullptr, R(16, 52, 174, 12), true},
    {Label5, TabSheet4, nullptr, R(16, 70, 160, 12), true},
};

std::string Show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

// Exactly in place; a label at least as large as designed, never cut.
void ExpectPlaced(const RECT& actual, const RECT& design, bool label) {
  if (!label) {
    EXPECT_EQ(Show(actual), Show(design));
    return;
  }
  EXPECT_EQ(actual.left, design.left) << Show(actual);
  EXPECT_EQ(actual.top, design.top) << Show(actual);
  EXPECT_GE(actual.right - actual.left, design.right - design.left) << Show(actual);
  EXPECT_GE(actual.bottom - actual.top, design.bottom - design.top) << Show(actual);
}

TEST_F(OptionsLayoutTest, EveryControlHasItsCaptionAndPlace) {
  OptionsEditor& e = *editor_;
  for (const Placed& p : kPlaced) {
    SCOPED_TRACE("control " + std::to_string(p.id));
    ASSERT_NE(e.Control(p.id), nullptr);
    if (p.caption) {
      EXPECT_EQ(e.Text(p.id), p.caption);
    }
    ExpectPlaced(e.RectIn(p.id, p.reference), p.rect, p.label);
  }
  // The drop-down list: place and width; its height follows the item height.
  const RECT combo = e.RectIn(SendKey_Paste, TabSheet5);
  EXPECT_EQ(combo.left, 24);
  EXPECT_EQ(combo.top, 30);
  EXPECT_EQ(combo.right - combo.left, 177);
}

// The newer check boxes' captions fit beside their boxes: no text is cut.
TEST_F(OptionsLayoutTest, NewCheckBoxCaptionsFitTheirBoxes) {
  for (int id : {RestoreClipboard, StartMenuShortcuts})
    EXPECT_TRUE(CheckBoxCaptionFits(editor_->Control(id), 96)) << id;
}

TEST_F(OptionsLayoutTest, TenDateRowsOfLabelAndPattern) {
  OptionsEditor& e = *editor_;
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(e.Text(DateLabel0 + i), "%d" + std::to_string(i) + "% :");
    ExpectPlaced(e.RectIn(DateLabel0 + i, TabSheet3), R(24, 40 + 21 * i, 30, 12), true);
    EXPECT_EQ(Show(e.RectIn(DateFormat0 + i, TabSheet3)), Show(R(64, 36 + 21 * i, 289, 20)));
  }
}

TEST_F(OptionsLayoutTest, PasteKeysAreADropDownListOfSevenItems) {
  OptionsEditor& e = *editor_;
  EXPECT_EQ(e.Style(SendKey_Paste) & 3u, static_cast<DWORD>(CBS_DROPDOWNLIST));
  const char* items[] = {"Ctrl+V", "Shift+Ins", "F9", "Shift+F9", "Shift+Alt+Ins", "Alt+V", "Windowsメッセージで処理"};
  ASSERT_EQ(e.ComboCount(SendKey_Paste), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(e.ComboItem(SendKey_Paste, i), items[i]) << i;
}

TEST_F(OptionsLayoutTest, ListViewsHaveTheirColumnsAndHeaders) {
  OptionsEditor& e = *editor_;
  struct Expected {
    int list;
    bool header;
    const char* captions[2];
  };
  const Expected lists[] = {{ListView1, false, {"", ""}}, {ListView2, true, {"名前", "ウィンドウクラス名"}}};
  for (const Expected& x : lists) {
    SCOPED_TRACE("list " + std::to_string(x.list));
    const DWORD style = e.Style(x.list);
    EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_EQ((style & LVS_NOCOLUMNHEADER) == 0, x.header);
    EXPECT_NE(style & LVS_SINGLESEL, 0u);
    EXPECT_NE(style & LVS_EDITLABELS, 0u);
    EXPECT_EQ(style & LVS_SHOWSELALWAYS, 0u);
    const auto extended = SendMessageW(e.Control(x.list), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_NE(extended & LVS_EX_FULLROWSELECT, 0);
    ASSERT_EQ(e.ColumnCount(x.list), 2);
    const int widths[] = {182, 156};
    for (int c = 0; c < 2; ++c) {
      OptionsEditor::Column column = e.ColumnOf(x.list, c);
      EXPECT_EQ(column.caption, x.captions[c]) << c;
      EXPECT_EQ(column.width, widths[c]) << c;
    }
  }
  // The headers of the through-window list are no buttons.
  HWND header = reinterpret_cast<HWND>(SendMessageW(e.Control(ListView2), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS, 0);
}

TEST_F(OptionsLayoutTest, ButtonsBesideEditsAndTheClassBoxTakeNoTabStop) {
  OptionsEditor& e = *editor_;
  for (int id : {Button3, Button4, Edit4}) EXPECT_EQ(e.Style(id) & WS_TABSTOP, 0u) << id;
  for (int id : {Edit1, Edit2, Edit3, Button5, Kanren, SendTo, NoWinBt_Sel}) EXPECT_NE(e.Style(id) & WS_TABSTOP, 0u) << id;
  EXPECT_NE(e.Style(Edit4) & ES_READONLY, 0u);
  EXPECT_EQ(e.Style(Edit3) & ES_READONLY, 0u);
}

// The controls Tab visits from `start`, in turn, until it comes back (at most 40 steps).
std::vector<int> WalkTab(OptionsEditor& e, int start) {
  std::vector<int> seen;
  for (int step = 0; step < 40; ++step) {
    e.PressKey(VK_TAB);
    WaitUntil([&] { return e.FocusId() != (seen.empty() ? start : seen.back()); }, 1000);
    const int id = e.FocusId();
    seen.push_back(id);
    if (id == start) break;
  }
  return seen;
}

// The tab control itself may or may not be a stop between Cancel and the page.
std::vector<int> WithoutTabControl(std::vector<int> ids) {
  std::erase(ids, static_cast<int>(PageControl1));
  return ids;
}

TEST_F(OptionsLayoutTest, TabWalksThePagesInOrderPastTheSkippedControls) {
  OptionsEditor& e = *editor_;
  struct Walk {
    int page;
    int start;
    std::vector<int> expected;  // from start, back to start
  };
  const Walk walks[] = {
      {kGeneral, Edit1, {Button5, Edit2, StartMenuShortcuts, Button1, Button2, Kanren, PasteMode, New, SendTo, Edit1}},
      {kDateTime, DateFormat0,
       {DateFormat0 + 1, DateFormat0 + 2, DateFormat0 + 3, DateFormat0 + 4, DateFormat0 + 5, DateFormat0 + 6,
        DateFormat0 + 7, DateFormat0 + 8, DateFormat0 + 9, Button1, Button2, DateFormat0}},
      {kVirtualKey, Button6, {RestoreClipboard, Button1, Button2, SendKey_Paste, Button6}},
      {kIgnore, Edit3, {ListView2, NoWinBt_Ins, NoWinBt_Del, Button1, Button2, ListView1, NoWinBt_Sel, NoWinBt_Update, Edit3}},
  };
  // Kanren ticked, so PasteMode and New are enabled stops.
  ASSERT_TRUE(e.SetChecked(Kanren, true));
  for (const Walk& w : walks) {
    SCOPED_TRACE("page " + std::to_string(w.page));
    ASSERT_TRUE(e.ShowPage(w.page));
    e.Click(w.start);  // edits and a push button: a click only moves the focus there
    ASSERT_TRUE(e.WaitForFocus(w.start));
    EXPECT_EQ(WithoutTabControl(WalkTab(e, w.start)), w.expected);
  }
  ASSERT_TRUE(e.ShowPage(kGeneral));
}

TEST_F(OptionsLayoutTest, ClassBoxShowsTextButCannotBeTypedInto) {
  OptionsEditor& e = *editor_;
  ASSERT_TRUE(e.ShowPage(kIgnore));
  HWND edit4 = e.Control(Edit4);
  e.Click(Edit4);
  PostMessageW(edit4, WM_CHAR, L'x', 1);
  PumpMessages(200);
  EXPECT_EQ(e.Text(Edit4), "");
  ASSERT_TRUE(e.ShowPage(kGeneral));
}

}  // namespace
}  // namespace zrnx::test
