#include <gtest/gtest.h>

#include <map>
#include <set>

#include "common/dbcs.h"
#include "common/error.h"
#include "fakes/fake_link_files.h"
#include "fakes/fake_registry.h"
#include "options/shell_integration_logic.h"
#include "options/texts.h"

namespace zrnx {
namespace {

using test::FakeRegistry;

constexpr auto kMachine = RegistryRoot::kClasses;
constexpr auto kUser = RegistryRoot::kUserClasses;
const std::wstring kSelf = L"C:\\Program Files\\Zarnik NX\\Zrnx.exe";
const std::wstring kOther = L"D:\\Other\\Zrnx.exe";
const std::wstring ours = L"C:\\U\\SendTo\\Zarnik NX.lnk", old = L"C:\\U\\SendTo\\クリップボード.lnk";
std::wstring Open(const std::wstring& program) { return L"\"" + program + L"\" /p \"%1\""; }

class FakeFolders : public ShellFolders {
 public:
  std::optional<std::wstring> SendToFolder() override { return send_to; }
  bool FileExists(const std::wstring& path) override { return files.count(path) > 0; }
  void RemoveFile(const std::wstring& path) override {
    removed.push_back(path);
    if (!stuck.count(path)) files.erase(path);
  }
  std::optional<std::wstring> LinkTarget(const std::wstring& path) override {
    if (!files.count(path) || !links.count(path)) return std::nullopt;
    return links.at(path);
  }
  void AssociationChanged() override { ++notices; }

  std::optional<std::wstring> send_to = L"C:\\U\\SendTo";
  std::set<std::wstring> files;
  std::map<std::wstring, std::wstring> links;  // link file -> target
  std::set<std::wstring> stuck;                // files that stay when removed
  std::vector<std::wstring> removed;
  int notices = 0;
};

class FakeLinks : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int) override { return "C:\\U\\SendTo"; }
  bool DirectoryExists(const std::string&) override { return true; }
  void MakeDirectory(const std::string&) override {}
  bool SaveLink(const std::string& link_path, const LinkFields& fields) override {
    // Wide paths as their ASCII characters.
    auto shown = [](const std::string& bytes, const std::wstring* wide) {
      return wide ? std::string(Error("%s", *wide).what()) : bytes;
    };
    saved.push_back(link_path + " -> " + shown(fields.target, fields.wide_target) + " in " +
                    shown(fields.work_dir, fields.wide_work_dir));
    return true;
  }
  std::vector<std::string> saved;
};

class ShellIntegrationTest : public ::testing::Test {
 protected:
  ShellIntegrationTest() {
    shortcut_.SetShortCutName("\\Zarnik NX.lnk");
    shortcut_.SetSCDirectoryType(scSendto);
    choices_.associate = true;
    choices_.editor = "C:\\WINDOWS\\NOTEPAD.EXE";
    choices_.item_sender_path = L"C:\\Program Files\\Zarnik NX\\Zrnx.exe";
  }

  FakeRegistry registry_;
  FakeFolders folders_;
  FakeLinks links_;
  TShellShortCut shortcut_{nullptr, links_};
  PortedShellIntegration shell_{registry_, folders_, shortcut_};
  ShellChoices choices_;
};

// The whole tree as "key [name]=data" lines, for comparing roots.
std::vector<std::string> Lines(const FakeRegistry::Tree& tree) {
  std::vector<std::string> lines;
  for (const auto& [key, values] : tree) {
    lines.push_back(key);
    for (const auto& [name, data] : values) lines.push_back(key + " [" + name + "]=" + data);
  }
  return lines;
}

