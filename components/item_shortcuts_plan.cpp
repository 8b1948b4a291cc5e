// The naming rules and the plan of the items' Start-menu shortcuts.

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "common/dbcs.h"
#include "common/error.h"
#include "common/path.h"
#include "common/settings_keys.h"
#include "components/item_shortcuts.h"
#include "components/name_fold.h"

namespace zrnx {
namespace {

constexpr std::string_view kLinkExtension = ".lnk";
// The kinds of item the sender reads, in the order that picks who keeps a
// name two items share: a.zrx keeps "a", a.txt becomes "a (txt)".
constexpr std::array<std::string_view, 4> kItemExtensions = {".zrx", ".txt", ".url", ".lnk"};
// Names the file system takes for devices, whatever extension follows.
constexpr std::array<std::string_view, 24> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3",   "com4",   "com5", "com6", "com7", "com8",
    "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",   "lpt7",   "lpt8", "lpt9", "conin$", "conout$"};

const LeadBytes& Lead() { return SystemLeadBytes(); }

std::string Lower(std::string_view text) { return LowerAscii(text, Lead()); }

// Names and paths as the file system tells them apart.
std::string Key(std::string_view text) { return FoldName(text, Lead()); }

std::size_t ExtensionRank(const std::string& relative) {
  const std::string ext = Lower(FileExtension(relative, Lead()));
  return static_cast<std::size_t>(std::find(kItemExtensions.begin(), kItemExtensions.end(), ext) -
                                  kItemExtensions.begin());
}

// Trailing dots and spaces are dropped by the file system; leading spaces
// only hide the name in a sorted menu.
std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

// At most `limit` bytes, never cutting a double-byte character in two.
std::string CutTo(const std::string& text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + Lead().CharLength(text, end);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

bool IsDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string lower = Lower(stem);
  return std::find(kDeviceNames.begin(), kDeviceNames.end(), lower) != kDeviceNames.end();
}

// The item's path below the menu folder without its extension, folders
// joined by " - ", made a name the file system accepts.
std::string BaseName(const std::string& relative) {
  const std::string ext = FileExtension(relative, Lead());
  const std::string stem = relative.substr(0, relative.size() - ext.size());
  std::string base;
  for (std::size_t pos = 0; pos < stem.size();) {
    const std::size_t length = Lead().CharLength(stem, pos);
    if (length == 1 && stem[pos] == '\\') {
      base = Trimmed(std::move(base)) + " - ";
    } else {
      base.append(stem, pos, length);
    }
    pos += length;
  }
  base = Trimmed(std::move(base));
  if (base.empty()) base = ext.empty() ? std::string("item") : ext.substr(1);
  // "con.lnk" or "con.old.lnk" would name the console: the first part gets a mark.
  const std::size_t dot = base.find('.');
  if (!IsDeviceName(std::string_view(base).substr(0, dot))) return base;
  // Built piece by piece: an insert trips GCC 12's -Wrestrict.
  const std::size_t cut = dot == std::string::npos ? base.size() : dot;
  std::string marked;
  marked.reserve(base.size() + 1);
  return marked.append(base, 0, cut).append(1, '_').append(base, cut);
}

// The first of "a", "a (txt)", "a (2)", "a (3)" ... that is not taken, each
// cut to fit `max_name` with its ".lnk".
std::string FreeName(const std::string& relative, const std::set<std::string>& taken, std::size_t max_name) {
  const std::string base = BaseName(relative);
  const std::string ext = Lower(FileExtension(relative, Lead()));
  for (std::size_t n = 0;; ++n) {
    std::string suffix;
    if (n == 1) suffix = " (" + (ext.empty() ? std::string("item") : ext.substr(1)) + ")";
    if (n > 1) suffix = " (" + std::to_string(n) + ")";
    const std::size_t room = max_name > suffix.size() + kLinkExtension.size()
                                 ? max_name - suffix.size() - kLinkExtension.size()
                                 : 1;
    std::string cut = Trimmed(CutTo(base, room));
    if (cut.empty()) cut = CutTo(base, std::max<std::size_t>(room, 1));
    std::string name = cut + suffix + std::string(kLinkExtension);
    if (!taken.count(Key(name))) return name;
  }
}



// FNV-1a over the bytes, from a given basis: two bases give 128 bits.
std::uint64_t Fnv(std::string_view bytes, std::uint64_t hash) {
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return text;
}

// Whether a shortcut's name is one the plan gives its item: "a.lnk",
// "a (txt).lnk", "a (2).lnk", or one of these cut short. Any other name
// is the user's, who renamed the shortcut.
bool IsPlannedName(const std::string& name, const std::string& relative) {
  std::string stem = Key(name.substr(0, name.size() - FileExtension(name, Lead()).size()));
  const std::size_t open = stem.rfind(" (");
  if (open != std::string::npos && stem.back() == ')') {
    // " (txt)" after the item's extension, " (2)" after a number.
    const std::string inside = stem.substr(open + 2, stem.size() - open - 3);
    const std::string ext = Key(FileExtension(relative, Lead()));
    if ((!inside.empty() && inside.find_first_not_of("0123456789") == std::string::npos) ||
        (ext.size() > 1 && inside == ext.substr(1)))
      stem.erase(open);
  }
  const std::string base = Key(BaseName(relative));
  return !stem.empty() && base.compare(0, stem.size(), stem) == 0;
}

// The quoted path a sender shortcut starts, whatever folder it names.
std::optional<std::string> SenderItem(const LinkRead& link, const ShortcutTarget& target) {
  const std::string program = Lower(NamePart(target.sender_path, Lead()));
  if (program.empty() || Lower(NamePart(link.target, Lead())) != program) return std::nullopt;
  const std::string& args = link.arguments;
  if (args.size() < 6 || args[0] != '/' || args[2] != ' ' || args[3] != '"' || args.back() != '"') return std::nullopt;
  const char mode = static_cast<char>(args[1] | 0x20);
  if (mode != 'p' && mode != 'c') return std::nullopt;
  std::string item = args.substr(4, args.size() - 5);
  if (item.find('"') != std::string::npos) return std::nullopt;
  return item;
}

// The items that get shortcuts, matched with the group's shortcuts.
struct Matching {
  // The items by their full path as the file system folds it.
  std::map<std::string, const FolderEntry*> wanted;
  // The shortcut of ours that covers each item, the first by name.
  std::map<std::string, const GroupEntry*> cover;
  // Items a live other copy's shortcut already covers.
  std::set<std::string> covered_by_others;
  // Shortcuts of ours whose item is gone, and second ones for one item.
  std::vector<const GroupEntry*> extra;
  // Names of .lnk files that did not load this time.
  std::set<std::string> unreadable;
};

Matching Match(const std::vector<FolderEntry>& items, const std::vector<GroupEntry>& group,
               const ShortcutTarget& target) {
  Matching m;
  for (const FolderEntry& entry : items) {
    if (IsItemEntry(entry)) m.wanted.emplace(Key(PathInFolder(target.menu_folder, entry.relative)), &entry);
  }
  struct Own {
    const GroupEntry* entry;
    std::string key;
    bool renamed;
  };
  std::vector<Own> ours;
  for (const GroupEntry& entry : group) {
    if (!entry.link) {
      if (Lower(FileExtension(entry.name, Lead())) == kLinkExtension) m.unreadable.insert(Key(entry.name));
      continue;
    }
    if (entry.other_copy) {
      if (const std::optional<std::string> item = SenderItem(*entry.link, target)) m.covered_by_others.insert(Key(*item));
      continue;
    }
    const std::optional<std::string> item = OwnShortcutItem(*entry.link, target);
    if (!item) continue;
    const auto wanted = m.wanted.find(Key(*item));
    const bool renamed = wanted != m.wanted.end() && !IsPlannedName(entry.name, wanted->second->relative);
    ours.push_back({&entry, Key(*item), renamed});
  }
  // Of two shortcuts for one item the one the user renamed stays (it may
  // have been added again while it could not be read); else the first by name.
  std::sort(ours.begin(), ours.end(), [](const Own& a, const Own& b) {
    return a.renamed != b.renamed ? a.renamed : a.entry->name < b.entry->name;
  });
  for (const Own& own : ours) {
    if (!m.wanted.count(own.key) || !m.cover.emplace(own.key, own.entry).second) m.extra.push_back(own.entry);
  }
  return m;
}

// The hot key an item's shortcut should hold: the user's choice when the
// caller passes one, else what its shortcut already holds.
std::uint16_t WantedHotKey(const FolderEntry& item, const GroupEntry* shortcut, const ShortcutTarget& target) {
  if (target.hot_keys) {
    auto chosen = target.hot_keys->find(item.relative);
    if (chosen != target.hot_keys->end()) return chosen->second;
  }
  return shortcut && shortcut->link ? shortcut->link->hot_key : 0;
}

}  // namespace

