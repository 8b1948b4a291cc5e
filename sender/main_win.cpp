// Zrnx.exe: sends one item to the clipboard and, in paste mode, into the
// window the user was working in. Windowless; one item per process.

#include <windows.h>

#include <string>

#include "common/path.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "sender/run.h"
#include "sender/steps_win.h"

namespace {

// The settings file is the program file with the extension ".ini", so a
// renamed program reads the settings of its own name.
std::string SettingsPath() {
  char module[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
  return zrnx::ChangeExtension(std::string(module, n), ".ini");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zrnx::ComApartment com;
  const std::string settings_path = SettingsPath();
  zrnx::Win32SenderSteps steps(settings_path);
  return zrnx::RunSender(GetCommandLineA(), settings_path, steps, zrnx::DefaultProfileStore());
}