TEST_F(ShellIntegrationTest, PlanForEachCombinationOfPasteModeNewAndEditor) {
  const std::string p = R"("C:\Program Files\Zarnik NX\Zrnx.exe" /p "%1")";
  const std::string c = R"("C:\Program Files\Zarnik NX\Zrnx.exe" /c "%1")";
  for (bool paste : {true, false}) {
    for (bool new_menu : {true, false}) {
      for (std::string editor : {"C:\\WINDOWS\\NOTEPAD.EXE", "D:\\エディタ 表\\ソフト.exe"}) {
        SCOPED_TRACE(testing::Message() << paste << new_menu << editor);
        choices_.paste_mode = paste;
        choices_.new_menu = new_menu;
        choices_.editor = editor;
        registry_.calls.clear();
        shell_.ApplyShellIntegration(choices_);
        std::vector<std::string> expected = {
            "HKCR create .zrx",
            "HKCR create zrx_auto_file",
            "HKCR set .zrx []=zrx_auto_file",
            new_menu ? "HKCR set .zrx\\ShellNew [NullFile]=" : "HKCR delete .zrx\\ShellNew",
            "HKCR set zrx_auto_file []=Zarnik NX ファイル",
            "HKCR set zrx_auto_file [NeverShowExt]=",
            "HKCR set zrx_auto_file\\DefaultIcon []=C:\\Program Files\\Zarnik NX\\Zrnx.exe,1",
            std::string("HKCR set zrx_auto_file\\shell\\open []=") +
                (paste ? "貼り付け(&P)" : "クリップボードへ送る(&N)"),
            "HKCR set zrx_auto_file\\shell\\open\\command []=" + (paste ? p : c),
            std::string("HKCR set zrx_auto_file\\shell\\open2 []=") +
                (paste ? "クリップボードへ送る(&N)" : "貼り付け(&P)"),
            "HKCR set zrx_auto_file\\shell\\open2\\command []=" + (paste ? c : p),
            "HKCR set zrx_auto_file\\shell\\Edit []=編集(&E)",
            "HKCR set zrx_auto_file\\shell\\Edit\\command []=\"" + editor + "\" \"%1\"",
        };
        EXPECT_EQ(registry_.calls, expected);
        EXPECT_EQ(registry_.classes.count(".zrx\\ShellNew"), new_menu ? 1u : 0u);
      }
    }
  }
  EXPECT_EQ(folders_.notices, 8);
}

TEST_F(ShellIntegrationTest, FailureAtEachStepEndsTheApplyThere) {
  const int steps = static_cast<int>(AssociationPlan(choices_).size());
  for (int failing = 0; failing < steps; ++failing) {
    SCOPED_TRACE(failing);
    FakeRegistry registry;
    FakeFolders folders;
    PortedShellIntegration shell(registry, folders, shortcut_);
    registry.refuse = [&](RegistryRoot, int index) { return index == failing ? RegStatus::kFailed : RegStatus::kOk; };
    choices_.send_to = false;
    folders.files = {ours};
    std::string text;
    try {
      shell.ApplyShellIntegration(choices_);
    } catch (const Error& e) {
      text = e.what();
    }
    const std::string expected[] = {"ｷｰ .zrx の作成に失敗しました", "ｷｰ zrx_auto_file の作成に失敗しました", "'' の設定に失敗しました",
                                    "'NullFile' の設定に失敗しました", "'' の設定に失敗しました",
                                    "'NeverShowExt' の設定に失敗しました"};
    if (failing < 6) EXPECT_EQ(text, expected[failing]);
    else EXPECT_EQ(text, "'' の設定に失敗しました");
    // Nothing after the failing step: no more writes, no machine-wide
    // retry, the Send To link untouched; what was written stays.
    EXPECT_EQ(registry.calls.size(), static_cast<std::size_t>(failing + 1));
    EXPECT_TRUE(registry.user_classes.empty());
    EXPECT_TRUE(folders.removed.empty());
    EXPECT_EQ(folders.notices, failing > 0 ? 1 : 0);
  }
}

