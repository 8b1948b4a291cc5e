#pragma once
// Start-menu shortcuts for the items. Today's Start menu lists only
// shortcuts under Programs, one folder deep, so the items get a group there
// named like the menu folder, with one shortcut per item that starts the
// item sender on it. The plan (what to add, update and remove) is computed
// from the two listings; ItemShortcuts lists, plans and applies it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/settings_file.h"
#include "components/shell_link.h"

namespace zrnx {

// A file below a listed folder.
struct FolderEntry {
  std::string relative;  // "greeting.zrx", "Sub\greeting.zrx"
  bool hidden = false;   // it, or a folder on its way, is hidden or system
};

// A file directly in the group folder; `link` is set for a .lnk that loaded.
struct GroupEntry {
  std::string name;
  std::optional<LinkRead> link;
};

// What every shortcut of ours starts, and where its items lie.
struct ShortcutTarget {
  std::string sender_path;  // Zrnx.exe, in the code page ('?' where it cannot hold it)
  std::string menu_folder;  // [Option] Data
  bool paste_mode = true;   // PasteMode: "/p", else "/c"
  // Zrnx.exe as the wide call gave it: written in place of the bytes, so that
  // a program folder the code page cannot hold is still where the links point.
  std::wstring wide_sender_path = {};
};

struct ShortcutWrite {
  std::string name;       // "greeting.lnk"
  std::string item_path;  // the item's full path
  std::string relative;   // the item below the menu folder, the description
  bool operator==(const ShortcutWrite&) const = default;
};

struct ShortcutPlan {
  std::vector<ShortcutWrite> add;
  std::vector<ShortcutWrite> update;  // ours, rewritten under the name they have
  std::vector<std::string> remove;    // names of ours whose item is gone
};

// Items in folders below the menu folder are shown flattened; deeper
// folders than this are not listed.
inline constexpr int kMaxItemDepth = 8;

// The group's name: the menu folder's last component ("" when it has none).
std::string ShortcutGroupName(const std::string& menu_folder);

// Whether the shell opens this file with the item sender once it is a
// shortcut of ours: .zrx, .txt, .url and .lnk files that are not hidden.
bool IsItemEntry(const FolderEntry& entry);

// Whether `path` lies in the menu folder or a folder below it (ASCII
// letters compared without case, as the file system does).
bool InMenuFolder(const std::string& path, const std::string& menu_folder);

// The link we write for an item.
LinkRead WantedLink(const std::string& item_path, const std::string& relative, const ShortcutTarget& target);

// The item a shortcut of ours starts, nullopt for any other link. Ours: the
// target is a program of the item sender's file name, and the arguments are
// "/p" or "/c" and one quoted path in the menu folder. A shortcut the user
// renamed stays ours; one the user made to something else is never touched.
std::optional<std::string> OwnShortcutItem(const LinkRead& link, const ShortcutTarget& target);

// `items` nullopt: the menu folder is missing, and nothing is changed.
// `max_name` bytes are left for a shortcut's file name in the group folder.
// Shortcuts of ours keep their names; new ones are named after the item.
ShortcutPlan PlanItemShortcuts(const std::optional<std::vector<FolderEntry>>& items,
                               const std::vector<GroupEntry>& group, const ShortcutTarget& target,
                               std::size_t max_name);

// The shortcut's file name for an item with no name taken: "Sub - greeting.lnk".
std::string ShortcutBaseName(const std::string& relative);

class ItemShortcutFiles {
 public:
  virtual ~ItemShortcutFiles() = default;
  // Files below `folder`, at most `depth` folders down, in no set order;
  // nullopt when the folder is missing.
  virtual std::optional<std::vector<FolderEntry>> ListFiles(const std::string& folder, int depth) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Removes the folder only when nothing is left in it.
  virtual void RemoveEmptyFolder(const std::string& path) = 0;
};

// What the item sender keeps in step after sending `item_path` (made
// absolute): nullopt when StartMenuShortcuts is off or the item does not lie
// in the menu folder (Data, `default_menu_folder` when the key is missing).
std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::string& default_menu_folder);

// The file system's own implementation (Windows only).
ItemShortcutFiles& DefaultItemShortcutFiles();

class ItemShortcuts {
 public:
  ItemShortcuts(ShellLinkApi& links, ItemShortcutFiles& files);

  // Brings the group in step with the menu folder (`on`), or removes the
  // shortcuts of ours (`on` false) and the group when it is left empty.
  // Everything that can be done is done; then the first link that could not
  // be written or removed raises Error.
  void Update(const ShortcutTarget& target, bool on);

 private:
  ShellLinkApi& links_;
  ItemShortcutFiles& files_;
};

inline constexpr std::string_view kShortcutWriteFailed = "スタートメニューのショートカット %s を作成できません";
inline constexpr std::string_view kShortcutRemoveFailed = "スタートメニューのショートカット %s を削除できません";

}  // namespace zrnx
