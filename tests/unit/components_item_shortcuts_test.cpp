#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "common/error.h"
#include "components/item_shortcuts.h"
#include "components/name_fold.h"
#include "fakes/fake_profile_store.h"

namespace zrnx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const ShortcutTarget kTarget{"C:\\P\\Zrnx.exe", "C:\\M\\Items", true};

// A link of ours for an item below the menu folder, as the given target writes it.
LinkRead Ours(const std::string& relative, const ShortcutTarget& target = kTarget) {
  return WantedLink(target.menu_folder + "\\" + relative, relative, target);
}

std::vector<std::string> Names(const std::vector<ShortcutWrite>& writes) {
  std::vector<std::string> names;
  for (const ShortcutWrite& w : writes) names.push_back(w.name);
  return names;
}

std::vector<FolderEntry> Files(std::initializer_list<const char*> names) {
  std::vector<FolderEntry> files;
  for (const char* name : names) files.push_back({name, false});
  return files;
}

struct PlanCase {
  const char* what;
  std::vector<FolderEntry> items;
  std::vector<GroupEntry> group;
  std::vector<std::string> add, update, remove;
};

TEST(PlanItemShortcutsTest, AddsUpdatesAndRemovesOnlyOursAndASecondRunHasNothingToDo) {
  ShortcutTarget copy_mode = kTarget;
  copy_mode.paste_mode = false;
  ShortcutTarget moved = kTarget;
  moved.sender_path = "D:\\Old\\zrnx.EXE";
  LinkRead users_own{"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
  LinkRead outside = Ours("x.zrx");
  outside.arguments = "/p \"C:\\Other\\x.zrx\"";
  const PlanCase cases[] = {
      {"one new item", Files({"greeting.zrx"}), {}, {"greeting.lnk"}, {}, {}},
      {"ours up to date", Files({"greeting.zrx"}), {{"greeting.lnk", Ours("greeting.zrx")}}, {}, {}, {}},
      {"the default verb changed", Files({"greeting.zrx"}), {{"greeting.lnk", Ours("greeting.zrx", copy_mode)}}, {},
       {"greeting.lnk"}, {}},
      {"the program moved", Files({"a.zrx"}), {{"a.lnk", Ours("a.zrx", moved)}}, {}, {"a.lnk"}, {}},
      {"the item is gone", Files({}), {{"gone.lnk", Ours("gone.zrx")}}, {}, {}, {"gone.lnk"}},
      {"the user's own link keeps its name", Files({"greeting.zrx"}), {{"greeting.lnk", users_own}},
       {"greeting (zrx).lnk"}, {}, {}},
      {"a renamed link of ours stays as named", Files({"greeting.zrx"}), {{"Hello.lnk", Ours("greeting.zrx")}}, {},
       {}, {}},
      {"a link to an item elsewhere is the user's", Files({}), {{"x.lnk", outside}}, {}, {}, {}},
      {"a link that does not load under an item's name may be its shortcut", Files({"x.zrx", "y.txt"}),
       {{"x.lnk", std::nullopt}, {"Y.LNK", std::nullopt}}, {}, {}, {}},
      {"a file that is no link holds its name", Files({"x.zrx"}), {{"x.lnk.txt", std::nullopt}}, {"x.lnk"}, {}, {}},
      {"names that differ only in extension", Files({"a.url", "a.lnk", "a.txt", "a.zrx"}), {},
       {"a.lnk", "a (txt).lnk", "a (url).lnk", "a (lnk).lnk"}, {}, {}},
      {"case counts as the file system counts it", Files({"A.ZRX", "a.txt"}), {}, {"A.lnk", "a (txt).lnk"}, {}, {}},
      {"subfolders are flattened", Files({"Sub\\x.zrx", "A\\B\\x.zrx", "x.zrx"}), {},
       {"A - B - x.lnk", "Sub - x.lnk", "x.lnk"}, {}, {}},
      {"hidden, system and other files are no items",
       {{"desktop.ini", true}, {"secret.zrx", true}, {"Hidden\\x.zrx", true}, {"notes.doc", false},
        {"noext", false}},
       {}, {}, {}, {}},
      {"device names and trailing dots or spaces",
       Files({"con.zrx", "NUL.txt", "com1.old.zrx", "COM10.zrx", "lpt9 .url", "a..zrx", "b .zrx", ".zrx"}), {},
       {"zrx.lnk", "COM10.lnk", "a.lnk", "b.lnk", "com1_.old.lnk", "con_.lnk", "NUL_.lnk", "lpt9_.lnk"}, {}, {}},
      {"a name freed by a removal is taken again", Files({"b.zrx"}), {{"b.lnk", Ours("a.zrx")}}, {"b.lnk"}, {},
       {"b.lnk"}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ShortcutPlan plan = PlanItemShortcuts(c.items, c.group, kTarget, 200);
    EXPECT_EQ(Names(plan.add), c.add);
    EXPECT_EQ(Names(plan.update), c.update);
    EXPECT_EQ(plan.remove, c.remove);

    // Carried out, the plan leaves nothing for the next run: names are stable.
    std::vector<GroupEntry> after;
    for (const GroupEntry& e : c.group) {
      if (std::find(plan.remove.begin(), plan.remove.end(), e.name) == plan.remove.end()) after.push_back(e);
    }
    for (const auto* writes : {&plan.add, &plan.update}) {
      for (const ShortcutWrite& w : *writes) {
        std::erase_if(after, [&](const GroupEntry& e) { return e.name == w.name; });
        after.push_back({w.name, WantedLink(w.item_path, w.relative, kTarget)});
      }
    }
    const ShortcutPlan again = PlanItemShortcuts(c.items, after, kTarget, 200);
    EXPECT_THAT(again.add, IsEmpty());
    EXPECT_THAT(again.update, IsEmpty());
    EXPECT_THAT(again.remove, IsEmpty());
  }
}

// A link of ours holding a hot key.
GroupEntry Keyed(const std::string& name, const std::string& relative, std::uint16_t hot_key,
                 const ShortcutTarget& target = kTarget) {
  LinkRead link = Ours(relative, target);
  link.hot_key = hot_key;
  return {name, link};
}

TEST(PlanItemShortcutsTest, HotKeysAreKeptUnlessTheCallerChoosesOthers) {
  constexpr std::uint16_t kCtrlAltG = 0x0647, kShiftF5 = 0x0174;
  ShortcutTarget copy_mode = kTarget;
  copy_mode.paste_mode = false;
  struct Case {
    const char* what;
    std::vector<GroupEntry> group;
    std::optional<std::map<std::string, std::uint16_t>> chosen;
    std::vector<ShortcutWrite> add, update;
  };
  const std::string a = "C:\\M\\Items\\a.zrx", b = "C:\\M\\Items\\Sub\\b.txt";
  const Case cases[] = {
      {"a key in place stays, nothing written", {Keyed("a.lnk", "a.zrx", kCtrlAltG), Keyed("b.lnk", "Sub\\b.txt", 0)},
       std::nullopt, {}, {}},
      {"a rewrite for another reason keeps it",
       {Keyed("a.lnk", "a.zrx", kCtrlAltG, copy_mode), Keyed("b.lnk", "Sub\\b.txt", 0)}, std::nullopt, {},
       {{"a.lnk", a, "a.zrx", kCtrlAltG}}},
      {"a chosen key is written, an unlisted item keeps its own",
       {Keyed("a.lnk", "a.zrx", kCtrlAltG), Keyed("b.lnk", "Sub\\b.txt", kShiftF5)},
       std::map<std::string, std::uint16_t>{{"Sub\\b.txt", kCtrlAltG}}, {}, {{"b.lnk", b, "Sub\\b.txt", kCtrlAltG}}},
      {"0 clears a key; the same key writes nothing",
       {Keyed("a.lnk", "a.zrx", kCtrlAltG), Keyed("b.lnk", "Sub\\b.txt", kShiftF5)},
       std::map<std::string, std::uint16_t>{{"a.zrx", 0}, {"Sub\\b.txt", kShiftF5}}, {}, {{"a.lnk", a, "a.zrx", 0}}},
      {"a new shortcut takes its chosen key", {Keyed("a.lnk", "a.zrx", 0)},
       std::map<std::string, std::uint16_t>{{"Sub\\b.txt", kShiftF5}, {"gone.zrx", kCtrlAltG}},
       {{"Sub - b.lnk", b, "Sub\\b.txt", kShiftF5}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShortcutTarget target = kTarget;
    if (c.chosen) target.hot_keys = &*c.chosen;
    const ShortcutPlan plan = PlanItemShortcuts(Files({"a.zrx", "Sub\\b.txt"}), c.group, target, 200);
    EXPECT_EQ(plan.add, c.add);
    EXPECT_EQ(plan.update, c.update);
    EXPECT_THAT(plan.remove, IsEmpty());
  }
}

TEST(PlanItemShortcutsTest, AMissingMenuFolderChangesNothing) {
  const ShortcutPlan plan =
      PlanItemShortcuts(std::nullopt, {{"gone.lnk", Ours("gone.zrx")}, {"a.lnk", Ours("a.zrx", {})}}, kTarget, 200);
  EXPECT_THAT(plan.add, IsEmpty());
  EXPECT_THAT(plan.update, IsEmpty());
  EXPECT_THAT(plan.remove, IsEmpty());
}

TEST(PlanItemShortcutsTest, AThousandItemsGetAThousandDistinctNames) {
  std::vector<FolderEntry> items;
  for (int i = 0; i < 1000; ++i) items.push_back({"item" + std::to_string(i % 500) + (i < 500 ? ".zrx" : ".txt")});
  const ShortcutPlan plan = PlanItemShortcuts(items, {}, kTarget, 200);
  ASSERT_EQ(plan.add.size(), 1000u);
  std::set<std::string> names, paths;
  for (const ShortcutWrite& w : plan.add) {
    names.insert(w.name);
    paths.insert(w.item_path);
  }
  EXPECT_EQ(names.size(), 1000u);
  EXPECT_EQ(paths.size(), 1000u);
  EXPECT_TRUE(names.count("item7.lnk") && names.count("item7 (txt).lnk"));
}

TEST(PlanItemShortcutsTest, LongNamesAreCutToFitWithoutSplittingACharacter) {
  // 表 is 0x95 0x5C: a cut between its bytes would leave a lone lead byte.
  const std::string long_name = "a" + std::string(20, 'x') + "表表表";
  const ShortcutPlan plan = PlanItemShortcuts(Files({(long_name + ".zrx").c_str(), (long_name + ".txt").c_str()}), {},
                                              kTarget, 30);
  ASSERT_EQ(plan.add.size(), 2u);
  EXPECT_EQ(plan.add[0].name, "a" + std::string(20, 'x') + "表表.lnk");
  EXPECT_EQ(plan.add[1].name, "a" + std::string(19, 'x') + " (txt).lnk");
  for (const ShortcutWrite& w : plan.add) EXPECT_LE(w.name.size(), 30u) << w.name;
}

TEST(OwnShortcutItemTest, OnlyOurProgramWithOneQuotedItemInTheMenuFolder) {
  struct Case {
    const char* target;
    const char* arguments;
    std::optional<std::string> item;
  };
  const Case cases[] = {
      {"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\\a.zrx\"", "C:\\M\\Items\\a.zrx"},
      {"E:\\elsewhere\\ZRNX.EXE", "/C \"c:\\m\\items\\Sub\\a.txt\"", "c:\\m\\items\\Sub\\a.txt"},
      {"C:\\P\\Zrnx.exe", "/x \"C:\\M\\Items\\a.zrx\"", std::nullopt},
      {"C:\\P\\Zrnx.exe", "\"C:\\M\\Items\\a.zrx\"", std::nullopt},
      {"C:\\P\\Zrnx.exe", "/p C:\\M\\Items\\a.zrx", std::nullopt},
      {"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\\a.zrx\" \"C:\\M\\Items\\b.zrx\"", std::nullopt},
      {"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items2\\a.zrx\"", std::nullopt},
      {"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\"", std::nullopt},
      {"C:\\P\\Zrnx.exe", "", std::nullopt},
      {"C:\\P\\Zrnx.exe.bak", "/p \"C:\\M\\Items\\a.zrx\"", std::nullopt},
      {"C:\\WINDOWS\\NOTEPAD.EXE", "/p \"C:\\M\\Items\\a.zrx\"", std::nullopt},
  };
  for (const Case& c : cases) {
    LinkRead link;
    link.target = c.target;
    link.arguments = c.arguments;
    EXPECT_EQ(OwnShortcutItem(link, kTarget), c.item) << c.target << " " << c.arguments;
  }
}

TEST(ItemShortcutNamesTest, GroupAndMenuFolderRules) {
  EXPECT_EQ(ShortcutGroupName("C:\\Start Menu\\Zarnik NX テキスト"), "Zarnik NX テキスト");
  EXPECT_EQ(ShortcutGroupName("C:\\Start Menu\\Items\\"), "Items");
  EXPECT_EQ(ShortcutGroupName("C:\\予定表"), "予定表");  // ends in 0x5C, the second byte of 表
  EXPECT_EQ(ShortcutGroupName("C:\\"), "");
  EXPECT_EQ(ShortcutGroupName(""), "");

  EXPECT_TRUE(InMenuFolder("C:\\M\\Items\\a.zrx", "C:\\M\\Items"));
  EXPECT_TRUE(InMenuFolder("c:\\m\\ITEMS\\Sub\\a.zrx", "C:\\M\\Items\\"));
  EXPECT_TRUE(InMenuFolder("C:\\表\\a.zrx", "C:\\表"));
  EXPECT_TRUE(InMenuFolder("C:\\a.zrx", "C:\\"));
  EXPECT_FALSE(InMenuFolder("C:\\M\\Items2\\a.zrx", "C:\\M\\Items"));
  EXPECT_FALSE(InMenuFolder("C:\\M\\Items", "C:\\M\\Items"));
  EXPECT_FALSE(InMenuFolder("C:\\M\\a.zrx", "C:\\M\\Items"));
  EXPECT_FALSE(InMenuFolder("C:\\a.zrx", ""));

  const LinkRead link = WantedLink("C:\\M\\Items\\Sub\\a.url", "Sub\\a.url", kTarget);
  EXPECT_EQ(link, (LinkRead{"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\\Sub\\a.url\"", "C:\\P", "Sub\\a.url",
                            "C:\\P\\Zrnx.exe", 1, 0, ItemAppId("C:\\M\\Items\\Sub\\a.url")}));
  EXPECT_EQ(ShortcutBaseName("Sub\\a.url"), "Sub - a.lnk");
}

TEST(ShortcutsToKeepAfterSendTest, TheKeyTheMenuFolderAndTheDefaultVerbDecide) {
  struct Case {
    std::map<std::string, std::string> keys;
    const char* item;
    std::optional<ShortcutTarget> expected;
  };
  const std::string sender = "C:\\P\\Zrnx.exe";
  const Case cases[] = {
      {{}, "C:\\S\\Zarnik\\a.zrx", ShortcutTarget{sender, "C:\\S\\Zarnik", true}},
      {{{"Data", "C:\\M\\Items"}}, "C:\\M\\Items\\Sub\\a.txt", ShortcutTarget{sender, "C:\\M\\Items", true}},
      {{{"Data", "C:\\M\\Items"}, {"PasteMode", "0"}}, "C:\\M\\Items\\a.zrx",
       ShortcutTarget{sender, "C:\\M\\Items", false}},
      {{{"Data", "C:\\M\\Items"}, {"StartMenuShortcuts", "0"}}, "C:\\M\\Items\\a.zrx", std::nullopt},
      {{{"Data", "C:\\M\\Items"}}, "C:\\S\\Zarnik\\a.zrx", std::nullopt},
      {{{"Data", ""}}, "C:\\a.zrx", std::nullopt},
  };
  for (const Case& c : cases) {
    test::FakeProfileStore store;
    for (const auto& [key, value] : c.keys) store.Set("Option", key, value);
    const std::optional<ShortcutTarget> got =
        ShortcutsToKeepAfterSend(SettingsFile(L"C:\\P\\Zrnx.ini", store), c.item, sender, "C:\\S\\Zarnik");
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.item;
    if (!got) continue;
    EXPECT_EQ(got->sender_path, c.expected->sender_path);
    EXPECT_EQ(got->menu_folder, c.expected->menu_folder);
    EXPECT_EQ(got->paste_mode, c.expected->paste_mode);
  }
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Links are kept in a map; a path in `refused` cannot be saved or removed.
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
    if (folder == menu_folder) {
      EXPECT_EQ(depth, kMaxItemDepth);
      return items;
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
  std::string LoadStamp(const std::string& key) override { return stamps[key]; }
  void SaveStamp(const std::string& key, const std::string& value) override { stamps[key] = value; }

  std::optional<std::string> programs = "C:\\U\\Programs";
  std::optional<std::string> startup = "C:\\U\\Programs\\Startup";
  std::string menu_folder = kTarget.menu_folder;
  std::optional<std::vector<FolderEntry>> items = Files({"greeting.zrx", "Sub\\a.url"});
  std::map<std::string, LinkRead> links;
  std::set<std::string> refused;
  std::set<std::wstring> existing;
  std::map<std::string, std::string> stamps;
  std::vector<std::string> emptied, saved, removed;
  std::uint64_t stamp = 1;  // every group file's stamp
  bool groups_exist = true;
  int saves = 0, reads = 0, folder_lookups = 0;
};

const std::string kGroup = "C:\\U\\Programs\\Items\\";

TEST(ItemShortcutsTest, WritesEveryFieldThenRemovesOnlyOursWhenSwitchedOff) {
  FakeLinkFiles fake;
  fake.links[kGroup + "mine.lnk"] = {"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(kTarget, true);
  ASSERT_EQ(fake.links.size(), 3u);
  EXPECT_EQ(fake.links[kGroup + "greeting.lnk"],
            (LinkRead{"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\\greeting.zrx\"", "C:\\P", "greeting.zrx",
                      "C:\\P\\Zrnx.exe", 1, 0, ItemAppId("C:\\M\\Items\\greeting.zrx")}));
  EXPECT_EQ(fake.links[kGroup + "Sub - a.lnk"].arguments, "/p \"C:\\M\\Items\\Sub\\a.url\"");
  EXPECT_THAT(fake.emptied, IsEmpty());

  const int saves = fake.saves;
  shortcuts.Update(kTarget, true);
  EXPECT_EQ(fake.saves, saves);  // in step: nothing written

  shortcuts.Update(kTarget, false);
  EXPECT_EQ(fake.links.size(), 1u);
  EXPECT_TRUE(fake.links.count(kGroup + "mine.lnk"));
  EXPECT_THAT(fake.emptied, ElementsAre("C:\\U\\Programs\\Items"));
}

TEST(ItemShortcutsTest, HotKeysAreListedPerItemAndWrittenAsChosen) {
  FakeLinkFiles fake;
  fake.items = Files({"greeting.zrx", "Sub\\a.url", "b.txt", "notes.doc"});
  fake.links[kGroup + "Hello.lnk"] = Keyed("Hello.lnk", "greeting.zrx", 0x0647).link.value();
  fake.links[kGroup + "b.lnk"] = Ours("b.txt");
  ItemShortcuts shortcuts(fake, fake);
  const std::vector<ItemHotKey> keys = shortcuts.ItemHotKeys(kTarget);
  ASSERT_EQ(keys.size(), 3u);
  const std::vector<std::tuple<std::string, std::string, std::uint16_t, bool>> expected = {
      {"b.txt", "C:\\M\\Items\\b.txt", 0, true},
      {"greeting.zrx", "C:\\M\\Items\\greeting.zrx", 0x0647, true},
      {"Sub\\a.url", "C:\\M\\Items\\Sub\\a.url", 0, false},
  };
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(std::tie(keys[i].relative, keys[i].item_path, keys[i].hot_key, keys[i].has_shortcut), expected[i]);
  }

  const std::map<std::string, std::uint16_t> chosen = {{"b.txt", 0x0174}, {"Sub\\a.url", 0x0241}};
  ShortcutTarget target = kTarget;
  target.hot_keys = &chosen;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links[kGroup + "Hello.lnk"].hot_key, 0x0647);
  EXPECT_EQ(fake.links[kGroup + "b.lnk"].hot_key, 0x0174);
  EXPECT_EQ(fake.links[kGroup + "Sub - a.lnk"].hot_key, 0x0241);

  fake.items.reset();
  EXPECT_THAT(shortcuts.ItemHotKeys(kTarget), IsEmpty());
}

TEST(ItemShortcutsTest, EverythingPossibleIsDoneBeforeTheFirstFailureIsRaised) {
  FakeLinkFiles fake;
  fake.links[kGroup + "gone.lnk"] = Ours("gone.zrx");
  fake.refused = {kGroup + "gone.lnk", kGroup + "greeting.lnk"};
  ItemShortcuts shortcuts(fake, fake);
  try {
    shortcuts.Update(kTarget, true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), WithValue(kShortcutRemoveFailed, kGroup + "gone.lnk"));
  }
  EXPECT_TRUE(fake.links.count(kGroup + "Sub - a.lnk"));

  fake.refused = {kGroup + "greeting.lnk"};
  try {
    shortcuts.Update(kTarget, true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), WithValue(kShortcutWriteFailed, kGroup + "greeting.lnk"));
    EXPECT_EQ(error.SystemValue(), kGroup + "greeting.lnk");
  }
  EXPECT_FALSE(fake.links.count(kGroup + "gone.lnk"));
}

TEST(ItemShortcutsTest, NoProgramsFolderNoMenuFolderOrATooLongPath) {
  FakeLinkFiles fake;
  fake.programs.reset();
  ItemShortcuts shortcuts(fake, fake);
  EXPECT_THROW(shortcuts.Update(kTarget, true), Error);
  EXPECT_NO_THROW(shortcuts.Update(kTarget, false));

  FakeLinkFiles no_menu;
  no_menu.items.reset();
  no_menu.links[kGroup + "gone.lnk"] = Ours("gone.zrx");
  ItemShortcuts kept(no_menu, no_menu);
  kept.Update(kTarget, true);
  EXPECT_EQ(no_menu.links.size(), 1u);  // nothing known of the items: nothing removed

  ShortcutTarget nameless = kTarget;
  nameless.menu_folder = "";
  kept.Update(nameless, true);
  EXPECT_EQ(no_menu.saves, 0);

  FakeLinkFiles deep;
  deep.programs = "C:\\" + std::string(250, 'p');
  ItemShortcuts too_long(deep, deep);
  EXPECT_THROW(too_long.Update(kTarget, true), Error);
}

}  // namespace
}  // namespace zrnx
