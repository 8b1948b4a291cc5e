// The layout table held against the window's design: geometry, tab
// order, captions, wiring, and the rules the Win32 layer relies on.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "options/control_ids.h"
#include "options/form_layout.h"
#include "options/options_form.h"

namespace zrnx {
namespace {

struct Expected {
  const char* name;
  const char* parent;
  LayoutRect rect;
  int tab_order;
  const char* caption;
};

// Transcribed from the window's tables, apart from the layout code.
const Expected kExpected[] = {
    {"Button1", "", {240, 340, 73, 25}, 0, "OK"},
    {"Button2", "", {320, 340, 73, 25}, 1, "キャンセル"},
    {"PageControl1", "", {8, 8, 385, 325}, 2, ""},
    {"GroupBox1", "TabSheet1", {8, 8, 361, 97}, 0, "ポップアップメニューの設定"},
    {"Kanren", "GroupBox1", {16, 16, 161, 17}, 0, "アイテムに関連付けを行う"},
    {"PasteMode", "GroupBox1", {32, 32, 161, 17}, 1, "デフォルトで貼り付けを行う"},
    {"New", "GroupBox1", {32, 48, 201, 17}, 2, "新規作成に Zarnik NX を追加する"},
    {"SendTo", "GroupBox1", {16, 72, 185, 17}, 3, "「送る」に Zarnik NX を追加する"},
    {"GroupBox2", "TabSheet1", {8, 112, 361, 57}, 1, "編集で使用するエディタ"},
    {"Edit1", "GroupBox2", {16, 22, 305, 20}, 0, ""},
    {"Button3", "GroupBox2", {320, 22, 25, 20}, 1, "..."},
    {"GroupBox3", "TabSheet1", {8, 177, 361, 109}, 2, "メニューフォルダ"},
    {"Button5", "GroupBox3", {16, 24, 137, 25}, 0, "テキスト編集..."},
    {"Edit2", "GroupBox3", {16, 54, 305, 20}, 1, ""},
    {"Button4", "GroupBox3", {320, 54, 25, 20}, 2, "..."},
    {"StartMenuShortcuts", "GroupBox3", {16, 82, 249, 17}, 3, "スタートメニューにアイテムを表示する"},
    {"GroupBox4", "TabSheet3", {8, 8, 361, 257}, 0, "%d*% を日付/時刻に変換する書式"},
    {"GroupBox5", "TabSheet5", {8, 8, 361, 57}, 0, "貼り付け仮想キー"},
    {"SendKey_Paste", "GroupBox5", {16, 22, 177, 20}, 0, ""},
    {"Button6", "GroupBox5", {208, 21, 137, 23}, 1, "Windows標準"},
    {"RestoreClipboard", "TabSheet5", {16, 73, 281, 17}, 1, "貼り付けた後、クリップボードを元に戻す"},
    {"Label6", "TabSheet2", {8, 8, 155, 12}, -1, "現在表示されているウィンドウ :"},
    {"ListView1", "TabSheet2", {8, 24, 361, 65}, 0, ""},
    {"NoWinBt_Sel", "TabSheet2", {8, 96, 33, 25}, 1, "↓"},
    {"NoWinBt_Update", "TabSheet2", {128, 96, 241, 25}, 2, "表示されているウィンドウのリストを更新"},
    {"Edit3", "TabSheet2", {8, 128, 185, 20}, 3, ""},
    {"Edit4", "TabSheet2", {200, 128, 169, 20}, 4, ""},
    {"ListView2", "TabSheet2", {8, 152, 289, 113}, 5, ""},
    {"NoWinBt_Ins", "TabSheet2", {304, 152, 65, 25}, 6, "追加"},
    {"NoWinBt_Del", "TabSheet2", {304, 184, 65, 25}, 7, "削除"},
    {"ListView3", "TabSheet6", {8, 8, 361, 209}, 0, ""},
    {"Label8", "TabSheet6", {8, 229, 60, 12}, -1, "ホットキー :"},
    {"HotKey1", "TabSheet6", {72, 225, 161, 20}, 1, ""},
    {"Button7", "TabSheet6", {240, 223, 57, 25}, 2, "クリア"},
    {"Button8", "TabSheet6", {304, 223, 65, 25}, 3, "編集"},
    {"Label16", "TabSheet6", {8, 258, 361, 12}, -1, "キーは OK でアイテムのショートカットに書き込まれます。"},
    {"Label3", "TabSheet4", {16, 16, 74, 19}, -1, "Zarnik NX"},
    {"Label4", "TabSheet4", {104, 21, 42, 12}, -1, "Ver 1.19"},
    {"URLLabel2", "TabSheet4", {16, 40, 197, 12}, -1, nullptr},
    {"URLLabel1", "TabSheet4", {16, 52, 174, 12}, -1, nullptr},
    {"Label5", "TabSheet4", {16, 70, 160, 12}, -1, nullptr},
};

std::map<std::string, const ControlSpec*> ByName() {
  std::map<std::string, const ControlSpec*> by_name;
  for (const ControlSpec& c : OptionsControls()) by_name[std::string(c.name)] = &c;
  return by_name;
}

std::string NameOf(int id) {
  const ControlSpec* c = FindControl(id);
  return c ? std::string(c->name) : "";
}

TEST(OptionsLayoutTest, TheWindow) {
  const FormSpec& form = OptionsFormSpec();
  EXPECT_EQ(form.class_name, "TZrnxSetForm");
  EXPECT_EQ(form.caption, "オプション - Zarnik NX");
  EXPECT_EQ(form.client_width, 402);
  EXPECT_EQ(form.client_height, 373);
  EXPECT_EQ(form.font_face, "ＭＳ Ｐゴシック");
  EXPECT_EQ(form.font_height, -12);
  EXPECT_EQ(form.title_font_face, "Arial");
  EXPECT_EQ(form.title_font_height, -16);
  EXPECT_EQ(form.link_hot_color, Rgb(0, 0, 255));
}

TEST(OptionsLayoutTest, EveryControlSitsWhereTheTablesPutIt) {
  auto by_name = ByName();
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    ASSERT_TRUE(by_name.count(e.name));
    const ControlSpec& c = *by_name[e.name];
    EXPECT_EQ(NameOf(c.parent), e.parent);
    EXPECT_EQ(c.rect, e.rect);
    EXPECT_EQ(c.tab_order, e.tab_order);
    if (e.caption) {
      EXPECT_EQ(c.caption, e.caption);
    }
  }
  // The date rows: labels Label1, Label7, Label9 ... at 32 + 21i, boxes at 28 + 21i.
  const char* labels[] = {"Label1",  "Label7",  "Label9",  "Label10", "Label11",
                          "Label2",  "Label12", "Label13", "Label14", "Label15"};
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const ControlSpec& label = *by_name[labels[i]];
    const ControlSpec& box = *by_name["DateFormat" + std::to_string(i)];
    EXPECT_EQ(label.id, ctl::DateLabel0 + i);
    EXPECT_EQ(label.rect, (LayoutRect{16, 32 + 21 * i, 30, 12}));
    EXPECT_EQ(label.caption, "%d" + std::to_string(i) + "% :");
    EXPECT_EQ(box.id, ctl::DateFormat0 + i);
    EXPECT_EQ(box.rect, (LayoutRect{56, 28 + 21 * i, 289, 20}));
    EXPECT_EQ(box.tab_order, i);
  }
  EXPECT_EQ(OptionsControls().size(), std::size(kExpected) + 20 + 6);
}

