#pragma once
// The system around the options window: message boxes, files and folders,
// the file-open dialog, Explorer, the top-level windows and the restart.

#include <windows.h>

#include <string>

#include "common/scoped_win.h"
#include "options/form_ports.h"

namespace zrnx {

// The full path of the running program, through the wide call.
std::wstring ThisProgramPath();

// The single-instance guard "Zarnik_NX_Option": false when another editor
// holds it; otherwise `held` keeps it until it goes.
bool ClaimEditorMutex(ScopedHandle& held);

class Win32FormSystem final : public FormSystem {
 public:
  // The options window, owner of the dialogs and of the shell's folder look-ups.
  void SetOwner(HWND owner) { owner_ = owner; }

  int ShowBox(std::string_view text, std::string_view caption, unsigned style) override;
  void ShowErrorBox(const std::exception& error, std::string_view caption) override;
  bool FileExists(const std::string& path) override;
  bool PathExists(const std::wstring& path) override;
  bool FolderExists(const std::string& path) override;
  std::string WindowsDirectory() override;
  std::optional<std::string> StartMenuFolder() override;
  std::optional<std::string> PickExecutable(const std::string& folder, const std::string& name) override;
  void StartProcess(const std::string& application, const std::string& command_line) override;
  std::vector<TopWindow> TopLevelWindows() override;
  bool Restart() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace zrnx
