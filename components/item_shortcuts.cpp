// Keeping the items' Start-menu group in step: the listings, the links read
// back, and the plan carried out.

#include "components/item_shortcuts.h"

#include <algorithm>
#include <set>

#include "common/dbcs.h"
#include "common/error.h"
#include "common/path.h"
#include "components/link_cache.h"
#include "components/name_fold.h"

namespace zrnx {
namespace {

constexpr std::string_view kLinkExtension = ".lnk";
constexpr int kStartupFolders[] = {7, 0x1d};  // CSIDL_STARTUP, CSIDL_ALTSTARTUP

const LeadBytes& Lead() { return SystemLeadBytes(); }

bool IsLinkName(const std::string& name) { return LowerAscii(FileExtension(name, Lead()), Lead()) == kLinkExtension; }

std::string ExpandedIfNeeded(ShellLinkApi& links, const std::string& path) {
  return path.find('%') == std::string::npos ? path : links.ExpandEnvironment(path);
}

// What a sync keeps: the listings' stamp, then each other copy's Zrnx.exe
// whose shortcuts it left alone (when one is gone, they become ours).
std::string StampWithCopies(const std::string& listing, const std::vector<GroupEntry>& entries) {
  std::string stamp = listing;
  std::vector<std::wstring> copies;
  for (const GroupEntry& entry : entries) {
    if (!entry.other_copy) continue;
    const std::wstring folded = FoldName(entry.link->wide_target);
    if (std::find(copies.begin(), copies.end(), folded) != copies.end()) continue;
    copies.push_back(folded);
    stamp.append(1, '\t').append(WideHex(entry.link->wide_target));
  }
  return stamp;
}

}  // namespace

bool StampHolds(const std::string& kept, const std::string& listing, ItemShortcutFiles& files) {
  if (kept.compare(0, listing.size(), listing) != 0) return false;
  for (std::size_t pos = listing.size(); pos < kept.size();) {
    if (kept[pos] != '\t') return false;
    std::size_t end = kept.find('\t', pos + 1);
    if (end == std::string::npos) end = kept.size();
    const std::optional<std::wstring> copy = WideOfHex(std::string_view(kept).substr(pos + 1, end - pos - 1));
    if (!copy || !files.FileExists(*copy)) return false;
    pos = end;
  }
  return !listing.empty();
}

ItemShortcuts::ItemShortcuts(ShellLinkApi& links, ItemShortcutFiles& files) : links_(links), files_(files) {}

std::optional<std::string> ItemShortcuts::GroupFolder(const std::string& menu_folder, bool on) {
  const std::string group = ShortcutGroupName(menu_folder);
  // Without a menu folder there is no group name, and nothing of ours to find.
  if (group.empty()) return std::nullopt;
  const std::optional<std::string> programs = links_.SpecialFolderPath(kSpecialFolders[scProgram].csidl);
  if (!programs) {
    if (on) throw Error(std::string(kNoSpecialFolder));
    return std::nullopt;
  }
  return PathInFolder(*programs, group);
}

bool ItemShortcuts::OutOfTime() {
  if (complete_ && out_of_time && out_of_time()) complete_ = false;
  return !complete_;
}

void ItemShortcuts::CheckGroup(const ShortcutTarget& target) {
  if (const std::optional<std::string> group = GroupFolder(target.menu_folder, false)) CheckStartup(*group, target);
}

void ItemShortcuts::CheckStartup(const std::string& group_folder, const ShortcutTarget& target) {
  for (int csidl : kStartupFolders) {
    const std::optional<std::string> startup = links_.SpecialFolderPath(csidl);
    // Compared as the system resolves both: "Startup." and "Startup " are Startup.
    if (startup && !startup->empty() && SameName(NormalPath(*startup, Lead()), NormalPath(group_folder, Lead()), Lead()))
      throw Error(kStartupGroupRefused, target.menu_folder);
  }
}

bool ItemShortcuts::IsThisSender(const LinkRead& link, const ShortcutTarget& target) {
  if (!link.wide_target.empty() && !target.wide_sender_path.empty())
    return files_.SamePath(link.wide_target, target.wide_sender_path);
  return SameName(link.target, target.sender_path, Lead());
}

std::optional<LinkRead> ItemShortcuts::LoadLink(const std::string& key, const std::string& path, std::uint64_t stamp) {
  // A link a send read before and unchanged since is not read again.
  if (cache_) {
    const auto cached = cache_->find(key);
    if (cached != cache_->end() && cached->second.stamp == stamp) return cached->second.link;
  }
  if (OutOfTime()) return std::nullopt;
  std::optional<LinkRead> link = links_.ReadLink(path);
  if (!link) unread_ = true;
  if (cache_ && link) (*cache_)[key] = {stamp, *link};
  if (cache_ && !link) cache_->erase(key);
  return link;
}

std::vector<GroupEntry> ItemShortcuts::ReadGroup(const std::string& group_folder, const std::vector<FolderEntry>& files,
                                                 const ShortcutTarget& target) {
  std::vector<GroupEntry> entries;
  for (const FolderEntry& file : files) {
    GroupEntry entry{file.relative, std::nullopt};
    if (IsLinkName(entry.name)) {
      entry.link = LoadLink(entry.name, PathInFolder(group_folder, entry.name), file.stamp);
      if (!complete_) return entries;
    }
    if (entry.link) {
      // The shell may keep a path with environment strings in it.
      entry.link->target = ExpandedIfNeeded(links_, entry.link->target);
      entry.link->icon_path = ExpandedIfNeeded(links_, entry.link->icon_path);
      entry.other_copy = IsSenderShortcut(*entry.link, target) && !IsThisSender(*entry.link, target) &&
                         !entry.link->wide_target.empty() && files_.FileExists(entry.link->wide_target);
    }
    entries.push_back(std::move(entry));
    if (reading) reading(entries.size(), files.size());
  }
  return entries;
}

std::vector<FolderEntry> ItemShortcuts::WithoutSenderShortcuts(std::vector<FolderEntry> items,
                                                               const ShortcutTarget& target) {
  std::erase_if(items, [&](const FolderEntry& item) {
    if (!IsItemEntry(item) || !IsLinkName(item.relative) || !complete_) return false;
    // Kept apart from the group's names: no name in the group starts with a backslash.
    const std::optional<LinkRead> link =
        LoadLink('\\' + item.relative, PathInFolder(target.menu_folder, item.relative), item.stamp);
    return link && IsSenderShortcut(*link, target);
  });
  return items;
}

std::vector<ItemHotKey> ItemShortcuts::ItemHotKeys(const ShortcutTarget& given) {
  ShortcutTarget target = given;
  if (target.sender_path.empty()) target.sender_path = SystemCodePageBytes(target.wide_sender_path);
  complete_ = true;
  std::optional<std::vector<FolderEntry>> items = files_.ListFiles(target.menu_folder, kMaxItemDepth);
  if (!items) return {};
  items = WithoutSenderShortcuts(std::move(*items), target);
  const std::optional<std::string> group_folder = GroupFolder(target.menu_folder, false);
  std::vector<GroupEntry> group;
  if (group_folder) {
    group = ReadGroup(*group_folder, files_.ListFiles(*group_folder, 0).value_or(std::vector<FolderEntry>{}), target);
  }
  // The plan with every item's key set to a mark no shortcut holds tells
  // which shortcut covers which item: its update names it.
  std::map<std::string, std::uint16_t> marks;
  for (const FolderEntry& item : *items) marks.emplace(item.relative, 0xFFFF);
  target.hot_keys = &marks;
  const ShortcutPlan plan = PlanItemShortcuts(items, group, target, kMaxLinkPath);
  std::map<std::string, std::uint16_t> found;
  for (const ShortcutWrite& write : plan.update) {
    for (const GroupEntry& entry : group) {
      if (entry.name == write.name && entry.link) found.emplace(FoldName(write.relative, Lead()), entry.link->hot_key);
    }
  }
  std::vector<ItemHotKey> keys;
  for (const ShortcutWrite& write : plan.update) keys.push_back({write.relative, write.item_path, 0, true});
  for (const ShortcutWrite& write : plan.add) keys.push_back({write.relative, write.item_path, 0, false});
  for (ItemHotKey& key : keys) {
    if (key.has_shortcut) key.hot_key = found[FoldName(key.relative, Lead())];
  }
  std::sort(keys.begin(), keys.end(), [](const ItemHotKey& a, const ItemHotKey& b) {
    return FoldName(a.relative, Lead()) < FoldName(b.relative, Lead());
  });
  return keys;
}

void ItemShortcuts::LeaveOldGroup(const ShortcutTarget& target, std::map<std::string, Carried>& carried,
                                  std::optional<Error>& failure) {
  if (target.old_menu_folder.empty() ||
      SameName(WithoutTrailingBackslash(target.old_menu_folder), WithoutTrailingBackslash(target.menu_folder), Lead()))
    return;
  ShortcutTarget old = target;
  old.menu_folder = target.old_menu_folder;
  old.hot_keys = nullptr;
  const std::optional<std::string> group_folder = GroupFolder(old.menu_folder, false);
  if (!group_folder) return;
  const std::optional<std::vector<FolderEntry>> files = files_.ListFiles(*group_folder, 0);
  if (!files) return;
  const std::vector<GroupEntry> entries = ReadGroup(*group_folder, *files, old);
  const std::size_t folder_length = WithoutTrailingBackslash(old.menu_folder).size() + 1;
  for (const GroupEntry& entry : entries) {
    if (!entry.link || entry.other_copy) continue;
    if (const std::optional<std::string> item = OwnShortcutItem(*entry.link, old)) {
      carried.emplace(FoldName(item->substr(folder_length), Lead()), Carried{entry.link->hot_key, entry.link->description});
    }
  }
  // No items: every shortcut of ours for the old folder goes.
  const ShortcutPlan plan = PlanItemShortcuts(std::vector<FolderEntry>{}, entries, old, 0);
  Apply(plan, *group_folder, old, failure);
  files_.RemoveEmptyFolder(*group_folder);
}

void ItemShortcuts::Apply(const ShortcutPlan& plan, const std::string& group_folder, const ShortcutTarget& target,
                          std::optional<Error>& failure) {
  for (const std::string& name : plan.remove) {
    const std::string path = PathInFolder(group_folder, name);
    if (!files_.RemoveFile(path) && !failure) failure.emplace(kShortcutRemoveFailed, path);
  }
  const std::size_t total = plan.update.size() + plan.add.size();
  if (total == 0) return;
  // Made once for the whole group; the shell is asked for Programs once.
  ForceDirectories(group_folder, links_);
  const std::wstring wide_sender_folder = DirectoryPart(target.wide_sender_path);
  std::size_t done = 0;
  for (const auto* writes : {&plan.update, &plan.add}) {
    for (const ShortcutWrite& write : *writes) {
      if (OutOfTime()) return;
      const LinkRead link = WantedLink(write.item_path, write.relative, target);
      LinkFields fields{link.target, write.description.empty() ? link.description : write.description, link.work_dir};
      fields.arguments = link.arguments;
      fields.icon_path = link.icon_path;
      fields.icon_index = link.icon_index;
      fields.hot_key = write.hot_key;
      fields.app_id = link.app_id;
      if (!target.wide_sender_path.empty()) {
        fields.wide_target = &target.wide_sender_path;
        fields.wide_icon_path = &target.wide_sender_path;
        fields.wide_work_dir = &wide_sender_folder;
      }
      const std::string path = PathInFolder(group_folder, write.name);
      try {
        if (path.size() > kMaxLinkPath) throw Error(WithValue(kLinkPathTooLong, path));
        if (!links_.SaveLink(path, fields) && !failure) failure.emplace(kShortcutWriteFailed, path);
      } catch (const Error& error) {
        if (!failure) failure = error;
      }
      if (progress) progress(++done, total);
    }
  }
}

void ItemShortcuts::Update(const ShortcutTarget& given, bool on) {
  ShortcutTarget target = given;
  if (target.sender_path.empty()) target.sender_path = SystemCodePageBytes(target.wide_sender_path);
  complete_ = true;
  target.app_ids_kept = links_.KeepsAppIds();
  // No group and none to leave: nothing of ours to find.
  if (ShortcutGroupName(target.menu_folder).empty() && target.old_menu_folder.empty()) return;
  // The new folder is listed before anything is removed: one that is missing
  // or cannot be read keeps the old group where it is. No menu folder at all
  // (an empty Data) has nothing to list: ours only leave the old group.
  const bool lists = on && !ShortcutGroupName(target.menu_folder).empty();
  const std::optional<std::vector<FolderEntry>> listed =
      lists ? files_.ListFiles(target.menu_folder, kMaxItemDepth) : std::optional(std::vector<FolderEntry>{});
  if (!listed) {
    // Moving to it, the user is told the shortcuts stayed where they were.
    if (!target.old_menu_folder.empty() && !SameName(WithoutTrailingBackslash(target.old_menu_folder),
                                                     WithoutTrailingBackslash(target.menu_folder), Lead()))
      throw Error(kShortcutFolderMissing, target.menu_folder);
    return;
  }
  const std::optional<std::string> found_group = GroupFolder(target.menu_folder, on);
  if (on && found_group) CheckStartup(*found_group, target);

  std::optional<Error> failure;
  struct Batch {
    ShellLinkApi& links;
    explicit Batch(ShellLinkApi& api) : links(api) { links.BeginLinks(); }
    ~Batch() { links.FinishLinks(); }
  } batch{links_};
  // Also when the shortcuts are turned off, or the new folder has no group.
  std::map<std::string, Carried> carried;
  LeaveOldGroup(target, carried, failure);
  if (!found_group) {
    if (failure) throw *failure;
    return;
  }
  const std::string& group_folder = *found_group;

  const std::vector<FolderEntry> group_files = files_.ListFiles(group_folder, 0).value_or(std::vector<FolderEntry>{});
  const bool stamped = target.use_stamps && on && listed;
  const std::string key = stamped ? StampKey(target) : std::string();
  if (stamped && !failure && StampHolds(files_.LoadStamp(key), ListingStamp(target, *listed, group_files), files_)) return;
  unread_ = false;

  // A send keeps the links it read, so that a group too large for one
  // send's time is read over several, each going on where the last stopped.
  LinkCache cache;
  if (stamped) cache = ParseLinkCache(files_.LoadLinks(key));
  cache_ = stamped ? &cache : nullptr;
  std::optional<std::vector<FolderEntry>> items = listed;
  if (on && items) items = WithoutSenderShortcuts(std::move(*items), target);
  const std::vector<GroupEntry> entries = ReadGroup(group_folder, group_files, target);
  cache_ = nullptr;
  if (stamped && complete_) {
    // Read to the end: what is no longer there is forgotten.
    std::set<std::string> present;
    for (const FolderEntry& file : group_files) present.insert(file.relative);
    for (const FolderEntry& item : *listed) present.insert('\\' + item.relative);
    std::erase_if(cache, [&](const auto& cached) { return !present.count(cached.first); });
  }
  if (stamped) files_.SaveLinks(key, LinkCacheText(cache));
  // Half read, the group would be planned wrong: the next send goes on reading.
  if (!complete_) return;
  const std::size_t used = group_folder.size() + 1;
  ShortcutPlan plan = PlanItemShortcuts(items, entries, target, used < kMaxLinkPath ? kMaxLinkPath - used : 0);
  // A moved item keeps the key and the comment its old shortcut had, unless
  // the user chose a key for it now.
  for (ShortcutWrite& write : plan.add) {
    const auto kept = carried.find(FoldName(write.relative, Lead()));
    if (kept == carried.end()) continue;
    if (!target.hot_keys || !target.hot_keys->count(write.relative)) write.hot_key = kept->second.hot_key;
    write.description = kept->second.description;
  }
  Apply(plan, group_folder, target, failure);
  if (!on) files_.RemoveEmptyFolder(group_folder);
  if (failure) throw *failure;
  // A link that could not be read is read again by the next send.
  if (stamped && complete_ && !unread_) {
    const std::vector<FolderEntry> now = files_.ListFiles(group_folder, 0).value_or(std::vector<FolderEntry>{});
    files_.SaveStamp(key, StampWithCopies(ListingStamp(target, *listed, now), entries));
  }
}

}  // namespace zrnx
