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
#include "options/form_layout.h"
#include "options/texts.h"
#include "common/wide_text_win.h"

namespace zrnx {
namespace {

constexpr wchar_t kPageClass[] = L"ZrnxSetPage";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
constexpr int kRowTextLimit = 4096;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

SIZE TextExtent(HWND control, HFONT font, const std::wstring& text) {
  SIZE size{};
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size;
}

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
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

bool Descends(HWND window, HWND ancestor) { return window && (window == ancestor || IsChild(ancestor, window)); }

}  // namespace

OptionsWindow::~OptionsWindow() {
  if (window_) DestroyWindow(window_);
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

  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;

  const FormSpec& entry = OptionsFormSpec();
  font_.Reset(CreateFontW(Scale(entry.font_height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          WindowFace(entry.font_face).c_str()));
  title_font_.Reset(CreateFontW(Scale(-16), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial"));

  RECT frame{0, 0, Scale(entry.client_width), Scale(entry.client_height)};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  window_ = CreateWindowExW(kFormExStyle, OwnText(entry.class_name).c_str(), OwnText(entry.caption).c_str(),
                            kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, Instance(), this);
  if (!window_) throw Error("ｳｨﾝﾄﾞｳを作成できません");
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  form.SetWindowHandle(reinterpret_cast<std::uintptr_t>(window_));
  CreateControls();
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
  ShowPageAt(0);
}

HWND OptionsWindow::CreateControl(const ControlSpec& entry) {
  const int parent_id = WindowParent(entry);
  HWND parent = parent_id ? Control(parent_id) : window_;
  LayoutRect rect = PlacedRect(entry);
  const std::wstring caption = OwnText(entry.caption);
  const wchar_t* class_name = WC_BUTTONW;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
  DWORD ex_style = 0;
  // A group box's place in the tab order only orders the controls it frames.
  const bool tab_stop = entry.tab_order >= 0 && !(entry.flags & kNoTabStop) && entry.kind != ControlKind::GroupBox;
  if (tab_stop) style |= WS_TABSTOP;
  int height = Scale(rect.height);

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
      height = Scale(rect.height) + Scale(12) * 10;  // the closed box, then room for the seven items
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
      RECT area{};
      GetClientRect(tabs, &area);
      SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
      MapWindowPoints(tabs, window_, reinterpret_cast<POINT*>(&area), 2);
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
    case ControlKind::ListView:
      class_name = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS;
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
          {"HotColor", std::int64_t{Rgb(0, 0, 255)}},
      }};
      label->LoadProperties(properties);
      HWND window = reinterpret_cast<HWND>(label->WindowHandle());
      SetWindowLongPtrW(window, GWLP_ID, entry.id);
      const SIZE text = TextExtent(window, font_.Get(), DataText(entry.caption));
      label->SetBounds(Scale(rect.left), Scale(rect.top), std::max<int>(Scale(rect.width), text.cx),
                       std::max<int>(Scale(rect.height), text.cy));
      return window;
    }
  }

  HWND control = CreateWindowExW(ex_style, class_name, caption.c_str(), style, Scale(rect.left), Scale(rect.top),
                                 Scale(rect.width), height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), Instance(), nullptr);
  HFONT font = (entry.flags & kOwnFont) ? title_font_.Get() : font_.Get();
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (entry.kind == ControlKind::Label) {
    // Labels fit their text, so no font cuts them.
    const SIZE text = TextExtent(control, font, caption);
    SetWindowPos(control, nullptr, 0, 0, std::max<int>(Scale(rect.width), text.cx),
                 std::max<int>(Scale(rect.height), text.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (entry.kind == ControlKind::ListView) {
    SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  }
  return control;
}

HWND OptionsWindow::Control(int id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

void OptionsWindow::Show() {
  Centre();
  form_->FormShow();
  ShowForm();
}

void OptionsWindow::Centre() {
  RECT rect{};
  GetWindowRect(window_, &rect);
  const Point corner = CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(window_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool OptionsWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
  if (!Descends(message.hwnd, window_)) return false;
  HWND tabs = Control(ctl::PageControl1);
  const int count = static_cast<int>(pages_.size());
  const int current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
  ShowPageAt((current + step) % count);
  Focus(ctl::PageControl1);
  return true;
}

void OptionsWindow::ShowPageAt(int index) {
  SendMessageW(Control(ctl::PageControl1), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }
}

// --- FormView ---

bool OptionsWindow::Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void OptionsWindow::SetChecked(int id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionsWindow::SetEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled); }

std::string OptionsWindow::Text(int id) const {
  HWND control = Control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int n = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return DataBytes(text);
}

void OptionsWindow::SetText(int id, const std::string& text) { SetWindowTextW(Control(id), DataText(text).c_str()); }

int OptionsWindow::ItemIndex(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }

void OptionsWindow::SetItemIndex(int id, int index) {
  HWND list = Control(id);
  const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < count ? index : -1), 0);
}

void OptionsWindow::Focus(int id) {
  focus_ = Control(id);
  if (IsWindowVisible(window_)) SetFocus(focus_);
}

void OptionsWindow::ShowPage(int page_id) {
  auto found = std::find(pages_.begin(), pages_.end(), Control(page_id));
  if (found != pages_.end()) ShowPageAt(static_cast<int>(found - pages_.begin()));
}

void OptionsWindow::ShowForm() {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (focus_) SetFocus(focus_);
}

void OptionsWindow::HideForm() { ShowWindow(window_, SW_HIDE); }

// Posted: the handler that asks for it finishes first, as a close request
// from the title bar would.
void OptionsWindow::CloseForm() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::vector<WindowRow> OptionsWindow::Rows(int id) const {
  HWND list = Control(id);
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<WindowRow> rows;
  std::wstring buffer(kRowTextLimit, L'\0');
  auto cell = [&](int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = kRowTextLimit;
    const auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return DataBytes(std::wstring_view(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0)));
  };
  for (int row = 0; row < count; ++row) rows.push_back({cell(row, 0), cell(row, 1)});
  return rows;
}

