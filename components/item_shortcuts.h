#pragma once
// Start-menu shortcuts for the items. Today's Start menu lists only
// shortcuts under Programs, one folder deep, so the items get a group there
// named like the menu folder, with one shortcut per item that starts the
// item sender on it. The plan (what to add, update and remove) is computed
// from the two listings; ItemShortcuts lists, plans and applies it.
//
// Start shows one entry per program unless each shortcut carries an
// AppUserModelID of its own, so every shortcut gets one derived from its
// item's path. A shortcut is ours when it starts this Zrnx.exe, or a
// Zrnx.exe that is gone; another live copy's are never touched.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/settings_file.h"
#include "components/link_cache.h"
#include "components/shell_link.h"

namespace zrnx {

// A file below a listed folder.
struct FolderEntry {
  std::string relative;      // "greeting.zrx", "Sub\greeting.zrx"
  bool hidden = false;       // it, or a folder on its way, is hidden or system
  std::uint64_t stamp = 0;   // last write time and size, to tell a change
};

// A file directly in the group folder; `link` is set for a .lnk that loaded.
struct GroupEntry {
  std::string name;
  std::optional<LinkRead> link;
  // A shortcut of a Zrnx.exe that is not this one and still exists.
  bool other_copy = false;
};

// What every shortcut of ours starts, and where its items lie.
struct ShortcutTarget {
  std::string sender_path;  // Zrnx.exe, in the code page ('?' where it cannot hold it)
  std::string menu_folder;  // [Option] Data
  bool paste_mode = true;   // PasteMode: "/p", else "/c"
  // Zrnx.exe as the wide call gave it: written in place of the bytes, so that
  // a program folder the code page cannot hold is still where the links point.
  std::wstring wide_sender_path = {};
  // Hot keys the user chose for items, by FolderEntry::relative (0 clears
  // one). Every other shortcut of ours keeps the key it has.
  const std::map<std::string, std::uint16_t>* hot_keys = nullptr;
  // Data as it was before the user changed it: our shortcuts leave its group.
  std::string old_menu_folder = {};
  // A send: a sync that finds both listings as it left them loads no link.
  bool use_stamps = false;
  // Set by the sync from ShellLinkApi::KeepsAppIds.
  bool app_ids_kept = true;
};

// An item that gets a shortcut, and the hot key its shortcut of ours holds.
struct ItemHotKey {
  std::string relative;
  std::string item_path;
  std::uint16_t hot_key = 0;
  bool has_shortcut = false;
};

struct ShortcutWrite {
  std::string name;       // "greeting.lnk"
  std::string item_path;  // the item's full path
  std::string relative;   // the item below the menu folder, the description
  std::uint16_t hot_key = 0;
  // The comment a rewrite keeps (the user may have changed it); "" for the item's path.
  std::string description = {};
  bool operator==(const ShortcutWrite&) const = default;
};

struct ShortcutPlan {
  std::vector<ShortcutWrite> add;
  std::vector<ShortcutWrite> update;  // ours, rewritten under the name they have
  std::vector<std::string> remove;    // names of ours whose item is gone, or extra ones
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

// The AppUserModelID of an item's shortcut: "ZarnikNX.Item." and a hash of
// its full path as the file system folds it.
std::string ItemAppId(const std::string& item_path);

// The link we write for an item.
LinkRead WantedLink(const std::string& item_path, const std::string& relative, const ShortcutTarget& target);

// The item a shortcut of ours starts, nullopt for any other link. Ours: the
// target is a program of the item sender's file name, and the arguments are
// "/p" or "/c" and one quoted path in the menu folder. A shortcut the user
// renamed stays ours; one the user made to something else is never touched.
std::optional<std::string> OwnShortcutItem(const LinkRead& link, const ShortcutTarget& target);

// Whether a link starts a program of the item sender's file name with "/p"
// or "/c" and one quoted path, wherever that lies: such a link is never an
// item, or the group in the menu folder would grow with every send.
bool IsSenderShortcut(const LinkRead& link, const ShortcutTarget& target);

// Whether a stored link is what we would write, compared as Windows reads a
// link back (paths in any letter case).
// An ID read back empty counts as ours when `app_ids_kept` is false.
bool SameLink(const LinkRead& have, const LinkRead& want, bool app_ids_kept = true);

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
  virtual bool FileExists(const std::wstring& path) = 0;
  // Whether two paths name one file, as the file system compares names.
  virtual bool SamePath(const std::wstring& a, const std::wstring& b) = 0;
  // What the last sync left, under a key; "" when none is kept.
  virtual std::string LoadStamp(const std::string& key) = 0;
  virtual void SaveStamp(const std::string& key, const std::string& stamp) = 0;
  // The links the last send read (LinkCacheText), kept for one key; "" when none.
  virtual std::string LoadLinks(const std::string& key) = 0;
  virtual void SaveLinks(const std::string& key, const std::string& links) = 0;
};

// What the item sender keeps in step after sending `item_path` (made
// absolute): nullopt when StartMenuShortcuts is off or the item does not lie
// in the menu folder (Data, `default_menu_folder` when the key is missing).
std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::string& default_menu_folder);

