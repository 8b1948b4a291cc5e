#include "components/item_shortcuts.h"

#include "common/dbcs.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "common/error.h"
#include "common/path.h"
#include "common/settings_keys.h"

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

bool EndsWithBackslash(std::string_view path) {
  return !path.empty() && LastDelimiter("\\", path, Lead()) == path.size() - 1;
}

std::string WithoutTrailingBackslash(std::string path) {
  if (EndsWithBackslash(path)) path.pop_back();
  return path;
}

std::string InFolder(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  if (!EndsWithBackslash(path)) path += '\\';
  return path.append(relative);
}

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
    if (!taken.count(Lower(name))) return name;
  }
}

bool SameLink(const LinkRead& have, const LinkRead& want) {
  // The comment is the user's to change; what the shortcut starts is ours.
  return have.target == want.target && have.arguments == want.arguments && have.work_dir == want.work_dir &&
         have.icon_path == want.icon_path && have.icon_index == want.icon_index;
}

}  // namespace

std::string ShortcutGroupName(const std::string& menu_folder) {
  return NamePart(WithoutTrailingBackslash(menu_folder), Lead());
}

bool IsItemEntry(const FolderEntry& entry) { return !entry.hidden && ExtensionRank(entry.relative) < kItemExtensions.size(); }

bool InMenuFolder(const std::string& path, const std::string& menu_folder) {
  if (menu_folder.empty()) return false;
  std::string prefix = Lower(WithoutTrailingBackslash(menu_folder));
  prefix += '\\';
  return path.size() > prefix.size() && Lower(path).compare(0, prefix.size(), prefix) == 0;
}

LinkRead WantedLink(const std::string& item_path, const std::string& relative, const ShortcutTarget& target) {
  LinkRead link;
  link.target = target.sender_path;
  link.arguments = std::string(target.paste_mode ? "/p" : "/c") + " \"" + item_path + "\"";
  link.work_dir = DirectoryPart(target.sender_path, Lead());
  link.description = relative;
  link.icon_path = target.sender_path;
  link.icon_index = 1;  // the item icon
  return link;
}

std::optional<std::string> OwnShortcutItem(const LinkRead& link, const ShortcutTarget& target) {
  const std::string program = Lower(NamePart(target.sender_path, Lead()));
  if (program.empty() || Lower(NamePart(link.target, Lead())) != program) return std::nullopt;
  const std::string& args = link.arguments;
  if (args.size() < 6 || args[0] != '/' || args[2] != ' ' || args[3] != '"' || args.back() != '"') return std::nullopt;
  const char mode = static_cast<char>(args[1] | 0x20);
  if (mode != 'p' && mode != 'c') return std::nullopt;
  std::string item = args.substr(4, args.size() - 5);
  if (item.find('"') != std::string::npos || !InMenuFolder(item, target.menu_folder)) return std::nullopt;
  return item;
}

std::string ShortcutBaseName(const std::string& relative) { return BaseName(relative) + std::string(kLinkExtension); }

ShortcutPlan PlanItemShortcuts(const std::optional<std::vector<FolderEntry>>& items,
                               const std::vector<GroupEntry>& group, const ShortcutTarget& target,
                               std::size_t max_name) {
  ShortcutPlan plan;
  if (!items) return plan;

  // The items by their full path, compared as the file system does.
  std::map<std::string, const FolderEntry*> wanted;
  for (const FolderEntry& entry : *items) {
    if (IsItemEntry(entry)) wanted.emplace(Lower(InFolder(target.menu_folder, entry.relative)), &entry);
  }

  std::vector<const GroupEntry*> sorted;
  std::set<std::string> taken;
  for (const GroupEntry& entry : group) {
    sorted.push_back(&entry);
    taken.insert(Lower(entry.name));
  }
  std::sort(sorted.begin(), sorted.end(), [](const GroupEntry* a, const GroupEntry* b) { return a->name < b->name; });

  std::set<std::string> covered;
  for (const GroupEntry* entry : sorted) {
    if (!entry->link) continue;
    const std::optional<std::string> item = OwnShortcutItem(*entry->link, target);
    if (!item) continue;
    auto found = wanted.find(Lower(*item));
    if (found == wanted.end()) {
      plan.remove.push_back(entry->name);
      taken.erase(Lower(entry->name));
      continue;
    }
    covered.insert(found->first);
    const std::string& relative = found->second->relative;
    const std::string path = InFolder(target.menu_folder, relative);
    if (!SameLink(*entry->link, WantedLink(path, relative, target))) plan.update.push_back({entry->name, path, relative});
  }

  std::vector<const FolderEntry*> fresh;
  for (const auto& [key, entry] : wanted) {
    if (!covered.count(key)) fresh.push_back(entry);
  }
  std::sort(fresh.begin(), fresh.end(), [](const FolderEntry* a, const FolderEntry* b) {
    const std::size_t ra = ExtensionRank(a->relative), rb = ExtensionRank(b->relative);
    return ra != rb ? ra < rb : a->relative < b->relative;
  });
  for (const FolderEntry* entry : fresh) {
    std::string name = FreeName(entry->relative, taken, max_name);
    taken.insert(Lower(name));
    plan.add.push_back({std::move(name), InFolder(target.menu_folder, entry->relative), entry->relative});
  }
  return plan;
}