void OptionsWindow::ClearRows(int id) { SendMessageW(Control(id), LVM_DELETEALLITEMS, 0, 0); }

void OptionsWindow::AddRow(int id, const WindowRow& row) {
  HWND list = Control(id);
  std::wstring name = DataText(row.name);
  std::wstring class_name = DataText(row.class_name);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = name.data();
  const auto index = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (index < 0) return;
  LVITEMW sub{};
  sub.iSubItem = 1;
  sub.pszText = class_name.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
}

void OptionsWindow::DeleteRow(int id, int row) { SendMessageW(Control(id), LVM_DELETEITEM, static_cast<WPARAM>(row), 0); }

int OptionsWindow::SelectedRow(int id) const {
  return static_cast<int>(SendMessageW(Control(id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int OptionsWindow::FocusedRow(int id) const {
  return static_cast<int>(SendMessageW(Control(id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void OptionsWindow::SelectRow(int id, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Control(id), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// --- messages ---

LRESULT CALLBACK OptionsWindow::FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<OptionsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<OptionsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->form_) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

// Pages pass their controls' notifications on to the form, and keep the
// font their labels paint with.
LRESULT CALLBACK OptionsWindow::PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(GetParent(window), message, wparam, lparam);
    case WM_SETFONT:
      SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wparam));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(window, GWLP_USERDATA);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT OptionsWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_ACTIVATE:
      // The dialog manager's habit: the focus comes back where it was.
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); Descends(focus, window_) && focus != window_) focus_ = focus;
      } else if (focus_ && IsWindowVisible(window_)) {
        SetFocus(focus_);
      }
      return 0;
    case WM_CLOSE:
      if (!closing_) {
        closing_ = true;
        try {
          form_->FormCloseQuery();
        } catch (const std::exception& error) {
          ShowErrorBox(error, kOptionsTitle);
        }
        DestroyWindow(window_);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void OptionsWindow::Command(int id, int code) {
  if (code != BN_CLICKED) return;
  const ControlSpec* entry = FindControl(id);
  if (!entry || entry->handler.empty()) return;
  if (entry->kind != ControlKind::PushButton && entry->kind != ControlKind::CheckBox) return;
  Run(FindHandler(entry->handler));
}

LRESULT OptionsWindow::Notify(const NMHDR& header) {
  const int id = static_cast<int>(header.idFrom);
  switch (header.code) {
    case TCN_SELCHANGE:
      if (id == ctl::PageControl1) ShowPageAt(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
      return 0;
    case NM_DBLCLK:
      if (const ControlSpec* entry = FindControl(id); entry && entry->kind == ControlKind::ListView) {
        Run(FindHandler(entry->handler));
      }
      return 0;
    case LVN_KEYDOWN:
      if (id == ctl::ListView2) {
        const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
        unsigned shift = 0;
        if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
        if (GetKeyState(VK_MENU) < 0) shift |= 2;
        if (GetKeyState(VK_CONTROL) < 0) shift |= 4;
        try {
          form_->ListView2KeyDown(key.wVKey, shift);
        } catch (const std::exception& error) {
          ShowErrorBox(error, kOptionsTitle);
        }
      }
      return 0;
    case LVN_ENDLABELEDITW:
      // An edited title replaces the row's title; an abandoned edit changes nothing.
      return reinterpret_cast<const NMLVDISPINFOW&>(header).item.pszText != nullptr;
  }
  return 0;
}

void OptionsWindow::Run(FormHandler handler) {
  if (!handler) return;
  try {
    (form_->*handler)();
  } catch (const std::exception& error) {
    // No exception crosses the window procedure.
    ShowErrorBox(error, kOptionsTitle);
  }
}

}  // namespace zrnx