std::string ShortcutGroupName(const std::string& menu_folder) {
  // "Items.", "Items\." and "Items\Sub\.." are all the folder Items to the system.
  const std::string normal = NormalPath(menu_folder, Lead());
  return EndsWithBackslash(normal, Lead()) ? std::string() : NamePart(normal, Lead());
}

bool IsItemEntry(const FolderEntry& entry) { return !entry.hidden && ExtensionRank(entry.relative) < kItemExtensions.size(); }

bool InMenuFolder(const std::string& path, const std::string& menu_folder) {
  if (menu_folder.empty()) return false;
  // Both as the system resolves them: "Items." is the folder Items.
  std::string prefix = Key(WithoutTrailingBackslash(NormalPath(menu_folder, Lead())));
  prefix += '\\';
  const std::string normal = NormalPath(path, Lead());
  return normal.size() > prefix.size() && Key(normal).compare(0, prefix.size(), prefix) == 0;
}

std::string ItemAppId(const std::string& item_path) {
  const std::string key = Key(item_path);
  return "ZarnikNX.Item." + Hex(Fnv(key, 0xcbf29ce484222325ULL)) + Hex(Fnv(key, 0x84222325cbf29ce4ULL));
}

LinkRead WantedLink(const std::string& item_path, const std::string& relative, const ShortcutTarget& target) {
  LinkRead link;
  link.target = target.sender_path;
  link.arguments = std::string(target.paste_mode ? "/p" : "/c") + " \"" + item_path + "\"";
  link.work_dir = DirectoryPart(target.sender_path, Lead());
  link.description = relative;
  link.icon_path = target.sender_path;
  link.icon_index = 1;  // the item icon
  link.app_id = ItemAppId(item_path);
  return link;
}

