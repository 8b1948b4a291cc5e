// ZrnxSet.exe: the options editor. One window; a second copy ends at once.

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "common/error_box_win.h"
#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "options/form_system_win.h"
#include "options/form_window_win.h"
#include "options/options_form.h"
#include "options/shell_integration_win.h"
#include "options/setup_switch_win.h"
#include "options/texts.h"

namespace {

int RunEditor() {
  // COM's apartment starts after the first paint: nothing before it needs
  // COM, and ole32 is loaded when first called. Made first, it ends last.
  std::optional<zrnx::ComApartment> com;
  // Another editor runs: end at once, without a word. The guard is held
  // until the program ends.
  zrnx::ScopedHandle mutex;
  if (!zrnx::ClaimEditorMutex(mutex)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES |
                                                           ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&controls);

  zrnx::Win32FormSystem system;
  zrnx::OptionsWindow window;
  zrnx::TZrnxSetForm form(window, system, zrnx::PathsBeside(zrnx::ThisProgramPath()));
  window.Create(form);
  system.SetOwner(window.Handle());
  form.SetShellIntegration(zrnx::MakeWin32ShellIntegration(window.Handle(), form.ShellShortCut1()));
  form.FormCreate();
  window.Show();
  com.emplace();
  form.FormShow();

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(message)) continue;
    if (window.Handle() && IsDialogMessageW(window.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The setup program's switches: no window, no box.
  const zrnx::SetupSwitch setup = zrnx::ParseSetupSwitch(std::vector<std::string>(__argv + 1, __argv + __argc));
  if (setup != zrnx::SetupSwitch::kNone) {
    zrnx::ComApartment com;
    return zrnx::RunSetupSwitchWin(setup);
  }
  try {
    return RunEditor();
  } catch (const std::exception& error) {
    zrnx::ShowErrorBox(error, zrnx::kOptionsTitle);
    return 1;
  }
}
