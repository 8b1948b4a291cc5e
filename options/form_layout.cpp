#include "options/form_layout.h"

#include <array>

#include "options/control_ids.h"

namespace zrnx {
namespace {

using namespace zrnx::ctl;
using K = ControlKind;

constexpr FormSpec kForm{"TZrnxSetForm", "オプション - Zarnik NX", 402, 373, "ＭＳ Ｐゴシック", -12, "Arial", -16,
                         Rgb(0, 0, 255)};

constexpr std::array kControls = std::to_array<ControlSpec>({
    {"Button1", K::PushButton, Button1, 0, "OK", {240, 340, 73, 25}, 0, kDefault, "Button1Click"},
    {"Button2", K::PushButton, Button2, 0, "キャンセル", {320, 340, 73, 25}, 1, 0, "Button2Click"},
    {"PageControl1", K::TabControl, PageControl1, 0, "", {8, 8, 385, 325}, 2, 0, ""},

    {"TabSheet1", K::Page, TabSheet1, PageControl1, "一般", {}, 0, 0, ""},
    {"TabSheet3", K::Page, TabSheet3, PageControl1, "日付/時刻", {}, 1, 0, ""},
    {"TabSheet5", K::Page, TabSheet5, PageControl1, "仮想キー", {}, 2, 0, ""},
    {"TabSheet2", K::Page, TabSheet2, PageControl1, "無視するウィンドウ", {}, 3, 0, ""},
    {"TabSheet6", K::Page, TabSheet6, PageControl1, "アイテム", {}, 4, 0, ""},
    {"TabSheet4", K::Page, TabSheet4, PageControl1, "バージョン情報", {}, 5, 0, ""},

    // "一般"
    {"GroupBox1", K::GroupBox, GroupBox1, TabSheet1, "ポップアップメニューの設定", {8, 8, 361, 97}, 0, 0, ""},
    {"Kanren", K::CheckBox, Kanren, GroupBox1, "アイテムに関連付けを行う", {16, 16, 161, 17}, 0, 0, "KanrenClick"},
    {"PasteMode", K::CheckBox, PasteMode, GroupBox1, "デフォルトで貼り付けを行う", {32, 32, 161, 17}, 1, 0, ""},
    {"New", K::CheckBox, New, GroupBox1, "新規作成に Zarnik NX を追加する", {32, 48, 201, 17}, 2, 0, ""},
    {"SendTo", K::CheckBox, SendTo, GroupBox1, "「送る」に Zarnik NX を追加する", {16, 72, 185, 17}, 3, 0, ""},
    {"GroupBox2", K::GroupBox, GroupBox2, TabSheet1, "編集で使用するエディタ", {8, 112, 361, 57}, 1, 0, ""},
    {"Edit1", K::Edit, Edit1, GroupBox2, "", {16, 22, 305, 20}, 0, 0, ""},
    {"Button3", K::PushButton, Button3, GroupBox2, "...", {320, 22, 25, 20}, 1, kNoTabStop, "Button3Click"},
    {"GroupBox3", K::GroupBox, GroupBox3, TabSheet1, "メニューフォルダ", {8, 177, 361, 109}, 2, 0, ""},
    {"Button5", K::PushButton, Button5, GroupBox3, "テキスト編集...", {16, 24, 137, 25}, 0, 0, "Button5Click"},
    {"Edit2", K::Edit, Edit2, GroupBox3, "", {16, 54, 305, 20}, 1, 0, ""},
    {"Button4", K::PushButton, Button4, GroupBox3, "...", {320, 54, 25, 20}, 2, kNoTabStop, "Button4Click"},
    {"StartMenuShortcuts", K::CheckBox, StartMenuShortcuts, GroupBox3, "スタートメニューにアイテムを表示する",
     {16, 82, 249, 17}, 3, 0, ""},

    // "日付/時刻": row i has its label at top 32 + 21i and its box at 28 + 21i.
    {"GroupBox4", K::GroupBox, GroupBox4, TabSheet3, "%d*% を日付/時刻に変換する書式", {8, 8, 361, 257}, 0, 0, ""},
    {"Label1", K::Label, DateLabel0 + 0, GroupBox4, "%d0% :", {16, 32, 30, 12}, -1, 0, ""},
    {"DateFormat0", K::Edit, DateFormat0 + 0, GroupBox4, "", {56, 28, 289, 20}, 0, 0, ""},
    {"Label7", K::Label, DateLabel0 + 1, GroupBox4, "%d1% :", {16, 53, 30, 12}, -1, 0, ""},
    {"DateFormat1", K::Edit, DateFormat0 + 1, GroupBox4, "", {56, 49, 289, 20}, 1, 0, ""},
    {"Label9", K::Label, DateLabel0 + 2, GroupBox4, "%d2% :", {16, 74, 30, 12}, -1, 0, ""},
    {"DateFormat2", K::Edit, DateFormat0 + 2, GroupBox4, "", {56, 70, 289, 20}, 2, 0, ""},
    {"Label10", K::Label, DateLabel0 + 3, GroupBox4, "%d3% :", {16, 95, 30, 12}, -1, 0, ""},
    {"DateFormat3", K::Edit, DateFormat0 + 3, GroupBox4, "", {56, 91, 289, 20}, 3, 0, ""},
    {"Label11", K::Label, DateLabel0 + 4, GroupBox4, "%d4% :", {16, 116, 30, 12}, -1, 0, ""},
    {"DateFormat4", K::Edit, DateFormat0 + 4, GroupBox4, "", {56, 112, 289, 20}, 4, 0, ""},
    {"Label2", K::Label, DateLabel0 + 5, GroupBox4, "%d5% :", {16, 137, 30, 12}, -1, 0, ""},
    {"DateFormat5", K::Edit, DateFormat0 + 5, GroupBox4, "", {56, 133, 289, 20}, 5, 0, ""},
    {"Label12", K::Label, DateLabel0 + 6, GroupBox4, "%d6% :", {16, 158, 30, 12}, -1, 0, ""},
    {"DateFormat6", K::Edit, DateFormat0 + 6, GroupBox4, "", {56, 154, 289, 20}, 6, 0, ""},
    {"Label13", K::Label, DateLabel0 + 7, GroupBox4, "%d7% :", {16, 179, 30, 12}, -1, 0, ""},
    {"DateFormat7", K::Edit, DateFormat0 + 7, GroupBox4, "", {56, 175, 289, 20}, 7, 0, ""},
    {"Label14", K::Label, DateLabel0 + 8, GroupBox4, "%d8% :", {16, 200, 30, 12}, -1, 0, ""},
    {"DateFormat8", K::Edit, DateFormat0 + 8, GroupBox4, "", {56, 196, 289, 20}, 8, 0, ""},
    {"Label15", K::Label, DateLabel0 + 9, GroupBox4, "%d9% :", {16, 221, 30, 12}, -1, 0, ""},
    {"DateFormat9", K::Edit, DateFormat0 + 9, GroupBox4, "", {56, 217, 289, 20}, 9, 0, ""},

    // "仮想キー"
    {"GroupBox5", K::GroupBox, GroupBox5, TabSheet5, "貼り付け仮想キー", {8, 8, 361, 57}, 0, 0, ""},
    {"SendKey_Paste", K::DropDownList, SendKey_Paste, GroupBox5, "", {16, 22, 177, 20}, 0, 0, ""},
    {"Button6", K::PushButton, Button6, GroupBox5, "Windows標準", {208, 21, 137, 23}, 1, 0, "Button6Click"},
    {"RestoreClipboard", K::CheckBox, RestoreClipboard, TabSheet5, "貼り付けた後、クリップボードを元に戻す",
     {16, 73, 281, 17}, 1, 0, ""},

    // "無視するウィンドウ"
    {"Label6", K::Label, Label6, TabSheet2, "現在表示されているウィンドウ :", {8, 8, 155, 12}, -1, 0, ""},
    {"ListView1", K::ListView, ListView1, TabSheet2, "", {8, 24, 361, 65}, 0, kNoHeader, "NoWinBt_SelClick"},
    {"NoWinBt_Sel", K::PushButton, NoWinBt_Sel, TabSheet2, "↓", {8, 96, 33, 25}, 1, 0, "NoWinBt_SelClick"},
    {"NoWinBt_Update", K::PushButton, NoWinBt_Update, TabSheet2, "表示されているウィンドウのリストを更新",
     {128, 96, 241, 25}, 2, 0, "NoWinBt_UpdateClick"},
    {"Edit3", K::Edit, Edit3, TabSheet2, "", {8, 128, 185, 20}, 3, 0, ""},
    {"Edit4", K::Edit, Edit4, TabSheet2, "", {200, 128, 169, 20}, 4, kReadOnly | kNoTabStop, ""},
    {"ListView2", K::ListView, ListView2, TabSheet2, "", {8, 152, 289, 113}, 5, kHeaderStatic, "ListView2DblClick"},
    {"NoWinBt_Ins", K::PushButton, NoWinBt_Ins, TabSheet2, "追加", {304, 152, 65, 25}, 6, 0, "NoWinBt_InsClick"},
    {"NoWinBt_Del", K::PushButton, NoWinBt_Del, TabSheet2, "削除", {304, 184, 65, 25}, 7, 0, "NoWinBt_DelClick"},

    // "アイテム": the items listed when the page is first shown, the key of the selected one.
    {"ListView3", K::ListView, ListView3, TabSheet6, "", {8, 8, 361, 209}, 0, kHeaderStatic | kVirtualRows, ""},
    {"Label8", K::Label, Label8, TabSheet6, "ホットキー :", {8, 229, 60, 12}, -1, 0, ""},
    {"HotKey1", K::HotKey, HotKey1, TabSheet6, "", {72, 225, 161, 20}, 1, 0, ""},
    {"Button7", K::PushButton, Button7, TabSheet6, "クリア", {240, 223, 57, 25}, 2, 0, "Button7Click"},
    {"Button8", K::PushButton, Button8, TabSheet6, "編集", {304, 223, 65, 25}, 3, 0, "Button8Click"},
    {"Label16", K::Label, Label16, TabSheet6, "キーは OK でアイテムのショートカットに書き込まれます。", {8, 258, 361, 12}, -1,
     0, ""},

    // "バージョン情報": nothing here takes the focus.
    {"Label3", K::Label, Label3, TabSheet4, "Zarnik NX", {16, 16, 74, 19}, -1, kOwnFont, ""},
    {"Label4", K::Label, Label4, TabSheet4, "Ver 1.19", {104, 21, 42, 12}, -1, 0, ""},
    {"URLLabel2", K::UrlLabel, URLLabel2, TabSheet4, "https://zarnik.example/nx/", {16, 40, 197, 12}, -1, 0, ""},
    {"URLLabel1", K::UrlLabel, URLLabel1, TabSheet4, "mailto:nx@zarnik.example", {16, 52, 174, 12}, -1, 0, ""},
    {"Label5", K::Label, Label5, TabSheet4, "Copyright (C) 2026 Zarnik NX developers", {16, 70, 160, 12}, -1, 0,
     ""},
});

constexpr std::array kColumns = std::to_array<ColumnSpec>({
    {ListView1, "", 182},
    {ListView1, "", 156},
    {ListView2, "名前", 182},
    {ListView2, "ウィンドウクラス名", 156},
    {ListView3, "名前", 140},
    {ListView3, "フォルダ", 100},
    {ListView3, "ホットキー", 100},
});

constexpr std::array<std::string_view, 7> kPasteKeyItems = {
    "Ctrl+V", "Shift+Ins", "F9", "Shift+F9", "Shift+Alt+Ins", "Alt+V", "Windowsメッセージで処理"};

}  // namespace

const FormSpec& OptionsFormSpec() { return kForm; }
std::span<const ControlSpec> OptionsControls() { return kControls; }
std::span<const ColumnSpec> OptionsColumns() { return kColumns; }
std::span<const std::string_view> PasteKeyItems() { return kPasteKeyItems; }

const ControlSpec* FindControl(int id) {
  for (const ControlSpec& control : kControls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

int WindowParent(const ControlSpec& control) {
  const ControlSpec* parent = FindControl(control.parent);
  while (parent && parent->kind == ControlKind::GroupBox) parent = FindControl(parent->parent);
  return parent ? parent->id : 0;
}

LayoutRect PlacedRect(const ControlSpec& control) {
  LayoutRect rect = control.rect;
  for (const ControlSpec* parent = FindControl(control.parent); parent && parent->kind == ControlKind::GroupBox;
       parent = FindControl(parent->parent)) {
    rect.left += parent->rect.left;
    rect.top += parent->rect.top;
  }
  return rect;
}

}  // namespace zrnx
