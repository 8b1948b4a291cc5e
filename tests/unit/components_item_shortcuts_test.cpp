#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "components/item_shortcuts.h"
#include "fakes/fake_link_files.h"
#include "fakes/fake_profile_store.h"

namespace zrnx {
namespace {

using ::testing::IsEmpty;
using test::Files;
using test::kTarget;
using test::Keyed;
using test::Names;
using test::Ours;

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
  LinkRead no_id = Ours("a.zrx"), other_id = Ours("b.zrx"), read_back = Ours("a.zrx");
  no_id.app_id.clear();
  other_id.app_id = ItemAppId("C:\\M\\Items\\a.zrx");
  // The shell gives paths back in the case the file system keeps.
  read_back.target = "c:\\p\\zrnx.EXE";
  read_back.icon_path = "C:\\P\\ZRNX.exe";
  read_back.work_dir = "c:\\P";
  read_back.arguments = "/p \"C:\\M\\ITEMS\\A.zrx\"";
  GroupEntry other_copy{"theirs.lnk", Ours("a.zrx"), true};
  other_copy.link->target = "D:\\Other\\Zrnx.exe";
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
      {"a clash counts whichever name has capitals", Files({"a.zrx", "A.txt", "Greeting.zrx"}),
       {{"greeting.lnk", users_own}}, {"Greeting (zrx).lnk", "a.lnk", "A (txt).lnk"}, {}, {}},
      {"full-width, Greek and Cyrillic capitals clash too", Files({"ａ.zrx", "Ａ.txt", "ω.zrx", "Ω.txt", "я.zrx", "Я.txt"}),
       {}, {"ａ.lnk", "ω.lnk", "я.lnk", "Ａ (txt).lnk", "Ω (txt).lnk", "Я (txt).lnk"}, {}, {}},
      {"a second shortcut of ours for one item goes", Files({"a.zrx"}),
       {{"a.lnk", Ours("a.zrx")}, {"a copy.lnk", Ours("a.zrx")}, {"b.lnk", Ours("A.ZRX")}}, {}, {},
       {"a.lnk", "b.lnk"}},
      {"without our ID or with another, it is rewritten", Files({"a.zrx", "b.zrx"}),
       {{"a.lnk", no_id}, {"b.lnk", other_id}}, {}, {"a.lnk", "b.lnk"}, {}},
      {"read back in another case it is the same", Files({"a.zrx"}), {{"a.lnk", read_back}}, {}, {}, {}},
      {"another copy's shortcut covers its item and stays", Files({"a.zrx"}), {other_copy}, {}, {}, {}},
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
       {{"a.lnk", a, "a.zrx", kCtrlAltG, "a.zrx"}}},
      {"a chosen key is written, an unlisted item keeps its own",
       {Keyed("a.lnk", "a.zrx", kCtrlAltG), Keyed("b.lnk", "Sub\\b.txt", kShiftF5)},
       std::map<std::string, std::uint16_t>{{"Sub\\b.txt", kCtrlAltG}}, {}, {{"b.lnk", b, "Sub\\b.txt", kCtrlAltG, "Sub\\b.txt"}}},
      {"0 clears a key; the same key writes nothing",
       {Keyed("a.lnk", "a.zrx", kCtrlAltG), Keyed("b.lnk", "Sub\\b.txt", kShiftF5)},
       std::map<std::string, std::uint16_t>{{"a.zrx", 0}, {"Sub\\b.txt", kShiftF5}}, {}, {{"a.lnk", a, "a.zrx", 0, "a.zrx"}}},
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

// One ID per item: the same on every sync and in any letter case, another
// for another item or menu folder, in the documented dotted form.
TEST(ItemAppIdTest, StableDistinctAndInTheDocumentedForm) {
  const std::string id = ItemAppId("C:\\M\\Items\\Sub\\greeting.zrx");
  EXPECT_EQ(id, ItemAppId("c:\\m\\ITEMS\\sub\\Greeting.ZRX"));
  EXPECT_EQ(id.rfind("ZarnikNX.Item.", 0), 0u);
  EXPECT_LE(id.size(), 128u);
  EXPECT_EQ(id.find(' '), std::string::npos);
  std::set<std::string> ids = {id};
  for (const char* other : {"C:\\M\\Items\\greeting.zrx", "C:\\M\\Items2\\Sub\\greeting.zrx",
                            "C:\\M\\Items\\Sub\\greeting.txt", "C:\\M\\Items\\Sub - greeting.zrx",
                            "C:\\M\\Items\\Sub\\ｇreeting.zrx", "D:\\M\\Items\\Sub\\greeting.zrx"}) {
    EXPECT_TRUE(ids.insert(ItemAppId(other)).second) << other;
  }
  // A long path still gives a short ID.
  EXPECT_EQ(ItemAppId("C:\\" + std::string(250, 'x')).size(), id.size());
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
    bool asked = false;
    const std::optional<ShortcutTarget> got =
        ShortcutsToKeepAfterSend(SettingsFile(L"C:\\P\\Zrnx.ini", store), c.item, sender, [&] {
          asked = true;
          return std::string("C:\\S\\Zarnik");
        });
    // The shell is asked for the default only when Data is missing.
    EXPECT_EQ(asked, !c.keys.count("Data") && c.keys.count("StartMenuShortcuts") == 0) << c.item;
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.item;
    if (!got) continue;
    EXPECT_EQ(got->sender_path, c.expected->sender_path);
    EXPECT_EQ(got->menu_folder, c.expected->menu_folder);
    EXPECT_EQ(got->paste_mode, c.expected->paste_mode);
  }
}