std::optional<std::string> OwnShortcutItem(const LinkRead& link, const ShortcutTarget& target) {
  std::optional<std::string> item = SenderItem(link, target);
  if (!item || !InMenuFolder(*item, target.menu_folder)) return std::nullopt;
  return item;
}

bool IsSenderShortcut(const LinkRead& link, const ShortcutTarget& target) { return SenderItem(link, target).has_value(); }

bool SameLink(const LinkRead& have, const LinkRead& want, bool app_ids_kept) {
  // The comment is the user's to change; what the shortcut starts is ours.
  // Paths come back from the shell in the case the file system keeps.
  return Key(have.target) == Key(want.target) && Key(have.arguments) == Key(want.arguments) &&
         Key(have.work_dir) == Key(want.work_dir) && Key(have.icon_path) == Key(want.icon_path) &&
         have.icon_index == want.icon_index && have.hot_key == want.hot_key &&
         (have.app_id == want.app_id || (!app_ids_kept && have.app_id.empty()));
}

std::string ShortcutBaseName(const std::string& relative) { return BaseName(relative) + std::string(kLinkExtension); }

ShortcutPlan PlanItemShortcuts(const std::optional<std::vector<FolderEntry>>& items,
                               const std::vector<GroupEntry>& group, const ShortcutTarget& target,
                               std::size_t max_name) {
  ShortcutPlan plan;
  if (!items) return plan;
  const Matching m = Match(*items, group, target);

  std::set<std::string> taken;
  for (const GroupEntry& entry : group) taken.insert(Key(entry.name));
  for (const GroupEntry* entry : m.extra) {
    plan.remove.push_back(entry->name);
    taken.erase(Key(entry->name));
  }

  std::sort(plan.remove.begin(), plan.remove.end());
  std::vector<const FolderEntry*> fresh;
  for (const auto& [key, entry] : m.wanted) {
    auto covered = m.cover.find(key);
    if (covered == m.cover.end()) {
      // A link that did not load under the item's own name may be its
      // shortcut: left for a sync that can read it, never doubled.
      if (!m.covered_by_others.count(key) && !m.unreadable.count(Key(ShortcutBaseName(entry->relative))))
        fresh.push_back(entry);
      continue;
    }
    const GroupEntry& shortcut = *covered->second;
    const std::string path = PathInFolder(target.menu_folder, entry->relative);
    LinkRead want = WantedLink(path, entry->relative, target);
    want.hot_key = WantedHotKey(*entry, &shortcut, target);
    if (!SameLink(*shortcut.link, want, target.app_ids_kept))
      plan.update.push_back({shortcut.name, path, entry->relative, want.hot_key, shortcut.link->description});
  }
  std::sort(plan.update.begin(), plan.update.end(),
            [](const ShortcutWrite& a, const ShortcutWrite& b) { return a.name < b.name; });
  std::sort(fresh.begin(), fresh.end(), [](const FolderEntry* a, const FolderEntry* b) {
    const std::size_t ra = ExtensionRank(a->relative), rb = ExtensionRank(b->relative);
    return ra != rb ? ra < rb : a->relative < b->relative;
  });
  for (const FolderEntry* entry : fresh) {
    std::string name = FreeName(entry->relative, taken, max_name);
    taken.insert(Key(name));
    plan.add.push_back({std::move(name), PathInFolder(target.menu_folder, entry->relative), entry->relative,
                        WantedHotKey(*entry, nullptr, target)});
  }
  return plan;
}