TEST(OptionsLayoutTest, PagesInTabOrder) {
  std::vector<std::pair<std::string, std::string_view>> pages;
  for (const ControlSpec& c : OptionsControls()) {
    if (c.kind == ControlKind::Page) pages.emplace_back(std::string(c.name), c.caption);
  }
  const std::vector<std::pair<std::string, std::string_view>> expected = {
      {"TabSheet1", "一般"},
      {"TabSheet3", "日付/時刻"},
      {"TabSheet5", "仮想キー"},
      {"TabSheet2", "無視するウィンドウ"},
      {"TabSheet6", "アイテム"},
      {"TabSheet4", "バージョン情報"}};
  EXPECT_EQ(pages, expected);
}

TEST(OptionsLayoutTest, SettingsListsAndColumns) {
  auto by_name = ByName();
  EXPECT_EQ(by_name["Button1"]->flags, kDefault);
  EXPECT_EQ(by_name["Button3"]->flags, kNoTabStop);
  EXPECT_EQ(by_name["Button4"]->flags, kNoTabStop);
  EXPECT_EQ(by_name["Edit4"]->flags, kReadOnly | kNoTabStop);
  EXPECT_EQ(by_name["ListView1"]->flags, kNoHeader);
  EXPECT_EQ(by_name["ListView2"]->flags, kHeaderStatic);
  EXPECT_EQ(by_name["ListView3"]->flags, kHeaderStatic | kVirtualRows);
  EXPECT_EQ(by_name["HotKey1"]->kind, ControlKind::HotKey);
  EXPECT_EQ(by_name["Label3"]->flags, kOwnFont);
  const std::vector<std::string_view> items(PasteKeyItems().begin(), PasteKeyItems().end());
  const std::vector<std::string_view> expected_items = {"Ctrl+V", "Shift+Ins",     "F9",   "Shift+F9",
                                                        "Shift+Alt+Ins", "Alt+V", "Windowsメッセージで処理"};
  EXPECT_EQ(items, expected_items);
  std::vector<std::tuple<int, std::string_view, int>> columns;
  for (const ColumnSpec& c : OptionsColumns()) columns.emplace_back(c.list_id, c.caption, c.width);
  const std::vector<std::tuple<int, std::string_view, int>> expected_columns = {
      {ctl::ListView1, "", 182}, {ctl::ListView1, "", 156},
      {ctl::ListView2, "名前", 182}, {ctl::ListView2, "ウィンドウクラス名", 156},
      {ctl::ListView3, "名前", 140}, {ctl::ListView3, "フォルダ", 100}, {ctl::ListView3, "ホットキー", 100}};
  EXPECT_EQ(columns, expected_columns);
}

