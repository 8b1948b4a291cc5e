#pragma once
// Control identifiers of the options window. The window procedure, the
// layout table and the tests that drive the window from another process all
// find a control by its identifier (GetDlgCtrlID), wherever it sits in the
// window tree. OK and Cancel carry IDOK and IDCANCEL, so the dialog manager's
// Enter and Esc reach them.

namespace zrnx::ctl {

enum ControlId : int {
  Button1 = 1,  // OK (IDOK)
  Button2 = 2,  // Cancel (IDCANCEL)

  PageControl1 = 100,
  // The page windows, by name (tab positions 1-6 are TabSheet1, 3, 5, 2, 6, 4).
  TabSheet1 = 101,
  TabSheet2 = 102,
  TabSheet3 = 103,
  TabSheet4 = 104,
  TabSheet5 = 105,
  TabSheet6 = 106,

  GroupBox1 = 111,
  GroupBox2 = 112,
  GroupBox3 = 113,
  GroupBox4 = 114,
  GroupBox5 = 115,

  // "一般"
  Kanren = 120,
  PasteMode = 121,
  New = 122,
  SendTo = 123,
  Edit1 = 130,
  Button3 = 131,
  Button5 = 132,
  Edit2 = 133,
  Button4 = 134,
  StartMenuShortcuts = 135,

  // "日付/時刻": DateFormat0 + i and the label of row i.
  DateFormat0 = 140,
  DateLabel0 = 150,  // Label1, Label7, Label9, Label10, Label11, Label2, Label12 ... Label15

  // "仮想キー"
  SendKey_Paste = 160,
  Button6 = 161,
  RestoreClipboard = 162,

  // "無視するウィンドウ"
  Label6 = 170,
  ListView1 = 171,
  NoWinBt_Sel = 172,
  NoWinBt_Update = 173,
  Edit3 = 174,
  Edit4 = 175,
  ListView2 = 176,
  NoWinBt_Ins = 177,
  NoWinBt_Del = 178,

  // "バージョン情報"
  Label3 = 180,
  Label4 = 181,
  URLLabel2 = 182,
  URLLabel1 = 183,
  Label5 = 184,

  // "アイテム"
  ListView3 = 190,
  Label8 = 191,
  HotKey1 = 192,
  Button7 = 193,  // clears the key
  Button8 = 194,  // opens the item in the editor
  Label16 = 195,
};

}  // namespace zrnx::ctl
