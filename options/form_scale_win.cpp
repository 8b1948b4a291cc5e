// The options window at a DPI: its fonts, where each control of the tables
// goes, and the new layout when the window meets another monitor's DPI.

#include "options/form_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "common/wide_text_win.h"
#include "components/url_label.h"
#include "options/form_layout.h"

namespace zrnx {
namespace {

SIZE TextExtent(HFONT font, const std::wstring& text) {
  SIZE size{};
  ScopedGetDC dc(nullptr);
  ScopedSelect selected(dc.Get(), font);
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

HFONT OptionsWindow::MakeFont(int pixels) const {
  return CreateFontW(-Scale(pixels), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face_.c_str());
}

void OptionsWindow::MakeFonts() {
  const FormSpec& entry = OptionsFormSpec();
  font_.Reset(MakeFont(-entry.font_height));
  title_font_.Reset(CreateFontW(Scale(entry.title_font_height), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                OwnText(entry.title_font_face).c_str()));
}

HFONT OptionsWindow::FontOf(const ControlSpec& entry) const {
  return (entry.flags & kOwnFont) ? title_font_.Get() : font_.Get();
}

RECT OptionsWindow::Bounds(const ControlSpec& entry) const {
  if (entry.kind == ControlKind::Page) {
    // The tab control's display area, in the form's coordinates.
    HWND tabs = Control(entry.parent);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, window_, reinterpret_cast<POINT*>(&area), 2);
    return area;
  }
  const LayoutRect rect = PlacedRect(entry);
  int width = Scale(rect.width);
  int height = Scale(rect.height);
  if (entry.kind == ControlKind::DropDownList) height += Scale(12) * 10;  // the closed box, then room for the items
  if (entry.kind == ControlKind::Label || entry.kind == ControlKind::UrlLabel) {
    // Labels fit their text, so no font cuts them.
    const SIZE text = TextExtent(FontOf(entry), DataText(entry.caption));
    width = std::max<int>(width, text.cx);
    height = std::max<int>(height, text.cy);
  }
  return {Scale(rect.left), Scale(rect.top), Scale(rect.left) + width, Scale(rect.top) + height};
}

// Six captions in one row, measured at the control's present size: the
// padding beside each caption shrinks from the system's to half of it, and
// when that is not enough the captions' font steps down a pixel at a time, to
// five sixths of the window's at most. A second row would take the height the
// date page needs; arrows would hide the last tab.
void OptionsWindow::FitTabs(HWND tabs) {
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  if (count <= 0) return;
  RECT client{};
  GetClientRect(tabs, &client);
  // No tab wider than its caption needs ("一般" would take the default minimum).
  SendMessageW(tabs, TCM_SETMINTABWIDTH, 0, Scale(16));
  const int height = -OptionsFormSpec().font_height;
  for (int font = height; font >= height * 5 / 6; --font) {
    HFONT caption_font = font_.Get();
    if (font != height) {
      tab_font_.Reset(MakeFont(font));
      caption_font = tab_font_.Get();
    }
    for (int padding = Scale(6); padding >= Scale(3); --padding) {
      SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(padding, Scale(3)));
      // A new font lays the tabs out again with the padding just set.
      SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(caption_font), FALSE);
      RECT last{};
      SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
      if (last.right <= client.right - Scale(2)) return;
    }
  }
}

void OptionsWindow::PlaceControls() {
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  // Parents come first in the tables, so the tab control has its new size
  // and font before the pages take its display area.
  for (const ControlSpec& entry : OptionsControls()) {
    HWND control = Control(entry.id);
    if (!control) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(entry)), FALSE);
    const RECT bounds = Bounds(entry);
    if (auto label = url_labels_.find(entry.id); label != url_labels_.end()) {
      label->second->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
      continue;
    }
    SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Sized first: the row of tabs is fitted to the new width.
    if (entry.kind == ControlKind::TabControl) FitTabs(control);
  }
  std::map<int, int> columns;
  for (const ColumnSpec& column : OptionsColumns()) {
    const int index = columns[column.list_id]++;
    SendMessageW(Control(column.list_id), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), Scale(column.width));
  }
}

void OptionsWindow::DpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  MakeFonts();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace zrnx
