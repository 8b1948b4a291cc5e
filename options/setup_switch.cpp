#include "options/setup_switch.h"

#include <exception>

#include "common/error.h"

namespace zrnx {
namespace {

constexpr char kEditorRunning[] =
    "Zarnik NX のオプションが実行中です。オプションを閉じてから、もう一度実行してください。";

bool EqualsAsciiNoCase(const std::string& text, const char* word) {
  std::size_t i = 0;
  for (; word[i] != '\0'; ++i) {
    if (i == text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return i == text.size();
}

void Apply(SetupPort& port) {
  ShellIntegration& shell = port.Shell();
  // The order of the window's start and OK: detect, load, then apply.
  const ShellState detected = shell.DetectShellState(port.ItemSenderPath());
  const LoadedOptions options = port.LoadOptions();
  const bool first_run = !port.SettingsFileExists();

  ShellChoices choices;
  // Setting up means the items open through the shell, so the association
  // is registered even when an earlier copy had it switched off (its paths
  // may point at a folder that is gone). Send To is the user's choice: a
  // first run gets it, as the editor's first run offers everything; an
  // existing copy keeps what it had.
  choices.associate = true;
  choices.send_to = first_run || detected.send_to;
  choices.paste_mode = options.paste_mode;
  choices.new_menu = options.new_menu;
  choices.editor = options.editor.empty() ? options.default_editor : options.editor;
  choices.item_sender_path = options.item_sender_path;

  choices.start_menu = options.start_menu_shortcuts;
  choices.menu_folder = options.data;

  // Nothing is registered for a copy whose settings cannot be saved, or
  // whose shortcuts would run at logon.
  shell.CheckItemShortcuts(choices);
  port.CheckSettingsWritable();
  shell.ApplyShellIntegration(choices);
  port.SaveOptions();
  port.SaveThroughWindows(first_run);
  shell.UpdateItemShortcuts(choices);
}

void Remove(SetupPort& port) {
  // Nothing ticked: both keys and both Send To link names go, as far as
  // they are this copy's or name a program that is gone, and the items'
  // shortcuts of ours. The settings file is read for the menu folder (which
  // names the shortcuts' group) and never written.
  ShellChoices none;
  none.item_sender_path = port.ItemSenderPath();
  none.menu_folder = port.LoadOptions().data;
  port.Shell().ApplyShellIntegration(none);
  port.Shell().UpdateItemShortcuts(none);
}

}  // namespace

SetupSwitch ParseSetupSwitch(const std::vector<std::string>& args) {
  if (args.size() != 1) return SetupSwitch::kNone;
  if (EqualsAsciiNoCase(args[0], "/apply")) return SetupSwitch::kApply;
  if (EqualsAsciiNoCase(args[0], "/remove")) return SetupSwitch::kRemove;
  return SetupSwitch::kNone;
}

SetupOutcome RunSetupSwitch(SetupSwitch which, SetupPort& port) {
  if (which == SetupSwitch::kNone) return {};
  if (!port.ClaimEditorMutex()) return {kSetupEditorRunning, kEditorRunning};
  try {
    if (which == SetupSwitch::kApply) {
      Apply(port);
    } else {
      Remove(port);
    }
  } catch (const std::exception& e) {
    return {kSetupFailed, ErrorBoxText(e.what())};
  }
  return {};
}

}  // namespace zrnx
