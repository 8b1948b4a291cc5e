#include "options/editor_program.h"

#include "common/path.h"
#include "options/texts.h"

namespace zrnx {

FormPaths PathsBeside(const std::string& module_path) {
  const std::string folder = FolderPart(module_path);
  return {folder + std::string(kSettingsName), folder + std::string(kItemSenderName)};
}

ShellChoices MakeShellChoices(bool associate, bool send_to, const OptionSet& options,
                              const std::string& item_sender_path) {
  ShellChoices choices;
  choices.associate = associate;
  choices.send_to = send_to;
  choices.paste_mode = options.paste_mode;
  choices.new_menu = options.new_menu;
  choices.editor = options.editor;
  choices.item_sender_path = item_sender_path;
  return choices;
}

}  // namespace zrnx
