#include "wine/options_driver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace zrnx::test {

namespace {

struct WindowSearch {
  DWORD process_id;
  const char* class_name;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->process_id) return TRUE;
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->class_name) != 0) return TRUE;
  if (search->visible_only && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  int id;
  HWND found;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The list views' in-place edit and a tab control's arrows may carry small
// identifiers too; controls of those classes are not the window's own.
bool IsHelperWindow(HWND window) {
  const std::string name = ClassOf(window);
  return name == "msctls_updown32" || name == "SysHeader32" ||
         (name == "Edit" && ClassOf(GetParent(window)) == WC_LISTVIEWA);
}

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(window) != search->id || IsHelperWindow(window)) return TRUE;
  search->found = window;
  return FALSE;
}

LPARAM KeyLparam(WORD vk, bool up) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM lparam = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (vk == VK_DELETE || vk == VK_INSERT || (vk >= VK_PRIOR && vk <= VK_DOWN)) lparam |= 1 << 24;
  if (up) lparam |= (1u << 30) | (1u << 31);
  return lparam;
}

}  // namespace

std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  UINT n = GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder, n);
}

bool CheckBoxCaptionFits(HWND check_box, UINT dpi) {
  const std::wstring caption = WideWindowText(check_box);
  HDC screen = GetDC(nullptr);
  // The window's font: the design face at 12 pixels at 96 DPI.
  HFONT font = CreateFontW(-MulDiv(12, static_cast<int>(dpi), 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, 0, 0, 0, 0, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
  HGDIOBJ old = SelectObject(screen, font);
  SIZE text{};
  GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &text);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  RECT rect{};
  GetWindowRect(check_box, &rect);
  // The box and the gap before the text: the check mark's width and a few pixels.
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, static_cast<int>(dpi), 96);
  return box + text.cx <= rect.right - rect.left;
}

// ---------------------------------------------------------------------------

namespace {

std::string Launch(Sandbox& sandbox) {
  // Coordinates must be the physical ones whatever the editor's DPI.
  SetProcessDPIAware();
  const std::string editor = sandbox.PathOf("ZrnxSet.exe");
  if (GetFileAttributesA(editor.c_str()) == INVALID_FILE_ATTRIBUTES) sandbox.Copy("ZrnxSet.exe");
  if (GetFileAttributesA(sandbox.PathOf("Zrnx.exe").c_str()) == INVALID_FILE_ATTRIBUTES) sandbox.Copy("Zrnx.exe");
  return Quote(editor);
}

}  // namespace

OptionsEditor::OptionsEditor(Sandbox& sandbox) : process_(Launch(sandbox), sandbox.Dir()) {}

