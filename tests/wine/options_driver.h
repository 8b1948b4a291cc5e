#pragma once
// Drives the real ZrnxSet.exe from another process, as a user would: finds
// its window and controls by identifier, clicks with the mouse, types,
// presses keys, switches pages, reads and selects list rows, answers the
// message boxes. The window's own texts are read with the wide calls and
// handed back as Shift-JIS bytes, so tests compare them with their literals
// under any system code page.

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "options/control_ids.h"
#include "wine/cross_process.h"
#include "wine/ini_bytes.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {

// The pages by their tab positions, from the left.
inline constexpr int kGeneral = 0, kDateTime = 1, kVirtualKey = 2, kIgnore = 3, kItems = 4, kVersion = 5;

// The Windows folder, where the editor's default editor lies.
std::string WindowsFolder();

// Whether a check box's caption, in the window's face at the window's DPI,
// fits beside its box within the control's width.
bool CheckBoxCaptionFits(HWND check_box, UINT dpi);

class OptionsEditor;

// What keeps the tabs from standing in one row, whole, inside the tab
// control (arrows shown, a second row, a tab cut at either end); empty when
// nothing does.
std::string TabRowFault(const OptionsEditor& editor);

// One running ZrnxSet.exe: the copy inside the sandbox, started with the
// sandbox as its current folder.
class OptionsEditor {
 public:
  static constexpr const char* kClass = "TZrnxSetForm";

  // Copies ZrnxSet.exe (and Zrnx.exe beside it) into the sandbox unless it is
  // there, and starts it.
  explicit OptionsEditor(Sandbox& sandbox);

  DWORD Id() const { return process_.Id(); }
  Process& Proc() { return process_; }
  // The exit code once ended, nullopt if still running after `timeout`.
  std::optional<DWORD> Wait(DWORD timeout = kDefaultTimeout) { return process_.Wait(timeout); }
  bool Running() const { return WaitForSingleObject(process_.Handle(), 0) == WAIT_TIMEOUT; }

  // Waits until the options window of this process is visible; false if it did not come.
  bool WaitForWindow(DWORD timeout = kDefaultTimeout);
  HWND Window() const { return window_; }
  bool WindowVisible() const { return window_ && IsWindowVisible(window_); }
  // Any top-level window of this process (visible or not) of the class.
  static HWND FindWindowOf(DWORD process_id, const char* class_name, bool visible_only);
  // The first visible dialog (#32770: a box, a picker) of this process; nullptr if none came.
  HWND WaitForDialog(DWORD timeout = kDefaultTimeout) const;
  // The file name box of an open-file dialog: a combo box in the explorer style, else an edit.
  static HWND FileNameBox(HWND dialog);

  // A control by identifier anywhere in the window's tree; nullptr if absent.
  HWND Control(int id) const;
  HWND Require(int id) const;  // fails the test (and throws) when absent

  std::string Text(int id) const;  // caption or edit text, Shift-JIS
  std::string DataText(int id) const;  // edit text in the system code page (paths, patterns)
  bool Checked(int id) const;
  bool Enabled(int id) const;
  bool Visible(int id) const;
  DWORD Style(int id) const;
  DWORD ExStyle(int id) const;
  // The control's outer rectangle relative to the client area of `reference` (a control; 0: the window).
  RECT RectIn(int id, int reference) const;
  SIZE ClientSize() const;

  // The control holding the keyboard focus in the editor's thread, and its identifier (0: none/other).
  HWND Focus() const;
  int FocusId() const;
  bool WaitForFocus(int id, DWORD timeout = 3000) const;

  // Tabs of PageControl1, 0-based positions from the left.
  int TabCount() const;
  std::string TabCaption(int position) const;
  int ActiveTab() const;
  // A tab's rectangle in the tab control's client area, as the control reports it.
  RECT TabRect(int position) const;
  // Whether the row of tabs shows its scroll arrows (an up-down child), so
  // some tab lies outside the row.
  bool TabArrowsShown() const;
  // Clicks the tab and waits until its page is the active one.
  bool ShowPage(int position);