TEST_F(ShellIntegrationTest, RefusedMachineWideWritesFallBackToTheUsersClasses) {
  // Refused at once (a user who is not elevated), or halfway (a key that
  // exists machine-wide and may not be opened for writing).
  for (int denied_from : {0, 5}) {
    SCOPED_TRACE(denied_from);
    FakeRegistry registry;
    FakeFolders folders;
    PortedShellIntegration shell(registry, folders, shortcut_);
    registry.refuse = [&](RegistryRoot root, int index) {
      return root == RegistryRoot::kClasses && index >= denied_from ? RegStatus::kAccessDenied : RegStatus::kOk;
    };
    shell.ApplyShellIntegration(choices_);
    EXPECT_EQ(registry.calls.size(), denied_from + 1 + AssociationPlan(choices_).size());
    EXPECT_EQ(registry.calls[denied_from + 1], "HKCU create .zrx");
    FakeRegistry reference;
    PortedShellIntegration(reference, folders, shortcut_).ApplyShellIntegration(choices_);
    EXPECT_EQ(Lines(registry.user_classes), Lines(reference.classes));
    EXPECT_EQ(folders.notices, 2);
  }
}

TEST_F(ShellIntegrationTest, RefusedInBothRootsReportsTheKey) {
  registry_.refuse = [](RegistryRoot, int) { return RegStatus::kAccessDenied; };
  EXPECT_THROW(
      try { shell_.ApplyShellIntegration(choices_); } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "ｷｰ .zrx の作成に失敗しました");
        throw;
      },
      Error);
  EXPECT_EQ(registry_.calls, (std::vector<std::string>{"HKCR create .zrx", "HKCU create .zrx"}));
  EXPECT_EQ(folders_.notices, 0);
}

TEST_F(ShellIntegrationTest, RemovalTakesBothTreesFromBothRootsAndIsQuietWhenNothingIsThere) {
  shell_.ApplyShellIntegration(choices_);
  registry_.user_classes = registry_.classes;
  registry_.classes["unrelated"]["x"] = "y";
  registry_.classes[".zrx2"];
  choices_.associate = false;
  for (int round = 0; round < 2; ++round) {
    registry_.calls.clear();
    EXPECT_NO_THROW(shell_.ApplyShellIntegration(choices_));
    EXPECT_EQ(registry_.calls, round == 0 ? (std::vector<std::string>{"HKCU delete .zrx", "HKCU delete zrx_auto_file",
                                                                      "HKCR delete .zrx", "HKCR delete zrx_auto_file"})
                                          : std::vector<std::string>{});
    EXPECT_TRUE(registry_.user_classes.empty());
    EXPECT_EQ(Lines(registry_.classes), (std::vector<std::string>{".zrx2", "unrelated", "unrelated [x]=y"}));
  }
}

enum class Keys { kBoth, kExtensionOnly, kTypeOnly };

// One root's entries: the file type .zrx names and the open command, as the
// wide call reads it; either key may be missing.
struct Entries {
  RegistryRoot root;
  std::optional<std::string> type;
  std::optional<std::wstring> command;
  Keys keys = Keys::kBoth;
};

void Put(FakeRegistry& registry, const Entries& e) {
  FakeRegistry::Tree& tree = registry.TreeOf(e.root);
  if (e.keys != Keys::kTypeOnly) {
    tree[".zrx"];
    if (e.type) tree[".zrx"][""] = *e.type;
  }
  if (e.keys == Keys::kExtensionOnly) return;
  tree["zrx_auto_file"];
  if (!e.command) return;
  const std::string key(kOpenCommandKey);
  tree[key][""] = SystemCodePageBytes(*e.command);
  registry.wide_data[(e.root == RegistryRoot::kClasses ? "HKCR " : "HKCU ") + key + " []"] = *e.command;
}


TEST(CommandProgramTest, TheProgramACommandLineStarts) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {Open(kSelf), kSelf},
      {L"  " + Open(kSelf), kSelf},
      {L"\t" + Open(kSelf), kSelf},
      {L"C:\\Zrnx.exe /p \"%1\"", L"C:\\Zrnx.exe"},
      {L"C:\\Zrnx.exe", L"C:\\Zrnx.exe"},
      {L"\"D:\\도구\\Zrnx.exe\" /c \"%1\"", L"D:\\도구\\Zrnx.exe"},
      {L"\"C:\\Zrnx.exe /p", L""},  // never closed
      {L"\"\" /p", L""},
      {L"", L""},
      {L"   ", L""},
  };
  for (const auto& [command, program] : cases) EXPECT_EQ(CommandProgram(command), program) << testing::PrintToString(command);
}

