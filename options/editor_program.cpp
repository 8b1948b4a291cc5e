#include "options/editor_program.h"

#include "common/path.h"
#include "options/texts.h"

namespace zrnx {

FormPaths PathsBeside(const std::wstring& module_path) {
  const std::wstring folder = FolderPart(module_path);
  auto beside = [&](std::string_view name) { return folder + std::wstring(name.begin(), name.end()); };
  return {beside(kSettingsName), beside(kItemSenderName)};
}

ShellChoices MakeShellChoices(bool associate, bool send_to, const OptionSet& options,
                              const std::wstring& item_sender_path) {
  ShellChoices choices;
  choices.associate = associate;
  choices.send_to = send_to;
  choices.paste_mode = options.paste_mode;
  choices.new_menu = options.new_menu;
  choices.editor = options.editor;
  choices.item_sender_path = item_sender_path;
  choices.start_menu = options.start_menu_shortcuts;
  choices.menu_folder = options.data;
  return choices;
}

}  // namespace zrnx