  // List views.
  int RowCount(int list) const;
  std::string RowText(int list, int row, int column) const;  // Shift-JIS of the wide text
  std::string RowData(int list, int row, int column) const;  // system code page
  int SelectedRow(int list) const;  // -1: none
  int FindRow(int list, int column, const std::string& data) const;  // by system code page text; -1
  struct Column {
    std::string caption;
    int width = 0;
  };
  Column ColumnOf(int list, int column) const;
  int ColumnCount(int list) const;
  // Clicks the row (in its class-name column, so no in-place edit starts) and waits for the selection.
  bool SelectRow(int list, int row);
  void DoubleClickRow(int list, int row);
  // One click in a cell: in the title of a selected row it starts the in-place edit.
  void ClickRowCell(int list, int row, int column);
  // The list's in-place edit box while one is open, else nullptr.
  HWND InPlaceEdit(int list) const;

  // Combo boxes.
  int ComboCount(int id) const;
  std::string ComboItem(int id, int index) const;
  int ComboSelection(int id) const;
  bool SelectComboItem(int id, int index);

  // Acting as the user.
  void Click(int id);  // the mouse at the control's centre
  // Clicks a check box until it shows `ticked`; false if it would not change.
  bool SetChecked(int id, bool ticked);
  // Clicks into the edit box and replaces its text by typing `text`
  // (Shift-JIS for the window's texts under any code page: typed as wide characters).
  bool TypeText(int id, const std::string& text);
  bool TypeData(int id, const std::string& ansi_text);  // system code page text
  // A key pressed and released in the control that holds the focus.
  void PressKey(WORD vk);
  // Keys pressed together on the keyboard, with the editor in front
  // (modifiers first, released in reverse).
  void PressChord(std::initializer_list<WORD> keys);
  // The close box of the title bar (WM_CLOSE as the system menu sends it).
  void CloseBox();

  // Waits until the process has ended, or until a message box of it shows.
  // True when it ended.
  bool WaitForEndOrBox(DWORD timeout = kDefaultTimeout);

 private:
  // The editor in front: a click or a chord on an inactive window may only activate it.
  void BringToFront();
  void ClickScreen(POINT point, int clicks);
  POINT CentreOnScreen(HWND control) const;
  bool TypeWide(int id, const std::wstring& text);
  std::wstring RowWide(int list, int row, int column) const;
  void Settle() const;

  Process process_;
  HWND window_ = nullptr;
};


// The common ground of the tests that run whole editors: a sandbox with the
// programs, its Zrnx.ini read back, editors started and seen to end.
class OptionsEditorTest : public ::testing::Test {
 protected:
  std::string Ini() const { return ReadFileBytes(sandbox_.PathOf("Zrnx.ini")).value_or("<missing>"); }
  std::optional<std::string> Option(const std::string& key) const { return IniValue(Ini(), "Option", key); }
  std::optional<std::string> Through(const std::string& key) const { return IniValue(Ini(), "ThroughWindow", key); }

  // Starts a new editor in the sandbox and waits for its window.
  std::unique_ptr<OptionsEditor> Start(DWORD timeout = kDefaultTimeout) {
    auto editor = std::make_unique<OptionsEditor>(sandbox_);
    EXPECT_TRUE(editor->WaitForWindow(timeout)) << "no options window";
    return editor;
  }

  // Expects the editor to end by itself with exit code 0 and no box on the way.
  static void ExpectEndsQuietly(OptionsEditor& e) {
    EXPECT_TRUE(e.WaitForEndOrBox()) << "still running";
    if (std::optional<MessageBoxSeen> box = FindAnyMessageBox(e.Id())) ADD_FAILURE() << "box: " << box->text;
    EXPECT_EQ(e.Wait(5000), std::optional<DWORD>(0));
  }

  Sandbox sandbox_;
};

}  // namespace zrnx::test