// The box shows the association ticked only when the shell's view of it
// opens items with this copy.
TEST_F(ShellIntegrationTest, TheAssociationCountsOnlyWhenItsVerbsNameThisCopy) {
  struct Case {
    const char* name;
    std::vector<Entries> entries;
    bool ticked;
  };
  const Case cases[] = {
      {"none", {}, false},
      {"ours machine-wide", {{kMachine, "zrx_auto_file", Open(kSelf)}}, true},
      {"ours, other case", {{kMachine, "ZRX_Auto_File", L"\"c:\\program files\\zarnik nx\\ZRNX.EXE\" /c \"%1\""}}, true},
      {"ours for the user", {{kUser, "zrx_auto_file", Open(kSelf)}}, true},
      {"another copy", {{kMachine, "zrx_auto_file", Open(kOther)}}, false},
      {"another copy's hides ours", {{kUser, "zrx_auto_file", Open(kOther)}, {kMachine, "zrx_auto_file", Open(kSelf)}}, false},
      {"ours hides another's", {{kUser, "zrx_auto_file", Open(kSelf)}, {kMachine, "zrx_auto_file", Open(kOther)}}, true},
      {"unquoted path with a space", {{kMachine, "zrx_auto_file", kSelf + L" /p \"%1\""}}, false},
      {"empty command", {{kMachine, "zrx_auto_file", L""}}, false},
      {"unclosed quote", {{kMachine, "zrx_auto_file", L"\"" + kSelf}}, false},
      {"no command", {{kMachine, "zrx_auto_file", std::nullopt}}, false},
      {"extension taken by another type", {{kMachine, "txtfile", Open(kSelf)}}, false},
      {"extension without a type", {{kMachine, std::nullopt, Open(kSelf)}}, false},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    for (const Entries& e : c.entries) Put(registry, e);
    EXPECT_EQ(PortedShellIntegration(registry, folders_, shortcut_).DetectShellState(kSelf).association, c.ticked)
        << c.name;
  }
}

TEST_F(ShellIntegrationTest, TheSendToBoxCountsOnlyALinkToThisCopy) {
  struct Case {
    const char* name;
    std::optional<std::wstring> folder;
    std::map<std::wstring, std::wstring> links;
    std::set<std::wstring> unreadable;
    bool ticked;
  };
  const Case cases[] = {
      {"none", L"C:\\U\\SendTo", {}, {}, false},
      {"ours to this copy", L"C:\\U\\SendTo", {{ours, kSelf}}, {}, true},
      {"the old name to this copy", L"C:\\U\\SendTo", {{old, L"c:\\PROGRAM FILES\\zarnik nx\\zrnx.exe"}}, {}, true},
      {"ours to another copy", L"C:\\U\\SendTo", {{ours, kOther}}, {}, false},
      {"another copy's and the old one to us", L"C:\\U\\SendTo", {{ours, kOther}, {old, kSelf}}, {}, true},
      {"no readable link", L"C:\\U\\SendTo", {}, {ours}, false},
      {"elsewhere", L"C:\\U\\SendTo", {{L"C:\\U\\SendToZarnik NX.lnk", kSelf}, {L"C:\\U\\Zarnik NX.lnk", kSelf}}, {}, false},
      {"no Send To folder", std::nullopt, {{ours, kSelf}}, {}, false},
  };
  for (const Case& c : cases) {
    FakeFolders folders;
    folders.send_to = c.folder;
    folders.links = c.links;
    for (const auto& link : c.links) folders.files.insert(link.first);
    folders.files.insert(c.unreadable.begin(), c.unreadable.end());
    FakeRegistry registry;
    EXPECT_EQ(PortedShellIntegration(registry, folders, shortcut_).DetectShellState(kSelf).send_to, c.ticked)
        << c.name;
  }
}

