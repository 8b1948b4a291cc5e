// The set-up switches against the registry, the Send To folder and the
// settings file beside this program.

#include "options/setup_switch_win.h"

#include <windows.h>

#include <memory>

#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "components/shell_shortcut.h"
#include "options/editor_program.h"
#include "options/form_system_win.h"
#include "options/option_set.h"
#include "options/shell_integration_win.h"
#include "options/texts.h"
#include "options/through_windows.h"

namespace zrnx {
namespace {

class Win32SetupPort final : public SetupPort {
 public:
  Win32SetupPort()
      : paths_(PathsBeside(ThisProgramPath())), settings_(paths_.settings_path), send_to_link_(nullptr) {
    // As the options window sets its Send To component.
    send_to_link_.LoadProperties(kSendToLinkProperties);
    shell_ = MakeWin32ShellIntegration(nullptr, send_to_link_);
  }

  bool ClaimEditorMutex() override { return zrnx::ClaimEditorMutex(mutex_); }

  bool SettingsFileExists() override { return system_.PathExists(settings_.Path()); }

  std::wstring ItemSenderPath() override { return paths_.item_sender_path; }

  LoadedOptions LoadOptions() override {
    const OptionDefaults defaults =
        MakeOptionDefaults(system_.WindowsDirectory(), system_.StartMenuFolder().value_or(""));
    options_ = zrnx::LoadOptions(settings_, defaults);
    return {options_.paste_mode,     options_.new_menu, options_.editor,
            defaults.editor,         paths_.item_sender_path, options_.data,
            options_.start_menu_shortcuts};
  }

  void CheckSettingsWritable() override { settings_.CheckWritable(); }

  void SaveOptions() override { zrnx::SaveOptions(settings_, options_); }

  void SaveThroughWindows(bool first_run) override {
    const ThroughList list = LoadThroughWindows(settings_, !first_run);
    zrnx::SaveThroughWindows(settings_, list.rows, list.loaded_count);
  }

  ShellIntegration& Shell() override { return *shell_; }

 private:
  FormPaths paths_;
  SettingsFile settings_;
  Win32FormSystem system_;
  TShellShortCut send_to_link_;
  std::unique_ptr<ShellIntegration> shell_;
  OptionSet options_;
  ScopedHandle mutex_;
};

}  // namespace

void WriteErrorStream(const std::string& text) {
  const std::string line = text + "\r\n";
  HANDLE stream = GetStdHandle(STD_ERROR_HANDLE);
  ScopedFile console;
  // A program of the GUI subsystem started from a console gets no handles
  // of its own; the parent's console is the place the user looks at.
  if ((stream == nullptr || stream == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    console.Reset(CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr));
    stream = console.Get();
  }
  if (stream == nullptr || stream == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(stream, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

int RunSetupSwitchWin(SetupSwitch which) {
  Win32SetupPort port;
  const SetupOutcome outcome = RunSetupSwitch(which, port);
  if (!outcome.message.empty()) WriteErrorStream(outcome.message);
  return outcome.exit_code;
}

}  // namespace zrnx
