// The options window as the handlers see it: its controls read and set by
// identifier, and its messages dispatched to TZrnxSetForm.

#include "options/form_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "common/error_box_win.h"
#include "common/wide_text_win.h"
#include "options/control_ids.h"
#include "options/form_layout.h"
#include "options/texts.h"

namespace zrnx {
namespace {

constexpr int kRowTextLimit = 4096;

bool Descends(HWND window, HWND ancestor) { return window && (window == ancestor || IsChild(ancestor, window)); }

}  // namespace

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

// --- FormView ---

bool OptionsWindow::Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void OptionsWindow::SetChecked(int id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionsWindow::SetEnabled(int id, bool enabled) { EnableWindow(Control(id), enabled); }

std::wstring OptionsWindow::WideText(int id) const {
  HWND control = Control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int n = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return text;
}

std::string OptionsWindow::Text(int id) const { return DataBytes(WideText(id)); }

bool OptionsWindow::TextFitsCodePage(int id) const { return FitsCodePage(WideText(id)); }

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
  // Scrolled to: a row chosen for the user (a refused key's item) is seen.
  SendMessageW(Control(id), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void OptionsWindow::SetRowCount(int id, int count) {
  SendMessageW(Control(id), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

void OptionsWindow::RefreshRows(int id) { InvalidateRect(Control(id), nullptr, FALSE); }

std::uint16_t OptionsWindow::HotKey(int id) const {
  return LOWORD(SendMessageW(Control(id), HKM_GETHOTKEY, 0, 0));
}

void OptionsWindow::SetHotKey(int id, std::uint16_t key) { SendMessageW(Control(id), HKM_SETHOTKEY, key, 0); }

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
          ShowErrorBox(error, kOptionsTitle, window_);
        }
        DestroyWindow(window_);
      }
      return 0;
    case kItemsListedMessage:
      ItemsListed(lparam);
      return 0;
    case WM_DPICHANGED:
      DpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DESTROY:
      StopItemsListing();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void OptionsWindow::Command(int id, int code) {
  if (id == ctl::HotKey1 && code == EN_CHANGE) {
    Run(&TZrnxSetForm::HotKey1Change);
    return;
  }
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
          ShowErrorBox(error, kOptionsTitle, window_);
        }
      }
      return 0;
    case LVN_GETDISPINFOW:
      if (id == ctl::ListView3) return ItemRowText(reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)));
      return 0;
    case LVN_ITEMCHANGED:
      if (id == ctl::ListView3) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
          Run(&TZrnxSetForm::ListView3Select);
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
    ShowErrorBox(error, kOptionsTitle, window_);
  }
}

}  // namespace zrnx