// Data in short names (the default where the profile's folder does not fit
// the code page): the item is asked for as it lies below Data, spelt as Data.
TEST(ShortcutsToKeepAfterSendTest, TheItemIsTakenAsItLiesBelowTheMenuFolder) {
  test::FakeProfileStore store;
  store.Set("Option", "Data", "C:\\Users\\LUKASZ~1\\STARTM~1\\Items");
  std::vector<std::string> asked;
  auto below = [&](std::optional<std::string> item) {
    return [&asked, item](const std::string& menu_folder) {
      asked.push_back(menu_folder);
      return item;
    };
  };
  const SettingsFile settings(L"C:\\P\\Zrnx.ini", store);
  const auto none = [] { return std::string(); };
  const std::optional<ShortcutTarget> got = ShortcutsToKeepAfterSend(
      settings, below("C:\\Users\\LUKASZ~1\\STARTM~1\\Items\\a.zrx"), "C:\\P\\Zrnx.exe", none);
  ASSERT_TRUE(got);
  EXPECT_EQ(got->menu_folder, "C:\\Users\\LUKASZ~1\\STARTM~1\\Items");
  EXPECT_THAT(asked, ::testing::ElementsAre("C:\\Users\\LUKASZ~1\\STARTM~1\\Items"));
  EXPECT_FALSE(ShortcutsToKeepAfterSend(settings, below(std::nullopt), "C:\\P\\Zrnx.exe", none));
  // What it answers must still lie in the menu folder.
  EXPECT_FALSE(ShortcutsToKeepAfterSend(settings, below("C:\\Elsewhere\\a.zrx"), "C:\\P\\Zrnx.exe", none));
}

TEST(RelativeBelowTest, ThePartBelowAFolderComparedAsTheFileSystemDoes) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
    std::optional<std::wstring> relative;
  };
  const Case cases[] = {
      {L"C:\\Users\\\u0141ukasz\\Items\\Sub\\a.zrx", L"c:\\users\\\u0142UKASZ\\items", L"Sub\\a.zrx"},
      {L"C:\\M\\Items\\a.zrx", L"C:\\M\\Items\\", L"a.zrx"},
      {L"C:\\a.zrx", L"C:\\", L"a.zrx"},
      {L"C:\\M\\Items2\\a.zrx", L"C:\\M\\Items", std::nullopt},
      {L"C:\\M\\Items", L"C:\\M\\Items", std::nullopt},
      {L"C:\\M\\Items\\", L"C:\\M\\Items", std::nullopt},
      {L"C:\\M\\a.zrx", L"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RelativeBelow(c.path, c.folder), c.relative) << testing::PrintToString(c.path);
}

}  // namespace
}  // namespace zrnx