// The same, asking for the default menu folder only when Data is missing,
// so a send of an item elsewhere never asks the shell for a folder.
std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::function<std::string()>& default_menu_folder);

// The same, with the item's path as it lies below a given menu folder,
// spelt as that folder is spelt (nullopt when it lies elsewhere): Data may
// hold short (8.3) names where the long ones do not fit the code page.
std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(
    const SettingsFile& settings, const std::function<std::optional<std::string>(const std::string&)>& item_below,
    const std::string& sender_path, const std::function<std::string()>& default_menu_folder);

// The part of `path` below `folder` ("Sub\a.zrx"), both full wide paths
// with their names compared as the file system compares them; nullopt
// when it lies elsewhere.
std::optional<std::wstring> RelativeBelow(std::wstring_view path, std::wstring_view folder);

// What a sync with nothing to do leaves behind: a hash of what it works on
// and of both listings (names and stamps), and the key it is kept under.
std::string ListingStamp(const ShortcutTarget& target, const std::vector<FolderEntry>& items,
                         const std::vector<FolderEntry>& group);
std::string StampKey(const ShortcutTarget& target);

// Whether a kept stamp still holds: the listings are as `listing` says, and
// every other copy's Zrnx.exe it names still exists.
bool StampHolds(const std::string& kept, const std::string& listing, ItemShortcutFiles& files);

// The file system's own implementation (Windows only).
ItemShortcutFiles& DefaultItemShortcutFiles();

// Runs `sync` holding the session's lock of the Start-menu sync, so two
// programs never write one group at once; false, without running it, when
// another holds the lock longer than `wait_ms` (Windows only).
bool RunLockedSync(unsigned wait_ms, const std::function<void()>& sync);

class ItemShortcuts {
 public:
  ItemShortcuts(ShellLinkApi& links, ItemShortcutFiles& files);

  // Brings the group in step with the menu folder (`on`), or removes the
  // shortcuts of ours (`on` false) and the group when it is left empty.
  // Everything that can be done is done; then the first link that could not
  // be written or removed raises Error.
  void Update(const ShortcutTarget& target, bool on);

  // Every item the sync gives a shortcut, sorted by `relative` as the file
  // system folds case, with the hot key of its shortcut of ours; empty when
  // the menu folder is missing.
  std::vector<ItemHotKey> ItemHotKeys(const ShortcutTarget& target);

  // Raises Error(kStartupGroupRefused) when the group would be the Startup
  // folder, where every shortcut would run at logon.
  void CheckGroup(const ShortcutTarget& target);

  // Asked between link writes: true ends the sync there (a send must not
  // be held back; the next one goes on).
  std::function<bool()> out_of_time;
  // Told of each link written: (written, to write).
  std::function<void(std::size_t, std::size_t)> progress;
  // Told of each file of the group read before the plan is made (a large
  // group on a slow disk takes a while): (read, to read).
  std::function<void(std::size_t, std::size_t)> reading;

 private:
  ShellLinkApi& links_;
  ItemShortcutFiles& files_;

  std::optional<std::string> GroupFolder(const std::string& menu_folder, bool on);
  std::vector<GroupEntry> ReadGroup(const std::string& group_folder, const std::vector<FolderEntry>& files,
                                    const ShortcutTarget& target);
  // The link at `path`, from the cache when unchanged; nullopt when it does
  // not load, or is not read because time is up (complete_ turns false).
  std::optional<LinkRead> LoadLink(const std::string& key, const std::string& path, std::uint64_t stamp);
  std::vector<FolderEntry> WithoutSenderShortcuts(std::vector<FolderEntry> items, const ShortcutTarget& target);
  // What a shortcut the user may have changed carries to the new group:
  // by its item's path below the menu folder, as the file system folds it.
  struct Carried {
    std::uint16_t hot_key = 0;
    std::string description;
  };
  // Ours leave the group of target.old_menu_folder (and it, once empty);
  // what they held is kept in `carried`.
  void LeaveOldGroup(const ShortcutTarget& target, std::map<std::string, Carried>& carried,
                     std::optional<Error>& failure);
  void Apply(const ShortcutPlan& plan, const std::string& group_folder, const ShortcutTarget& target,
             std::optional<Error>& failure);
  bool IsThisSender(const LinkRead& link, const ShortcutTarget& target);

  bool OutOfTime();
  void CheckStartup(const std::string& group_folder, const ShortcutTarget& target);

  bool complete_ = true;  // the last Update was not cut short by out_of_time
  bool unread_ = false;   // a link of the group or the menu folder did not load
  LinkCache* cache_ = nullptr;  // the links a send read before
};

inline constexpr std::string_view kShortcutWriteFailed = "スタートメニューのショートカット %s を作成できません";
inline constexpr std::string_view kStartupGroupRefused =
    "メニューフォルダ %s のショートカットはスタートアップに入るため作成できません。別のフォルダを選んでください";
inline constexpr std::string_view kShortcutFolderMissing =
    "メニューフォルダ %s が見つからないため、スタートメニューのショートカットは元のまま残しました";
inline constexpr std::string_view kShortcutRemoveFailed = "スタートメニューのショートカット %s を削除できません";

}  // namespace zrnx
