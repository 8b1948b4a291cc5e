#pragma once
// Item shortcuts in memory: a target, links as ours are written, and one
// fake for both the shell link object and the file system, whose links are
// kept in a map.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "components/item_shortcuts.h"
#include "components/name_fold.h"

namespace zrnx::test {

inline const ShortcutTarget kTarget{"C:\\P\\Zrnx.exe", "C:\\M\\Items", true};

// A link of ours for an item below the menu folder, as the given target writes it.
inline LinkRead Ours(const std::string& relative, const ShortcutTarget& target = kTarget) {
  return WantedLink(target.menu_folder + "\\" + relative, relative, target);
}

inline std::vector<std::string> Names(const std::vector<ShortcutWrite>& writes) {
  std::vector<std::string> names;
  for (const ShortcutWrite& w : writes) names.push_back(w.name);
  return names;
}

inline std::vector<FolderEntry> Files(std::initializer_list<const char*> names) {
  std::vector<FolderEntry> files;
  for (const char* name : names) files.push_back({name, false});
  return files;
}

// A link of ours holding a hot key.
inline GroupEntry Keyed(const std::string& name, const std::string& relative, std::uint16_t hot_key,
                 const ShortcutTarget& target = kTarget) {
  LinkRead link = Ours(relative, target);
  link.hot_key = hot_key;
  return {name, link};
}

inline std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Links are kept in a map; a path in `refused` cannot be saved or removed,
// one in `unreadable` does not load.
// Items are listed from `items`; other folders from the links kept in them.
class FakeLinkFiles : public ShellLinkApi, public ItemShortcutFiles {
 public:
  std::optional<std::string> SpecialFolderPath(int csidl) override {
    ++folder_lookups;
    if (csidl == 7) return startup;
    if (csidl == 0x1d) return std::nullopt;
    EXPECT_EQ(csidl, 2);  // Programs
    return programs;
  }
  bool DirectoryExists(const std::string&) override { return true; }
  void MakeDirectory(const std::string&) override {}
  bool SaveLink(const std::string& path, const LinkFields& f) override {
    ++saves;
    saved.push_back(path);
    if (refused.count(path)) return false;
    LinkRead& link = links[path] = LinkRead{f.target, std::string(f.arguments), f.work_dir, f.description,
                                            std::string(f.icon_path), f.icon_index, f.hot_key};
    link.app_id = std::string(f.app_id);
    return true;
  }
  std::optional<LinkRead> ReadLink(const std::string& path) override {
    ++reads;
    if (unreadable.count(path)) return std::nullopt;
    auto found = links.find(path);
    if (found == links.end()) return std::nullopt;
    LinkRead link = found->second;
    if (link.wide_target.empty()) link.wide_target = Wide(link.target);
    return link;
  }
  std::string ExpandEnvironment(const std::string& text) override {
    std::string expanded = text;
    const std::string name = "%USERPROFILE%";
    if (expanded.rfind(name, 0) == 0) expanded.replace(0, name.size(), "C:\\Users\\u");
    return expanded;
  }
  std::optional<std::vector<FolderEntry>> ListFiles(const std::string& folder, int depth) override {
    if (folder == menu_folder && depth == kMaxItemDepth) {
      if (!items || !menu_holds_links) return items;
      std::vector<FolderEntry> listed = *items;
      for (const auto& [path, link] : links) {
        if (path.rfind(folder + "\\", 0) == 0) listed.push_back({path.substr(folder.size() + 1), false, stamp});
      }
      return listed;
    }
    EXPECT_EQ(depth, 0);
    std::vector<FolderEntry> names;
    for (const auto& [path, link] : links) {
      if (path.rfind(folder + "\\", 0) == 0) names.push_back({path.substr(folder.size() + 1), false, stamp});
    }
    if (names.empty() && !groups_exist) return std::nullopt;
    return names;
  }
  bool RemoveFile(const std::string& path) override {
    removed.push_back(path);
    if (refused.count(path)) return false;
    return links.erase(path) > 0;
  }
  void RemoveEmptyFolder(const std::string& path) override { emptied.push_back(path); }
  bool FileExists(const std::wstring& path) override { return existing.count(path) > 0; }
  bool SamePath(const std::wstring& a, const std::wstring& b) override { return FoldName(a) == FoldName(b); }
  std::string LoadStamp(const std::string& key) override {
    auto found = stamps.find(key);
    return found == stamps.end() ? std::string() : found->second;
  }
  void SaveStamp(const std::string& key, const std::string& value) override { stamps[key] = value; }
  std::string LoadLinks(const std::string& key) override { return kept_links.first == key ? kept_links.second : ""; }
  void SaveLinks(const std::string& key, const std::string& text) override { kept_links = {key, text}; }

  std::optional<std::string> programs = "C:\\U\\Programs";
  std::optional<std::string> startup = "C:\\U\\Programs\\Startup";
  std::string menu_folder = kTarget.menu_folder;
  std::optional<std::vector<FolderEntry>> items = Files({"greeting.zrx", "Sub\\a.url"});
  std::map<std::string, LinkRead> links;
  std::set<std::string> refused;
  std::set<std::string> unreadable;  // links that do not load
  std::set<std::wstring> existing;
  std::map<std::string, std::string> stamps;
  std::pair<std::string, std::string> kept_links;  // key and LinkCacheText
  std::vector<std::string> emptied, saved, removed;
  std::uint64_t stamp = 1;  // every group file's stamp
  bool KeepsAppIds() override { return keeps_app_ids; }
  bool keeps_app_ids = true;
  bool groups_exist = true;
  bool menu_holds_links = false;
  int saves = 0, reads = 0, folder_lookups = 0;
};

inline const std::string kGroup = "C:\\U\\Programs\\Items\\";

}  // namespace zrnx::test