// Unticking takes away what names this copy or a program that is gone, and
// leaves another copy's entries and another file type's extension alone.
TEST_F(ShellIntegrationTest, RemovalTakesOnlyWhatThisCopyOrNoOneOwns) {
  struct Case {
    const char* name;
    Entries entries;
    std::set<std::wstring> files;  // programs that exist
    std::vector<std::string> remaining;
  };
  const std::string ext = ".zrx", type = "zrx_auto_file";
  const Case cases[] = {
      {"ours", {kMachine, type, Open(kSelf)}, {kSelf}, {}},
      {"ours for the user", {kUser, type, Open(kSelf)}, {kSelf}, {}},
      {"another copy", {kMachine, type, Open(kOther)}, {kSelf, kOther}, {ext, type}},
      {"another copy for the user", {kUser, type, Open(kOther)}, {kSelf, kOther}, {ext, type}},
      {"a copy that is gone", {kMachine, type, Open(kOther)}, {kSelf}, {}},
      {"an empty command", {kMachine, type, L""}, {kSelf}, {}},
      {"an unclosed quote", {kMachine, type, L"\"" + kOther}, {kSelf, kOther}, {}},
      {"no command", {kMachine, type, std::nullopt}, {}, {}},
      {"the extension taken by another type", {kMachine, "txtfile", Open(kSelf)}, {kSelf}, {ext}},
      {"the extension with an empty type", {kMachine, "", Open(kSelf)}, {kSelf}, {}},
      {"the extension without a type", {kMachine, std::nullopt, Open(kSelf)}, {kSelf}, {}},
      // What an interrupted removal or another program left of the pair.
      {"only the extension", {kMachine, type, std::nullopt, Keys::kExtensionOnly}, {kSelf}, {}},
      {"only the extension for the user", {kUser, type, std::nullopt, Keys::kExtensionOnly}, {kSelf}, {}},
      {"only the type, ours", {kMachine, std::nullopt, Open(kSelf), Keys::kTypeOnly}, {kSelf}, {}},
      {"only the type, a copy that is gone", {kUser, std::nullopt, Open(kOther), Keys::kTypeOnly}, {kSelf}, {}},
      {"only the type, another copy's", {kMachine, std::nullopt, Open(kOther), Keys::kTypeOnly}, {kSelf, kOther}, {type}},
  };
  choices_.associate = false;
  for (const Case& c : cases) {
    FakeRegistry registry;
    FakeFolders folders;
    folders.files = c.files;
    Put(registry, c.entries);
    const std::size_t before = registry.TreeOf(c.entries.root).count(ext) + registry.TreeOf(c.entries.root).count(type);
    PortedShellIntegration shell(registry, folders, shortcut_);
    EXPECT_NO_THROW(shell.ApplyShellIntegration(choices_)) << c.name;
    std::vector<std::string> remaining;
    for (const auto& [key, values] : registry.TreeOf(c.entries.root)) {
      if (key == ext || key == type) remaining.push_back(key);
    }
    EXPECT_EQ(remaining, c.remaining) << c.name;
    EXPECT_EQ(folders.notices, c.remaining.size() == before ? 0 : 1) << c.name;
  }
}

TEST_F(ShellIntegrationTest, SendToLinksOfAnotherCopyStayWhenUnticked) {
  struct Case {
    const char* name;
    std::optional<std::wstring> target;  // nullopt: no readable link
    bool other_exists;
    bool removed;
  };
  const Case cases[] = {
      {"to this copy", kSelf, true, true},
      {"to another copy", kOther, true, false},
      {"to a copy that is gone", kOther, false, true},
      {"no readable link", std::nullopt, true, true},
      {"to nothing", L"", true, true},
  };
  choices_.send_to = false;
  for (const Case& c : cases) {
    FakeFolders folders;
    FakeRegistry registry;
    folders.files = {ours, old, kSelf};
    if (c.other_exists) folders.files.insert(kOther);
    if (c.target) folders.links = {{ours, *c.target}, {old, *c.target}};
    PortedShellIntegration(registry, folders, shortcut_).ApplyShellIntegration(choices_);
    EXPECT_EQ(folders.files.count(ours) == 0, c.removed) << c.name;
    EXPECT_EQ(folders.files.count(old) == 0, c.removed) << c.name;
  }
}

