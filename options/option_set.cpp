#include "options/option_set.h"

#include "common/settings_keys.h"
#include "options/texts.h"

namespace zrnx {

OptionDefaults MakeOptionDefaults(const std::string& windows_dir, const std::string& start_menu) {
  OptionDefaults defaults;
  defaults.editor = windows_dir + "\\" + std::string(kNotepadName);
  if (!start_menu.empty()) defaults.menu_folder = start_menu + std::string(kMenuFolderName);
  return defaults;
}

OptionSet LoadOptions(const SettingsFile& file, const OptionDefaults& defaults) {
  OptionSet options;
  options.paste_mode = file.ReadFlag(kOptionSection, "PasteMode", true);
  options.new_menu = file.ReadFlag(kOptionSection, "New", true);
  options.editor = file.ReadText(kOptionSection, "Editor", defaults.editor);
  options.data = file.ReadText(kOptionSection, "Data", defaults.menu_folder);
  for (std::size_t i = 0; i < options.date_formats.size(); ++i) {
    options.date_formats[i] = file.ReadText(kOptionSection, kDateFormatKeys[i], kDefaultDateFormats[i]);
  }
  options.send_key_paste = file.ReadInteger(kOptionSection, kSendKeyPasteKey, 0);
  options.restore_clipboard = file.ReadFlag(kOptionSection, kRestoreClipboardKey, false);
  options.start_menu_shortcuts = file.ReadFlag(kOptionSection, kStartMenuShortcutsKey, true);
  return options;
}

void SaveOptions(SettingsFile& file, const OptionSet& options) {
  file.WriteFlag(kOptionSection, "PasteMode", options.paste_mode);
  file.WriteFlag(kOptionSection, "New", options.new_menu);
  file.WriteText(kOptionSection, "Editor", options.editor);
  file.WriteText(kOptionSection, "Data", options.data);
  for (std::size_t i = 0; i < options.date_formats.size(); ++i) {
    file.WriteText(kOptionSection, kDateFormatKeys[i], options.date_formats[i]);
  }
  file.WriteInteger(kOptionSection, kSendKeyPasteKey, options.send_key_paste);
  file.WriteFlag(kOptionSection, kRestoreClipboardKey, options.restore_clipboard);
  file.WriteFlag(kOptionSection, kStartMenuShortcutsKey, options.start_menu_shortcuts);
}

}  // namespace zrnx
