#pragma once
// The options window on Win32: built from the layout tables, laid out for
// the DPI of the monitor it is on (again whenever that changes), with the controls reached by identifier for the handlers and
// the window's events passed on to TZrnxSetForm.

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include "common/scoped_win.h"
#include "options/form_ports.h"
#include "options/options_form.h"

namespace zrnx {

class OptionsWindow final : public FormView {
 public:
  OptionsWindow() = default;
  ~OptionsWindow() override;
  OptionsWindow(const OptionsWindow&) = delete;
  OptionsWindow& operator=(const OptionsWindow&) = delete;

  // Builds the window with its controls and components (FormCreate is the caller's next step).
  void Create(TZrnxSetForm& form);
  // The window centred on the screen, in front, painted (FormShow is the caller's next step).
  void Show();
  HWND Handle() const { return window_; }
  // Keys the dialog manager does not know: Ctrl+Tab and Ctrl+Shift+Tab turn
  // the pages. True when the message was taken.
  bool PreTranslate(const MSG& message);

  bool Checked(int id) const override;
  void SetChecked(int id, bool checked) override;
  void SetEnabled(int id, bool enabled) override;
  std::string Text(int id) const override;
  bool TextFitsCodePage(int id) const override;
  void SetText(int id, const std::string& text) override;
  int ItemIndex(int id) const override;
  void SetItemIndex(int id, int index) override;
  void Focus(int id) override;
  void ShowPage(int page_id) override;
  void ShowForm() override;
  void HideForm() override;
  void CloseForm() override;
  std::vector<WindowRow> Rows(int id) const override;
  void ClearRows(int id) override;
  void AddRow(int id, const WindowRow& row) override;
  void DeleteRow(int id, int row) override;
  int SelectedRow(int id) const override;
  int FocusedRow(int id) const override;
  void SelectRow(int id, int row) override;
  void SetRowCount(int id, int count) override;
  void RefreshRows(int id) override;
  std::uint16_t HotKey(int id) const override;
  void SetHotKey(int id, std::uint16_t key) override;

 private:
  std::wstring WideText(int id) const;
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Notify(const NMHDR& header);
  void Command(int id, int code);
  void Run(FormHandler handler);

  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  // The window's outer rectangle for the client area of the tables at `dpi`.
  RECT Frame(int dpi) const;
  // The fonts of the tables at the window's DPI.
  void MakeFonts();
  HFONT FontOf(const struct ControlSpec& entry) const;
  // Where a control of the tables goes at the window's DPI, in its window
  // parent's client coordinates (labels grown to fit their text).
  RECT Bounds(const struct ControlSpec& entry) const;
  // A new DPI: the suggested rectangle, new fonts, every control placed again.
  void DpiChanged(int dpi, const RECT& suggested);
  void PlaceControls();
  void FitTabs(HWND tabs);
  HFONT MakeFont(int pixels) const;  // the window's face, `pixels` high at 96 DPI
  void CreateControls();
  HWND CreateControl(const struct ControlSpec& entry);
  HWND Control(int id) const;
  void ShowPageAt(int index);
  // The items page (form_items_win.cpp): listed away from the window's
  // thread the first time it comes up; its rows' texts on demand.
  void ItemsPageShown();
  void ItemsListed(LPARAM result);
  // Closing: the listing told to stop and waited for a while.
  void StopItemsListing();
  LRESULT ItemRowText(NMLVDISPINFOW& info);
  void Centre();

  TZrnxSetForm* form_ = nullptr;
  HWND window_ = nullptr;
  int dpi_ = 96;
  std::wstring face_;  // the face the fonts are made with
  ScopedFont font_;
  ScopedFont title_font_;  // Label3
  ScopedFont tab_font_;    // the tabs' captions when the window's font does not fit them in one row
  std::map<int, HWND> controls_;
  std::map<int, class TURLLabel*> url_labels_;  // owned by the form
  std::vector<HWND> pages_;  // in tab order
  HWND focus_ = nullptr;     // the control to give the focus when the window is shown or activated
  bool closing_ = false;
  ScopedHandle items_thread_;  // the listing on its way, until its rows arrive
  std::shared_ptr<std::atomic<bool>> items_cancel_;
  std::wstring row_text_;  // the text handed to the items list, kept until it asks again
};

// Posted to the window by the thread that lists the items.
inline constexpr UINT kItemsListedMessage = WM_APP + 23;

}  // namespace zrnx