std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(
    const SettingsFile& settings, const std::function<std::optional<std::string>(const std::string&)>& item_below,
    const std::string& sender_path, const std::function<std::string()>& default_menu_folder) {
  if (!settings.ReadFlag(kOptionSection, kStartMenuShortcutsKey, true)) return std::nullopt;
  ShortcutTarget target;
  // A control character no path holds marks a missing key.
  constexpr std::string_view kMissing = "\x01";
  target.menu_folder = settings.ReadText(kOptionSection, kDataKey, kMissing);
  if (target.menu_folder == kMissing) target.menu_folder = default_menu_folder();
  if (target.menu_folder.empty()) return std::nullopt;
  const std::optional<std::string> item_path = item_below(target.menu_folder);
  if (!item_path || !InMenuFolder(*item_path, target.menu_folder)) return std::nullopt;
  target.sender_path = sender_path;
  target.paste_mode = settings.ReadFlag(kOptionSection, kPasteModeKey, true);
  return target;
}

std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::function<std::string()>& default_menu_folder) {
  return ShortcutsToKeepAfterSend(
      settings, [&](const std::string&) { return std::optional<std::string>(item_path); }, sender_path,
      default_menu_folder);
}

std::optional<std::wstring> RelativeBelow(std::wstring_view path, std::wstring_view folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != L'\\') return std::nullopt;
  if (!SameName(path.substr(0, folder.size()), folder)) return std::nullopt;
  return std::wstring(path.substr(folder.size() + 1));
}

std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::string& default_menu_folder) {
  return ShortcutsToKeepAfterSend(settings, item_path, sender_path, [&] { return default_menu_folder; });
}

std::string ListingStamp(const ShortcutTarget& target, const std::vector<FolderEntry>& items,
                         const std::vector<FolderEntry>& group) {
  // Bump the first word when what a sync writes changes, so old stamps miss.
  std::string text = "links2|" + target.sender_path + '|' + SystemCodePageBytes(target.wide_sender_path) + '|' +
                     target.menu_folder + '|' + (target.paste_mode ? "p" : "c");
  for (const auto* listing : {&items, &group}) {
    std::vector<std::string> lines;
    for (const FolderEntry& entry : *listing) {
      lines.push_back(entry.relative + '|' + (entry.hidden ? "h" : "") + '|' + Hex(entry.stamp));
    }
    std::sort(lines.begin(), lines.end());
    text += "\n";
    for (const std::string& line : lines) text.append(line).append(1, '\n');
  }
  return Hex(Fnv(text, 0xcbf29ce484222325ULL)) + Hex(Fnv(text, 0x84222325cbf29ce4ULL));
}

std::string StampKey(const ShortcutTarget& target) {
  return Hex(Fnv(Key(target.sender_path) + '|' + Key(target.menu_folder), 0xcbf29ce484222325ULL));
}

}  // namespace zrnx