HWND OptionsEditor::FindWindowOf(DWORD process_id, const char* class_name, bool visible_only) {
  WindowSearch search{process_id, class_name, visible_only, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool OptionsEditor::WaitForWindow(DWORD timeout) {
  WaitUntil(
      [&] {
        window_ = FindWindowOf(Id(), kClass, true);
        return window_ != nullptr || !Running();
      },
      timeout);
  if (!window_) return false;
  // Shown is not yet ready: the first page and the focus on Kanren come last.
  WaitForInputIdle(process_.Handle(), 5000);
  Settle();
  return true;
}

HWND OptionsEditor::Control(int id) const {
  if (!window_) return nullptr;
  // OK and Cancel sit on the window itself; prefer those over deeper namesakes.
  if (HWND direct = GetDlgItem(window_, id); direct && !IsHelperWindow(direct)) return direct;
  ChildSearch search{id, nullptr};
  EnumChildWindows(window_, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OptionsEditor::Require(int id) const {
  HWND control = Control(id);
  if (!control) {
    ADD_FAILURE() << "no control with identifier " << id;
    throw std::runtime_error("missing control " + std::to_string(id));
  }
  return control;
}

std::string OptionsEditor::Text(int id) const { return WindowTextCp932(Require(id)); }
std::string OptionsEditor::DataText(int id) const { return ToAnsi(WideWindowText(Require(id))); }

bool OptionsEditor::Checked(int id) const {
  return SendMessageW(Require(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool OptionsEditor::Enabled(int id) const { return IsWindowEnabled(Require(id)) != FALSE; }
bool OptionsEditor::Visible(int id) const { return IsWindowVisible(Require(id)) != FALSE; }
DWORD OptionsEditor::Style(int id) const {
  return static_cast<DWORD>(GetWindowLongW(id ? Require(id) : window_, GWL_STYLE));
}
DWORD OptionsEditor::ExStyle(int id) const {
  return static_cast<DWORD>(GetWindowLongW(id ? Require(id) : window_, GWL_EXSTYLE));
}

RECT OptionsEditor::RectIn(int id, int reference) const {
  RECT rect{};
  GetWindowRect(Require(id), &rect);
  MapWindowPoints(nullptr, reference ? Require(reference) : window_, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE OptionsEditor::ClientSize() const {
  RECT rect{};
  GetClientRect(window_, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

HWND OptionsEditor::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

int OptionsEditor::FocusId() const {
  HWND focus = Focus();
  return focus ? GetDlgCtrlID(focus) : 0;
}

bool OptionsEditor::WaitForFocus(int id, DWORD timeout) const {
  return WaitUntil([&] { return Focus() && Focus() == Control(id); }, timeout);
}

// The editor may still be working through what was posted or typed; give it
// a moment and then a round trip through its window procedure.
void OptionsEditor::Settle() const {
  PumpMessages(60);
  DWORD_PTR ignored = 0;
  if (window_) SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
}

// --- tabs ------------------------------------------------------------------

int OptionsEditor::TabCount() const {
  return static_cast<int>(SendMessageW(Require(ctl::PageControl1), TCM_GETITEMCOUNT, 0, 0));
}

std::string TabRowFault(const OptionsEditor& editor) {
  HWND tabs = editor.Require(ctl::PageControl1);
  if (editor.TabArrowsShown()) return "the row shows its arrows";
  if (const LRESULT rows = SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0); rows != 1) {
    return std::to_string(rows) + " rows of tabs";
  }
  RECT client{};
  GetClientRect(tabs, &client);
  LONG left = client.left;
  for (int i = 0; i < editor.TabCount(); ++i) {
    const RECT tab = editor.TabRect(i);
    if (tab.left < left || tab.right > client.right || tab.right <= tab.left) {
      return "tab " + std::to_string(i) + " spans " + std::to_string(tab.left) + ".." + std::to_string(tab.right) +
             " of " + std::to_string(client.right);
    }
    left = tab.right;
  }
  return {};
}

RECT OptionsEditor::TabRect(int position) const {
  RemoteMemory memory(process_.Handle(), sizeof(RECT));
  RECT rect{};
  if (SendMessageW(Require(ctl::PageControl1), TCM_GETITEMRECT, position, memory.At())) memory.Read(&rect, sizeof rect);
  return rect;
}

bool OptionsEditor::TabArrowsShown() const {
  HWND arrows = FindWindowExW(Require(ctl::PageControl1), nullptr, UPDOWN_CLASSW, nullptr);
  return arrows && IsWindowVisible(arrows);
}

std::string OptionsEditor::TabCaption(int position) const {
  constexpr int kChars = 256;
  RemoteMemory memory(process_.Handle(), sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof item));
  item.cchTextMax = kChars;
  memory.Write(&item, sizeof item);
  std::wstring text(kChars, L'\0');
  memory.Write(text.data(), text.size() * sizeof(wchar_t), sizeof item);
  if (!SendMessageW(Require(ctl::PageControl1), TCM_GETITEMW, position, memory.At())) return "<none>";
  memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return ToCp932(text);
}

int OptionsEditor::ActiveTab() const {
  return static_cast<int>(SendMessageW(Require(ctl::PageControl1), TCM_GETCURSEL, 0, 0));
}

bool OptionsEditor::ShowPage(int position) {
  if (ActiveTab() == position) return true;
  HWND tabs = Require(ctl::PageControl1);
  RemoteMemory memory(process_.Handle(), sizeof(RECT));
  RECT rect{};
  if (!SendMessageW(tabs, TCM_GETITEMRECT, position, memory.At())) return false;
  memory.Read(&rect, sizeof rect);
  // A tab scrolled out of the row: the row's arrows first, as a user would.
  for (int step = 0; step < 10; ++step) {
    HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows || !IsWindowVisible(arrows)) break;
    RECT bar{};
    GetWindowRect(arrows, &bar);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&bar), 2);
    if (rect.left >= 0 && rect.right <= bar.left) break;
    POINT arrow{rect.left < 0 ? bar.left + (bar.right - bar.left) / 4 : bar.right - (bar.right - bar.left) / 4,
                (bar.top + bar.bottom) / 2};
    ClientToScreen(tabs, &arrow);
    ClickScreen(arrow, 1);
    Settle();
    if (!SendMessageW(tabs, TCM_GETITEMRECT, position, memory.At())) return false;
    memory.Read(&rect, sizeof rect);
  }
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(tabs, &centre);
  ClickScreen(centre, 1);
  bool shown = WaitUntil([&] { return ActiveTab() == position; }, 3000);
  Settle();
  return shown;
}

// --- list views --------------------------------------------------------------

int OptionsEditor::RowCount(int list) const {
  return static_cast<int>(SendMessageW(Require(list), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring OptionsEditor::RowWide(int list, int row, int column) const {
  constexpr int kChars = 1024;
  RemoteMemory memory(process_.Handle(), sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof item));
  item.cchTextMax = kChars;
  memory.Write(&item, sizeof item);
  const auto n = static_cast<std::size_t>(SendMessageW(Require(list), LVM_GETITEMTEXTW, row, memory.At()));
  std::wstring text(n < kChars ? n : kChars, L'\0');
  if (!text.empty()) memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
  return text;
}

std::string OptionsEditor::RowText(int list, int row, int column) const { return ToCp932(RowWide(list, row, column)); }
std::string OptionsEditor::RowData(int list, int row, int column) const { return ToAnsi(RowWide(list, row, column)); }

int OptionsEditor::SelectedRow(int list) const {
  return static_cast<int>(SendMessageW(Require(list), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int OptionsEditor::FindRow(int list, int column, const std::string& data) const {
  for (int row = 0, n = RowCount(list); row < n; ++row)
    if (RowData(list, row, column) == data) return row;
  return -1;
}

OptionsEditor::Column OptionsEditor::ColumnOf(int list, int column) const {
  constexpr int kChars = 256;
  RemoteMemory memory(process_.Handle(), sizeof(LVCOLUMNW) + kChars * sizeof(wchar_t));
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH;
  info.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof info));
  info.cchTextMax = kChars;
  memory.Write(&info, sizeof info);
  std::wstring text(kChars, L'\0');
  memory.Write(text.data(), text.size() * sizeof(wchar_t), sizeof info);
  Column result;
  if (!SendMessageW(Require(list), LVM_GETCOLUMNW, column, memory.At())) return {"<none>", -1};
  memory.Read(&info, sizeof info);
  memory.Read(text.data(), text.size() * sizeof(wchar_t), sizeof info);
  text.resize(wcsnlen(text.c_str(), text.size()));
  result.caption = ToCp932(text);
  result.width = info.cx;
  return result;
}

int OptionsEditor::ColumnCount(int list) const {
  HWND header = reinterpret_cast<HWND>(SendMessageW(Require(list), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

namespace {

// A point of the row on the screen: in the title near its left end, or in
// the middle of the class-name column (a click there selects the row
// without starting an in-place edit of its title).
POINT RowPoint(HANDLE process, HWND list, int row, int column) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  RemoteMemory memory(process, sizeof(RECT));
  RECT rect{};
  rect.top = column;  // the subitem
  rect.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
  memory.Write(&rect, sizeof rect);
  SendMessageW(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, row, memory.At());
  memory.Read(&rect, sizeof rect);
  POINT point{column == 0 ? rect.left + 8 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  RECT client{};
  GetClientRect(list, &client);
  if (point.x >= client.right) point.x = client.right - 4;  // a column wider than the view
  ClientToScreen(list, &point);
  return point;
}

}  // namespace

bool OptionsEditor::SelectRow(int list, int row) {
  if (SelectedRow(list) == row) return true;
  ClickScreen(RowPoint(process_.Handle(), Require(list), row, 1), 1);
  if (WaitUntil([&] { return SelectedRow(list) == row; }, 2000)) return true;
  // No mouse: set the state as the list would.
  RemoteMemory memory(process_.Handle(), sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  memory.Write(&item, sizeof item);
  SendMessageW(Require(list), LVM_SETITEMSTATE, row, memory.At());
  return WaitUntil([&] { return SelectedRow(list) == row; }, 2000);
}

void OptionsEditor::DoubleClickRow(int list, int row) {
  ClickScreen(RowPoint(process_.Handle(), Require(list), row, 1), 2);
  Settle();
}

void OptionsEditor::ClickRowCell(int list, int row, int column) {
  ClickScreen(RowPoint(process_.Handle(), Require(list), row, column), 1);
}

HWND OptionsEditor::InPlaceEdit(int list) const {
  return reinterpret_cast<HWND>(SendMessageW(Require(list), LVM_GETEDITCONTROL, 0, 0));
}

// --- combo boxes -------------------------------------------------------------

int OptionsEditor::ComboCount(int id) const { return static_cast<int>(SendMessageW(Require(id), CB_GETCOUNT, 0, 0)); }

std::string OptionsEditor::ComboItem(int id, int index) const {
  HWND combo = Require(id);
  const auto n = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (n == CB_ERR) return "<none>";
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const auto copied = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return ToCp932(text);
}

int OptionsEditor::ComboSelection(int id) const {
  return static_cast<int>(SendMessageW(Require(id), CB_GETCURSEL, 0, 0));
}

// The pick as a keyboard user makes it in the closed list: Home, then Down.
// A click gives the focus and drops the list down; Enter then takes the pick
// (Enter on a closed list would press OK instead).
bool OptionsEditor::SelectComboItem(int id, int index) {
  Click(id);
  if (!WaitForFocus(id)) return false;
  const bool dropped = SendMessageW(Require(id), CB_GETDROPPEDSTATE, 0, 0) != 0;
  PressKey(VK_HOME);
  for (int i = 0; i < index; ++i) PressKey(VK_DOWN);
  if (dropped) PressKey(VK_RETURN);
  return WaitUntil([&] { return ComboSelection(id) == index; }, 2000);
}

// --- acting --------------------------------------------------------------------

POINT OptionsEditor::CentreOnScreen(HWND control) const {
  RECT rect{};
  GetWindowRect(control, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void OptionsEditor::BringToFront() {
  WaitUntil(
      [&] {
        if (GetForegroundWindow() == window_) return true;
        SetForegroundWindow(window_);
        return false;
      },
      2000);
}

void OptionsEditor::ClickScreen(POINT point, int clicks) {
  BringToFront();
  SetCursorPos(point.x, point.y);
  PumpMessages(20);
  std::vector<INPUT> inputs;
  for (int i = 0; i < clicks; ++i) {
    for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

void OptionsEditor::Click(int id) {
  HWND control = Require(id);
  EXPECT_TRUE(IsWindowVisible(control)) << "clicking the hidden control " << id;
  ClickScreen(CentreOnScreen(control), 1);
}

bool OptionsEditor::SetChecked(int id, bool ticked) {
  if (Checked(id) == ticked) return true;
  Click(id);
  if (WaitUntil([&] { return Checked(id) == ticked; }, 2000)) return true;
  // Where the mouse does not reach, the button's own click.
  PostMessageW(Require(id), BM_CLICK, 0, 0);
  return WaitUntil([&] { return Checked(id) == ticked; }, 2000);
}

bool OptionsEditor::TypeWide(int id, const std::wstring& text) {
  HWND edit = Require(id);
  Click(id);
  if (!WaitForFocus(id)) return false;
  SendMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) PostMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
  return WaitUntil([&] { return WideWindowText(edit) == text; }, 3000);
}

bool OptionsEditor::TypeText(int id, const std::string& text) { return TypeWide(id, FromCp932(text)); }
bool OptionsEditor::TypeData(int id, const std::string& ansi_text) { return TypeWide(id, FromAnsi(ansi_text)); }

void OptionsEditor::PressKey(WORD vk) {
  HWND target = Focus();
  if (!target) target = window_;
  PostMessageW(target, WM_KEYDOWN, vk, KeyLparam(vk, false));
  PostMessageW(target, WM_KEYUP, vk, KeyLparam(vk, true));
  Settle();
}

void OptionsEditor::PressChord(std::initializer_list<WORD> keys) {
  BringToFront();
  std::vector<INPUT> inputs;
  for (WORD vk : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    inputs.push_back(input);
  }
  for (auto vk = std::rbegin(keys); vk != std::rend(keys); ++vk) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *vk;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

void OptionsEditor::CloseBox() { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool OptionsEditor::WaitForEndOrBox(DWORD timeout) {
  WaitUntil([&] { return !Running() || FindWindowOf(Id(), "#32770", true) != nullptr; }, timeout);
  return !Running();
}

HWND OptionsEditor::WaitForDialog(DWORD timeout) const {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindWindowOf(Id(), "#32770", true)) != nullptr; }, timeout);
  return dialog;
}

HWND OptionsEditor::FileNameBox(HWND dialog) {
  HWND name = GetDlgItem(dialog, 0x47C);
  return name ? name : GetDlgItem(dialog, 0x480);
}

}  // namespace zrnx::test
