#pragma once
// What the options window's handlers need from the platform, in two narrow
// ports: the window's controls (found by their identifiers) and the system
// around it. Texts of controls are bytes in the system code page; the
// program's own texts passed to ShowBox are Shift-JIS constants.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

#include "options/through_windows.h"

namespace zrnx {

class FormView {
 public:
  virtual ~FormView() = default;

  virtual bool Checked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual std::string Text(int id) const = 0;
  // Whether the system code page holds the control's text as it is (Text
  // gives '?' or a look-alike for what it does not).
  virtual bool TextFitsCodePage(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  // The drop-down list's chosen index, -1 for none; an index outside the
  // items clears the choice.
  virtual int ItemIndex(int id) const = 0;
  virtual void SetItemIndex(int id, int index) = 0;
  virtual void Focus(int id) = 0;
  virtual void ShowPage(int page_id) = 0;
  // The window itself: shown centred, hidden, or closed (which runs
  // FormCloseQuery and ends the program).
  virtual void ShowForm() = 0;
  virtual void HideForm() = 0;
  virtual void CloseForm() = 0;

  // List views: rows, the selected row and the row with the keyboard focus
  // (-1 for none).
  virtual std::vector<WindowRow> Rows(int id) const = 0;
  virtual void ClearRows(int id) = 0;
  virtual void AddRow(int id, const WindowRow& row) = 0;
  virtual void DeleteRow(int id, int row) = 0;
  virtual int SelectedRow(int id) const = 0;
  virtual int FocusedRow(int id) const = 0;
  virtual void SelectRow(int id, int row) = 0;

  // A list view whose rows the window asks the form for (kVirtualRows):
  // how many there are, and that their texts changed.
  virtual void SetRowCount(int id, int count) = 0;
  virtual void RefreshRows(int id) = 0;

  // The hot-key control: its key as a shell link keeps it (0: none).
  virtual std::uint16_t HotKey(int id) const = 0;
  virtual void SetHotKey(int id, std::uint16_t key) = 0;
};

class FormSystem {
 public:
  virtual ~FormSystem() = default;

  // A message box owned by the options window (modal to it); returns the
  // answer (kAnswerOk ...).
  virtual int ShowBox(std::string_view text, std::string_view caption, unsigned style) = 0;
  // An error of a step, in an error box titled `caption`, as ErrorBoxText
  // gives its text (on the platform a path inside it keeps its code page).
  virtual void ShowErrorBox(const std::exception& error, std::string_view caption) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // FileExists for a path from a wide call.
  virtual bool PathExists(const std::wstring& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Without a trailing backslash.
  virtual std::string WindowsDirectory() = 0;
  // The user's Start Menu folder; nullopt when the shell cannot resolve it.
  virtual std::optional<std::string> StartMenuFolder() = 0;
  // The file-open dialog filtered to executables; the chosen path, or
  // nullopt when the user cancelled.
  virtual std::optional<std::string> PickExecutable(const std::string& folder, const std::string& name) = 0;
  // CreateProcessA of `application` (a full path, so no search runs) with
  // this command line; the outcome is not used.
  virtual void StartProcess(const std::string& application, const std::string& command_line) = 0;
  // Every top-level window, top of the Z order first.
  virtual std::vector<TopWindow> TopLevelWindows() = 0;
  // Asks Windows to restart (with the shutdown privilege); false when refused.
  virtual bool Restart() = 0;
};

}  // namespace zrnx
