#pragma once
// The shell integration on the real registry and shell.

#include <windows.h>

#include <memory>

#include "components/shell_shortcut.h"
#include "options/shell_integration.h"

namespace zrnx {

// `owner` is the options window (nullptr when there is none); `shortcut`
// writes the Send To link and must outlive the result.
std::unique_ptr<ShellIntegration> MakeWin32ShellIntegration(HWND owner, TShellShortCut& shortcut);

}  // namespace zrnx
