#pragma once
// The option set of the editor: section [Option] of the settings file, with
// the editor's own defaults. Loading and saving work on plain data, so they
// serve the window and a window-less apply alike.

#include <array>
#include <cstdint>
#include <string>

#include "common/settings_file.h"

namespace zrnx {

struct OptionSet {
  bool paste_mode = true;
  bool new_menu = true;  // the key New
  std::string editor;
  std::string data;  // the menu folder
  std::array<std::string, 10> date_formats;
  std::int32_t send_key_paste = 0;  // -1 when nothing is chosen
  bool restore_clipboard = false;   // give the clipboard back after a paste
  bool start_menu_shortcuts = true;  // the items get Start-menu shortcuts
};

// What a missing Editor or Data key loads as.
struct OptionDefaults {
  std::string editor;       // the Windows folder + "\NOTEPAD.EXE"
  std::string menu_folder;  // the Start Menu + "\Zarnik NX テキスト", or empty
};

// `windows_dir` without a trailing backslash; `start_menu` empty when the
// shell could not resolve it.
OptionDefaults MakeOptionDefaults(const std::string& windows_dir, const std::string& start_menu);

// Reads every key in the stored order; a missing key gives its default, an
// empty value stays empty.
OptionSet LoadOptions(const SettingsFile& file, const OptionDefaults& defaults);

// Writes every key, one write each; the first failed write raises Error and
// ends the save there.
void SaveOptions(SettingsFile& file, const OptionSet& options);

}  // namespace zrnx