// Two copies are told apart by their wide paths, compared as the file
// system compares names: folders the code page cannot hold would both read
// as "D:\\??", and case folds beyond ASCII but never by the locale.
TEST_F(ShellIntegrationTest, ACopyIsKnownByItsWidePathAsTheFileSystemComparesIt) {
  struct Case {
    const char* name;
    std::wstring self;
    std::wstring registered;  // the program the open command and the Send To link name
    bool registered_exists;
    bool ours;     // shown ticked
    bool removed;  // taken away by unticking
  };
  const Case cases[] = {
      {"another folder beyond the code page", L"D:\\공구\\Zrnx.exe", L"D:\\도구\\Zrnx.exe", true, false, false},
      {"the same folder beyond the code page", L"D:\\도구\\Zrnx.exe", L"D:\\도구\\Zrnx.exe", true, true, true},
      {"a copy beyond the code page that is gone", L"D:\\공구\\Zrnx.exe", L"D:\\도구\\Zrnx.exe", false, false, true},
      {"full-width capitals", L"D:\\ｔｏｏｌ\\Zrnx.exe", L"D:\\ＴＯＯＬ\\ZRNX.EXE", true, true, true},
      {"Greek capitals", L"D:\\εργαλεια\\Zrnx.exe", L"D:\\ΕΡΓΑΛΕΙΑ\\zrnx.exe", true, true, true},
      {"Cyrillic capitals", L"D:\\Программы\\Zrnx.exe", L"D:\\ПРОГРАММЫ\\zrnx.exe", true, true, true},
      {"no folding by the locale", L"D:\\Straße\\Zrnx.exe", L"D:\\STRASSE\\Zrnx.exe", true, false, false},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    FakeFolders folders;
    Put(registry, {kMachine, "zrx_auto_file", Open(c.registered)});
    folders.files = {ours, c.self};
    if (c.registered_exists) folders.files.insert(c.registered);
    folders.links = {{ours, c.registered}};
    PortedShellIntegration shell(registry, folders, shortcut_);
    const ShellState state = shell.DetectShellState(c.self);
    EXPECT_EQ(state.association, c.ours) << c.name;
    EXPECT_EQ(state.send_to, c.ours) << c.name;

    ShellChoices none;
    none.item_sender_path = c.self;
    EXPECT_NO_THROW(shell.ApplyShellIntegration(none)) << c.name;
    EXPECT_EQ(registry.classes.count(".zrx") + registry.classes.count("zrx_auto_file"), c.removed ? 0u : 2u) << c.name;
    EXPECT_EQ(folders.files.count(ours), c.removed ? 0u : 1u) << c.name;
  }
}

// What cannot be taken away (a machine-wide tree written by an elevated
// run, a link held open) is reported once everything else is done.
TEST_F(ShellIntegrationTest, WhatCannotBeRemovedIsReportedAfterTheRest) {
  struct Case {
    const char* stuck_key;
    const wchar_t* stuck_link;
    const char* text;
  };
  const Case cases[] = {
      {"HKCR .zrx", nullptr, "ｷｰ .zrx の削除に失敗しました"},
      {"HKCR zrx_auto_file", nullptr, "ｷｰ zrx_auto_file の削除に失敗しました"},
      {nullptr, L"C:\\U\\SendTo\\Zarnik NX.lnk", "C:\\U\\SendTo\\Zarnik NX.lnk の削除に失敗しました"},
  };
  choices_.associate = false;
  for (const Case& c : cases) {
    FakeRegistry registry;
    FakeFolders folders;
    Put(registry, {kMachine, "zrx_auto_file", Open(kSelf)});
    Put(registry, {kUser, "zrx_auto_file", Open(kSelf)});
    if (c.stuck_key) registry.undeletable.insert(c.stuck_key);
    folders.files = {ours, kSelf};
    folders.links = {{ours, kSelf}};
    if (c.stuck_link) folders.stuck.insert(c.stuck_link);
    std::string text = "<none>";
    try {
      PortedShellIntegration(registry, folders, shortcut_).ApplyShellIntegration(choices_);
    } catch (const Error& e) {
      text = e.what();
    }
    EXPECT_EQ(text, c.text);
    // Everything else went all the same.
    EXPECT_TRUE(registry.user_classes.empty()) << c.text;
    EXPECT_EQ(registry.classes.count(".zrx") + registry.classes.count("zrx_auto_file"), c.stuck_key ? 1u : 0u) << c.text;
    EXPECT_EQ(folders.removed, std::vector<std::wstring>{ours}) << c.text;
  }
}

