// Zrnx.exe: sends one item to the clipboard and, in paste mode, into the
// window the user was working in. Windowless; one item per process.

#include <windows.h>

#include <string>

#include "common/path.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "common/wide_text_win.h"
#include "sender/run.h"
#include "sender/steps_win.h"

namespace {

// The settings file is the program file with the extension ".ini", so a
// renamed program reads the settings of its own name.
std::wstring SettingsPath() { return zrnx::ChangeExtension(zrnx::ThisModulePath(), L".ini"); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zrnx::ComApartment com;
  const std::wstring settings_path = SettingsPath();
  zrnx::Win32SenderSteps steps(settings_path);
  return zrnx::RunSender(GetCommandLineW(), settings_path, steps, zrnx::DefaultProfileStore());
}
