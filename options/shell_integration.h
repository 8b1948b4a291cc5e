#pragma once
// The shell integration: the .zrx file type with its three verbs, the entry
// in the shell's New menu and the Send To shortcut to the item sender. The
// options window detects it at start and rewrites it on every apply.

#include <cstdint>
#include <map>
#include <string>

namespace zrnx {

// What the registry and the Send To folder hold at start for this copy of
// the programs: another copy's association or link counts as absent.
struct ShellState {
  bool association = false;  // .zrx opens through this copy's item sender
  bool send_to = false;      // "Zarnik NX.lnk" or "クリップボード.lnk" in Send To points at it
};

// What one apply asks for: the ticks of Kanren and SendTo and the options
// that shape the registry entries.
struct ShellChoices {
  bool associate = false;        // Kanren
  bool send_to = false;          // SendTo
  bool paste_mode = true;        // PasteMode: the default verb pastes
  bool new_menu = true;          // New: .zrx\ShellNew
  std::string editor;            // Editor, already replaced by the default when empty
  std::wstring item_sender_path;  // ItemSenderPath, as the wide call gave it
  bool start_menu = false;       // StartMenuShortcuts: shortcuts for the items
  std::string menu_folder;       // Data, whose items they are
  std::string old_menu_folder;   // Data before this change: ours leave its group
  // Hot keys the items page changed, by the item's path below the menu
  // folder (0 clears one); the others keep what their shortcuts hold.
  std::map<std::string, std::uint16_t> hot_keys;
};

class ShellIntegration {
 public:
  virtual ~ShellIntegration() = default;
  // `item_sender_path` names this copy's Zrnx.exe.
  virtual ShellState DetectShellState(const std::wstring& item_sender_path) = 0;
  // Registry entries first, then the Send To link. A failure raises Error
  // with the message text and ends the apply at the failing step. Unticked,
  // only what names choices.item_sender_path, or a program that no longer
  // exists, is removed; what could not be removed is reported the same way
  // once everything else has been done.
  virtual void ApplyShellIntegration(const ShellChoices& choices) = 0;
  // The items' Start-menu shortcuts brought in step, or ours removed when
  // start_menu is off. Run after the settings are saved, so a Programs
  // folder that refuses a link never costs the user his settings; raises
  // Error for the first link that could not be written or removed.
  virtual void UpdateItemShortcuts(const ShellChoices& choices) = 0;
  // Raises Error, before anything is saved, when the shortcuts' group would
  // be the Startup folder.
  virtual void CheckItemShortcuts(const ShellChoices&) {}
};

}  // namespace zrnx
