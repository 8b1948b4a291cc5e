#pragma once
// The options editor's quiet set-up switches, run by the setup program:
// "/apply" does what a first run's OK does, without a window or the restart
// question; "/remove" takes the shell integration away as unticking does.
// Any other command line opens the usual window.

#include <string>
#include <vector>

#include "options/shell_integration.h"

namespace zrnx {

enum class SetupSwitch { kNone, kApply, kRemove };

// `args` without the program's own path. Exactly one argument, "/apply" or
// "/remove" in any case; anything else, extra arguments included, is kNone.
SetupSwitch ParseSetupSwitch(const std::vector<std::string>& args);

// The option set as far as the shell integration needs it, after the
// editor's LoadOptions.
struct LoadedOptions {
  bool paste_mode = true;
  bool new_menu = true;
  std::string editor;          // may be empty when the key holds nothing
  std::string default_editor;  // DefaultEditor
  std::wstring item_sender_path;
  std::string data;                  // the menu folder
  bool start_menu_shortcuts = true;  // StartMenuShortcuts
};

// What the switches need of the options editor, without its window.
class SetupPort {
 public:
  virtual ~SetupPort() = default;
  // Takes the single-instance mutex for the rest of the run; false when
  // another editor holds it.
  virtual bool ClaimEditorMutex() = 0;
  virtual bool SettingsFileExists() = 0;
  // This copy's Zrnx.exe, beside the editor.
  virtual std::wstring ItemSenderPath() = 0;
  virtual LoadedOptions LoadOptions() = 0;
  // Raises the settings file's write error when no write could succeed now.
  virtual void CheckSettingsWritable() = 0;
  // Writes [Option] with what LoadOptions read.
  virtual void SaveOptions() = 0;
  // Writes the through-window list back as it was read; on a first run
  // the list a first run of the window offers.
  virtual void SaveThroughWindows(bool first_run) = 0;
  virtual ShellIntegration& Shell() = 0;
};

inline constexpr int kSetupFailed = 1;
inline constexpr int kSetupEditorRunning = 2;

struct SetupOutcome {
  int exit_code = 0;
  std::string message;  // for the error stream; empty on success
};

// Errors raised by the port end the run with their text (as the error box
// would show it) and exit code kSetupFailed; nothing after the failing step
// is written.
SetupOutcome RunSetupSwitch(SetupSwitch which, SetupPort& port);

}  // namespace zrnx