TEST(OptionsLayoutTest, WiringResolvesToTheHandlers) {
  const std::map<std::string, std::string> expected = {
      {"Button1", "Button1Click"},        {"Button2", "Button2Click"},
      {"Button3", "Button3Click"},        {"Button4", "Button4Click"},
      {"Button5", "Button5Click"},        {"Button6", "Button6Click"},
      {"Kanren", "KanrenClick"},          {"ListView1", "NoWinBt_SelClick"},
      {"NoWinBt_Sel", "NoWinBt_SelClick"}, {"NoWinBt_Update", "NoWinBt_UpdateClick"},
      {"NoWinBt_Ins", "NoWinBt_InsClick"}, {"NoWinBt_Del", "NoWinBt_DelClick"},
      {"ListView2", "ListView2DblClick"}, {"Button7", "Button7Click"},
      {"Button8", "Button8Click"}};
  std::map<std::string, std::string> wired;
  for (const ControlSpec& c : OptionsControls()) {
    if (c.handler.empty()) continue;
    wired[std::string(c.name)] = std::string(c.handler);
    EXPECT_NE(FindHandler(c.handler), nullptr) << c.handler;
  }
  EXPECT_EQ(wired, expected);
  EXPECT_EQ(FindHandler("Nothing"), nullptr);
}

// What the Win32 layer relies on: unique identifiers, parents listed before
// their children, each parent's children in tab order from 0, and every
// control inside its parent.
TEST(OptionsLayoutTest, TheTableIsBuildable) {
  std::set<int> seen;
  std::map<int, int> next_tab;
  for (const ControlSpec& c : OptionsControls()) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_TRUE(seen.insert(c.id).second);
    EXPECT_TRUE(c.parent == 0 || seen.count(c.parent));
    if (c.tab_order >= 0) {
      EXPECT_EQ(c.tab_order, next_tab[c.parent]++);
    }
    const ControlSpec* parent = FindControl(c.parent);
    if (parent && parent->kind == ControlKind::GroupBox) {
      EXPECT_LE(c.rect.left + c.rect.width, parent->rect.width);
      EXPECT_LE(c.rect.top + c.rect.height, parent->rect.height);
    }
  }
  EXPECT_EQ(WindowParent(*FindControl(ctl::Edit1)), ctl::TabSheet1);
  EXPECT_EQ(PlacedRect(*FindControl(ctl::Edit1)), (LayoutRect{24, 134, 305, 20}));
  EXPECT_EQ(WindowParent(*FindControl(ctl::Button1)), 0);
  EXPECT_EQ(WindowParent(*FindControl(ctl::TabSheet2)), ctl::PageControl1);
}

}  // namespace
}  // namespace zrnx
