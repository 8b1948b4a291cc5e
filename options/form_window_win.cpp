#include "options/form_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <exception>

#include "common/error.h"
#include "common/error_box_win.h"
#include "components/browse_folder_dlg.h"
#include "components/label_win.h"
#include "components/url_label.h"
#include "options/control_ids.h"
#include "options/dpi_win.h"
#include "options/form_layout.h"
#include "options/texts.h"
#include "common/wide_text_win.h"

namespace zrnx {
namespace {

constexpr wchar_t kPageClass[] = L"ZrnxSetPage";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  ScopedGetDC screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &wanted, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The layout's face when the system has it; otherwise a proportional
// Japanese face of about the same widths, so a substituted fixed-pitch face
// does not cut the captions.
std::wstring WindowFace(std::string_view layout_face) {
  std::wstring face = OwnText(layout_face);
  if (FaceInstalled(face, SHIFTJIS_CHARSET)) return face;
  for (const wchar_t* other : {L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI", L"IPAPGothic"}) {
    if (FaceInstalled(other, SHIFTJIS_CHARSET)) return other;
  }
  return face;
}


}  // namespace

OptionsWindow::~OptionsWindow() {
  if (window_) DestroyWindow(window_);
  StopItemsListing();
}

void OptionsWindow::Create(TZrnxSetForm& form) {
  form_ = &form;
  static const bool registered = [] {
    WNDCLASSW form_class{};
    form_class.lpfnWndProc = FormProc;
    form_class.hInstance = Instance();
    form_class.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    form_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    const std::wstring class_name = OwnText(OptionsFormSpec().class_name);
    form_class.lpszClassName = class_name.c_str();
    RegisterClassW(&form_class);
    WNDCLASSW page_class{};
    page_class.lpfnWndProc = PageProc;
    page_class.hInstance = Instance();
    page_class.hCursor = form_class.hCursor;
    page_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    page_class.lpszClassName = kPageClass;
    RegisterClassW(&page_class);
    return true;
  }();
  (void)registered;

  dpi_ = GetDeviceCaps(ScopedGetDC(nullptr).Get(), LOGPIXELSY);
  if (dpi_ <= 0) dpi_ = 96;
  const FormSpec& entry = OptionsFormSpec();
  face_ = WindowFace(entry.font_face);
  MakeFonts();

  const RECT frame = Frame(dpi_);
  window_ = CreateWindowExW(kFormExStyle, OwnText(entry.class_name).c_str(), OwnText(entry.caption).c_str(),
                            kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, Instance(), this);
  if (!window_) throw Error("ｳｨﾝﾄﾞｳを作成できません");
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  form.SetWindowHandle(reinterpret_cast<std::uintptr_t>(window_));
  CreateControls();
  // Made on a monitor whose DPI is not the system's: laid out for that one.
  if (const int dpi = WindowDpi(window_); dpi != dpi_) {
    RECT now{};
    GetWindowRect(window_, &now);
    RECT frame = Frame(dpi);
    OffsetRect(&frame, now.left - frame.left, now.top - frame.top);
    DpiChanged(dpi, frame);
  }
}

RECT OptionsWindow::Frame(int dpi) const {
  const FormSpec& entry = OptionsFormSpec();
  RECT frame{0, 0, MulDiv(entry.client_width, dpi, 96), MulDiv(entry.client_height, dpi, 96)};
  AdjustFrameForDpi(frame, kFormStyle, kFormExStyle, dpi);
  return frame;
}

void OptionsWindow::CreateControls() {
  std::vector<HWND> group_boxes;
  for (const ControlSpec& entry : OptionsControls()) {
    HWND control = CreateControl(entry);
    controls_[entry.id] = control;
    if (entry.kind == ControlKind::GroupBox) group_boxes.push_back(control);
  }
  // Pages above the tab control, so they take the mouse; the tab order stays
  // a cycle of OK, Cancel, the tabs, the page's controls.
  for (HWND page : pages_) SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Group boxes below the controls they frame, which stand beside them.
  for (HWND box : group_boxes) {
    SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  std::map<int, int> columns;
  for (const ColumnSpec& column : OptionsColumns()) {
    HWND list = Control(column.list_id);
    const std::wstring caption = OwnText(column.caption);
    LVCOLUMNW lv_column{};
    lv_column.mask = LVCF_TEXT | LVCF_WIDTH;
    lv_column.cx = Scale(column.width);
    lv_column.pszText = const_cast<wchar_t*>(caption.c_str());
    const int index = columns[column.list_id]++;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lv_column));
  }
  HWND keys = Control(ctl::SendKey_Paste);
  for (std::string_view item : PasteKeyItems()) {
    SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(OwnText(item).c_str()));
  }
  FitTabs(Control(ctl::PageControl1));
  for (const ControlSpec& entry : OptionsControls()) {
    if (entry.kind != ControlKind::Page) continue;
    const RECT area = Bounds(entry);
    SetWindowPos(Control(entry.id), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowPageAt(0);
}

HWND OptionsWindow::CreateControl(const ControlSpec& entry) {
  const int parent_id = WindowParent(entry);
  HWND parent = parent_id ? Control(parent_id) : window_;
  const std::wstring caption = OwnText(entry.caption);
  const wchar_t* class_name = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
  DWORD ex_style = 0;
  // A group box's place in the tab order only orders the controls it frames.
  const bool tab_stop = entry.tab_order >= 0 && !(entry.flags & kNoTabStop) && entry.kind != ControlKind::GroupBox;
  if (tab_stop) style |= WS_TABSTOP;

  switch (entry.kind) {
    case ControlKind::PushButton:
      style |= (entry.flags & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      break;
    case ControlKind::CheckBox:
      style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::GroupBox:
      style |= BS_GROUPBOX;
      break;
    case ControlKind::Edit:
      class_name = WC_EDITW;
      style |= ES_AUTOHSCROLL | ((entry.flags & kReadOnly) ? ES_READONLY : 0);
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::DropDownList:
      class_name = WC_COMBOBOXW;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case ControlKind::TabControl:
      class_name = WC_TABCONTROLW;
      style |= WS_CLIPSIBLINGS;
      break;
    case ControlKind::Page: {
      // Pages fill the tab control's display area, as windows of the form.
      HWND tabs = Control(entry.parent);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(caption.c_str());
      SendMessageW(tabs, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
      const RECT area = Bounds(entry);
      HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, caption.c_str(),
                                  WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), Instance(), nullptr);
      SendMessageW(page, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
      pages_.push_back(page);
      return page;
    }
    case ControlKind::Label:
      class_name = WC_STATICW;
      style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
      break;
    case ControlKind::HotKey:
      class_name = HOTKEY_CLASSW;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::ListView:
      class_name = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SINGLESEL;
      // Rows given on demand, so thousands of them cost nothing to list;
      // the selected item stays marked while its key is typed beside.
      style |= (entry.flags & kVirtualRows) ? LVS_OWNERDATA | LVS_SHOWSELALWAYS : LVS_EDITLABELS;
      if (entry.flags & kNoHeader) style |= LVS_NOCOLUMNHEADER;
      if (entry.flags & kHeaderStatic) style |= LVS_NOSORTHEADER;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::UrlLabel: {
      auto* label = new TURLLabel(form_, LabelWindowsOn(parent));
      const std::array<StoredProperty, 4> properties{{
          {"Name", std::string(entry.name)},
          {"Caption", std::string(entry.caption)},
          {"Executable", true},
          {"HotColor", std::int64_t{OptionsFormSpec().link_hot_color}},
      }};
      label->LoadProperties(properties);
      HWND window = reinterpret_cast<HWND>(label->WindowHandle());
      SetWindowLongPtrW(window, GWLP_ID, entry.id);
      url_labels_[entry.id] = label;
      const RECT bounds = Bounds(entry);
      label->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
      return window;
    }
  }

  const RECT bounds = Bounds(entry);
  HWND control = CreateWindowExW(ex_style, class_name, caption.c_str(), style, bounds.left, bounds.top,
                                 bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), Instance(), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(entry)), FALSE);
  if (entry.kind == ControlKind::ListView) {
    SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  }
  if (entry.kind == ControlKind::HotKey) {
    // As a shortcut's properties do: a plain or shifted key gets Ctrl+Alt,
    // since Explorer takes no such key for a shortcut.
    SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  }
  return control;
}

HWND OptionsWindow::Control(int id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

// Shown and painted at once; the caller's FormShow then asks the shell and
// lists the windows before the message loop takes any input, so nothing the
// user does meets a control that is still being filled.
void OptionsWindow::Show() {
  Centre();
  ShowForm();
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void OptionsWindow::Centre() {
  RECT rect{};
  GetWindowRect(window_, &rect);
  const Point corner = CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(window_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OptionsWindow::ShowPageAt(int index) {
  SendMessageW(Control(ctl::PageControl1), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }
  if (index >= 0 && static_cast<std::size_t>(index) < pages_.size() && pages_[index] == Control(ctl::TabSheet6)) {
    ItemsPageShown();
  }
}

}  // namespace zrnx