TEST_F(ShellIntegrationTest, SendToLinkMadeBesideTheSenderOrBothNamesRemoved) {
  choices_.send_to = true;
  folders_.files = {old};
  for (std::wstring sender : {L"C:\\Program Files\\Zarnik NX\\Zrnx.exe", L"C:\\Zrnx.exe"}) {
    choices_.item_sender_path = sender;
    shell_.ApplyShellIntegration(choices_);
  }
  EXPECT_EQ(links_.saved, (std::vector<std::string>{
                              "C:\\U\\SendTo\\Zarnik NX.lnk -> C:\\Program Files\\Zarnik NX\\Zrnx.exe in C:\\Program Files\\Zarnik NX",
                              "C:\\U\\SendTo\\Zarnik NX.lnk -> C:\\Zrnx.exe in C:\\",
                          }));
  EXPECT_TRUE(folders_.removed.empty());  // the old name stays while Send To is ticked

  choices_.send_to = false;
  folders_.files = {ours, old, L"C:\\U\\SendTo\\other.lnk"};
  shell_.ApplyShellIntegration(choices_);
  EXPECT_EQ(folders_.removed, (std::vector<std::wstring>{ours, old}));
  shell_.ApplyShellIntegration(choices_);  // nothing left to remove: no call, no error
  EXPECT_EQ(folders_.removed.size(), 2u);

  // A Send To folder that cannot be resolved skips the link step silently.
  folders_.send_to = std::nullopt;
  choices_.send_to = true;
  EXPECT_NO_THROW(shell_.ApplyShellIntegration(choices_));
  EXPECT_EQ(links_.saved.size(), 2u);
}

}  // namespace
}  // namespace zrnx

namespace zrnx {
namespace {

// The Start-menu sync runs inside the lock; when the lock is not had in
// time nothing is written and the user is told to try again.
TEST(ShellIntegrationLockTest, TheSyncRunsOnlyInsideTheLock) {
  for (const bool granted : {true, false}) {
    SCOPED_TRACE(granted ? "granted" : "refused");
    test::FakeLinkFiles fake;
    FakeRegistry registry;
    FakeFolders folders;
    TShellShortCut shortcut{nullptr, fake};
    ItemShortcuts items(fake, fake);
    PortedShellIntegration shell{registry, folders, shortcut, &items};
    int saves_inside = -1;
    shell.sync_lock = [&](const std::function<void()>& sync) {
      if (!granted) return false;
      sync();
      saves_inside = fake.saves;
      return true;
    };
    ShellChoices choices;
    choices.start_menu = true;
    choices.menu_folder = test::kTarget.menu_folder;
    choices.item_sender_path = L"C:\\P\\Zrnx.exe";
    if (granted) {
      shell.UpdateItemShortcuts(choices);
      EXPECT_EQ(saves_inside, 2);
      EXPECT_EQ(fake.saves, 2);
      continue;
    }
    try {
      shell.UpdateItemShortcuts(choices);
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), kShortcutsBusy);
    }
    EXPECT_EQ(fake.saves, 0);
    EXPECT_TRUE(fake.removed.empty());
  }
}

}  // namespace
}  // namespace zrnx