std::optional<ShortcutTarget> ShortcutsToKeepAfterSend(const SettingsFile& settings, const std::string& item_path,
                                                       const std::string& sender_path,
                                                       const std::string& default_menu_folder) {
  if (!settings.ReadFlag(kOptionSection, kStartMenuShortcutsKey, true)) return std::nullopt;
  ShortcutTarget target;
  target.menu_folder = settings.ReadText(kOptionSection, kDataKey, default_menu_folder);
  if (!InMenuFolder(item_path, target.menu_folder)) return std::nullopt;
  target.sender_path = sender_path;
  target.paste_mode = settings.ReadFlag(kOptionSection, kPasteModeKey, true);
  return target;
}

ItemShortcuts::ItemShortcuts(ShellLinkApi& links, ItemShortcutFiles& files) : links_(links), files_(files) {}

void ItemShortcuts::Update(const ShortcutTarget& given, bool on) {
  ShortcutTarget target = given;
  if (target.sender_path.empty()) target.sender_path = SystemCodePageBytes(target.wide_sender_path);
  const std::string group = ShortcutGroupName(target.menu_folder);
  // Without a menu folder there is no group name, and nothing of ours to find.
  if (group.empty()) return;
  const std::optional<std::string> programs = links_.SpecialFolderPath(kSpecialFolders[scProgram].csidl);
  if (!programs) {
    if (on) throw Error(std::string(kNoSpecialFolder));
    return;
  }
  const std::string group_folder = InFolder(*programs, group);

  std::vector<GroupEntry> entries;
  for (FolderEntry& file : files_.ListFiles(group_folder, 0).value_or(std::vector<FolderEntry>{})) {
    GroupEntry entry{std::move(file.relative), std::nullopt};
    if (Lower(FileExtension(entry.name, Lead())) == kLinkExtension) entry.link = links_.ReadLink(InFolder(group_folder, entry.name));
    entries.push_back(std::move(entry));
  }
  const std::optional<std::vector<FolderEntry>> items =
      on ? files_.ListFiles(target.menu_folder, kMaxItemDepth) : std::optional(std::vector<FolderEntry>{});
  const std::size_t used = group_folder.size() + 1;
  const ShortcutPlan plan = PlanItemShortcuts(items, entries, target, used < kMaxLinkPath ? kMaxLinkPath - used : 0);

  const std::wstring wide_sender_folder = DirectoryPart(target.wide_sender_path);
  std::optional<Error> failure;
  for (const std::string& name : plan.remove) {
    const std::string path = InFolder(group_folder, name);
    if (!files_.RemoveFile(path) && !failure) failure.emplace(kShortcutRemoveFailed, path);
  }
  for (const auto* writes : {&plan.update, &plan.add}) {
    for (const ShortcutWrite& write : *writes) {
      const LinkRead link = WantedLink(write.item_path, write.relative, target);
      // The Programs routine of the shortcut component: "\Group\Name.lnk", folders made as needed.
      LinkFields fields{link.target, link.description, link.work_dir};
      fields.arguments = link.arguments;
      fields.icon_path = link.icon_path;
      fields.icon_index = link.icon_index;
      if (!target.wide_sender_path.empty()) {
        fields.wide_target = &target.wide_sender_path;
        fields.wide_icon_path = &target.wide_sender_path;
        fields.wide_work_dir = &wide_sender_folder;
      }
      try {
        if (!kLinkRoutines[scProgram](links_, "\\" + group + "\\" + write.name, fields) && !failure)
          failure.emplace(kShortcutWriteFailed, InFolder(group_folder, write.name));
      } catch (const Error& error) {
        if (!failure) failure = error;
      }
    }
  }
  if (!on) files_.RemoveEmptyFolder(group_folder);
  if (failure) throw *failure;
}

}  // namespace zrnx
