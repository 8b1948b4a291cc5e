#pragma once
// The Win32 ports of the shell integration on their own, for tests that
// layer a refusal over the real registry.

#include <windows.h>

#include <memory>

#include "options/shell_integration_logic.h"

namespace zrnx {

std::unique_ptr<RegistryPort> MakeWin32Registry();
std::unique_ptr<ShellFolders> MakeWin32ShellFolders(HWND owner);

}  // namespace zrnx
