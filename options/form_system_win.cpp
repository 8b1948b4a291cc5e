#include "options/form_system_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "common/error_box_win.h"
#include "common/files_win.h"
#include "common/scoped_win.h"
#include "common/switchable_window_win.h"
#include "common/wide_text_win.h"
#include "options/texts.h"

namespace zrnx {

std::wstring ThisProgramPath() { return ThisModulePath(); }

bool ClaimEditorMutex(ScopedHandle& held) {
  const std::string name(kOptionsMutexName);
  if (ScopedHandle running(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str())); running) return false;
  held.Reset(CreateMutexA(nullptr, FALSE, name.c_str()));
  return true;
}

int Win32FormSystem::ShowBox(std::string_view text, std::string_view caption, unsigned style) {
  // Owned by the options window, which stays disabled while the box is up:
  // a second click on a button behind it cannot stack another box.
  return MessageBoxW(owner_, OwnText(text).c_str(), OwnText(caption).c_str(), style);
}

void Win32FormSystem::ShowErrorBox(const std::exception& error, std::string_view caption) {
  zrnx::ShowErrorBox(error, caption, owner_);
}

bool Win32FormSystem::PathExists(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  ScopedFind find(FindFirstFileW(path.c_str(), &found));
  return find && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FormSystem::FileExists(const std::string& path) { return zrnx::FileExists(path); }

bool Win32FormSystem::FolderExists(const std::string& path) { return zrnx::FolderExists(path); }

std::string Win32FormSystem::WindowsDirectory() {
  char buffer[256] = {};
  const UINT n = GetWindowsDirectoryA(buffer, 255);
  return std::string(buffer, n < 256 ? n : 0);
}

std::optional<std::string> Win32FormSystem::StartMenuFolder() { return SpecialFolderPath(owner_, CSIDL_STARTMENU); }

std::optional<std::string> Win32FormSystem::PickExecutable(const std::string& folder, const std::string& name) {
  // "description\0pattern\0\0"
  std::wstring filter = OwnText(kExecutableFilterName);
  filter.push_back(L'\0');
  filter += OwnText(kExecutableFilterPattern);
  filter.push_back(L'\0');
  const std::wstring initial_dir = DataText(folder);
  std::wstring file = DataText(name);
  file.resize(32768, L'\0');  // room for any path the user picks
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initial_dir.empty() ? nullptr : initial_dir.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  // The settings file keeps the code page: a name it cannot hold goes in as
  // its short name, or is refused here rather than turned into '?'.
  auto picked = [this](const std::wstring& chosen) {
    std::optional<std::string> bytes = CodePagePath(chosen);
    if (!bytes) ShowBox(WithValue(kValueDoesNotFit, kEditorField), kOptionsBoxTitle, kBoxError);
    return bytes;
  };
  if (GetOpenFileNameW(&dialog)) return picked(file.c_str());
  // A box holding no valid file name keeps the dialog from opening at all:
  // ask again without it rather than do nothing.
  if (CommDlgExtendedError() == 0 || (name.empty() && folder.empty())) return std::nullopt;
  std::fill(file.begin(), file.end(), L'\0');
  dialog.lpstrInitialDir = nullptr;
  if (GetOpenFileNameW(&dialog)) return picked(file.c_str());
  return std::nullopt;
}

void Win32FormSystem::StartProcess(const std::string& application, const std::string& command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  std::string line = command_line;  // CreateProcessA may write into it
  PROCESS_INFORMATION info{};
  if (CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    ScopedHandle process(info.hProcess);
    ScopedHandle thread(info.hThread);
  }
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* windows = reinterpret_cast<std::vector<TopWindow>*>(param);
  char title[256] = {};
  char class_name[256] = {};
  const int title_length = GetWindowTextA(window, title, 255);
  const int class_length = GetClassNameA(window, class_name, 255);
  const bool visible = IsWindowVisible(window) != FALSE;
  windows->push_back({std::string(title, title_length > 0 ? title_length : 0),
                      std::string(class_name, class_length > 0 ? class_length : 0), visible,
                      IsWindowEnabled(window) != FALSE, WindowExtendedStyle(window),
                      // Only a shown window can be hidden by the compositor.
                      visible && IsWindowCloaked(window)});
  return TRUE;
}

}  // namespace

std::vector<TopWindow> Win32FormSystem::TopLevelWindows() {
  std::vector<TopWindow> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32FormSystem::Restart() {
  // Windows refuses the restart to a process without the shutdown privilege.
  ScopedHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
  if (!AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) ||
      GetLastError() != ERROR_SUCCESS) {
    return false;
  }
  return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}

}  // namespace zrnx
