#include <gtest/gtest.h>

#include "common/error.h"
#include "fakes/fake_registry.h"
#include "options/shell_integration_logic.h"

namespace zrnx {
namespace {

using test::FakeRegistry;

class FakeFolders : public ShellFolders {
 public:
  std::optional<std::string> SendToFolder() override { return send_to; }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  void RemoveFile(const std::string& path) override {
    removed.push_back(path);
    files.erase(path);
  }
  void AssociationChanged() override { ++notices; }

  std::optional<std::string> send_to = "C:\\U\\SendTo";
  std::set<std::string> files;
  std::vector<std::string> removed;
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
    folders.files = {"C:\\U\\SendTo\\Zarnik NX.lnk"};
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
    EXPECT_EQ(registry_.calls, (std::vector<std::string>{"HKCU delete .zrx", "HKCU delete zrx_auto_file",
                                                         "HKCR delete .zrx", "HKCR delete zrx_auto_file"}));
    EXPECT_TRUE(registry_.user_classes.empty());
    EXPECT_EQ(Lines(registry_.classes), (std::vector<std::string>{".zrx2", "unrelated", "unrelated [x]=y"}));
  }
}

TEST_F(ShellIntegrationTest, DetectionLooksAtBothRootsAndBothLinkNames) {
  struct Case {
    bool machine, user;
    std::optional<std::string> send_to;
    std::set<std::string> files;
    ShellState expected;
  };
  const std::string ours = "C:\\U\\SendTo\\Zarnik NX.lnk", old = "C:\\U\\SendTo\\クリップボード.lnk";
  const Case cases[] = {
      {false, false, "C:\\U\\SendTo", {}, {false, false}},
      {true, false, "C:\\U\\SendTo", {ours}, {true, true}},
      {false, true, "C:\\U\\SendTo", {old}, {true, true}},
      {false, false, "C:\\U\\SendTo", {"C:\\U\\SendToZarnik NX.lnk", "C:\\U\\Zarnik NX.lnk"}, {false, false}},
      {false, false, std::nullopt, {ours, old}, {false, false}},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    if (c.machine) registry.classes[".zrx"];
    if (c.user) registry.user_classes[".zrx"];
    folders_.send_to = c.send_to;
    folders_.files = c.files;
    ShellState state = PortedShellIntegration(registry, folders_, shortcut_).DetectShellState();
    EXPECT_EQ(state.association, c.expected.association) << c.machine << c.user;
    EXPECT_EQ(state.send_to, c.expected.send_to) << c.files.size();
  }
}

TEST_F(ShellIntegrationTest, SendToLinkMadeBesideTheSenderOrBothNamesRemoved) {
  const std::string ours = "C:\\U\\SendTo\\Zarnik NX.lnk", old = "C:\\U\\SendTo\\クリップボード.lnk";
  choices_.send_to = true;
  folders_.files = {old};
  for (std::wstring sender : {L"C:\\Program Files\\Zarnik NX\\Zrnx.exe", L"C:\\Zrnx.exe"}) {
    choices_.item_sender_path = sender;
    shell_.ApplyShellIntegration(choices_);
  }
  EXPECT_EQ(links_.saved, (std::vector<std::string>{
                              ours + " -> C:\\Program Files\\Zarnik NX\\Zrnx.exe in C:\\Program Files\\Zarnik NX",
                              ours + " -> C:\\Zrnx.exe in C:\\",
                          }));
  EXPECT_TRUE(folders_.removed.empty());  // the old name stays while Send To is ticked

  choices_.send_to = false;
  folders_.files = {ours, old, "C:\\U\\SendTo\\other.lnk"};
  shell_.ApplyShellIntegration(choices_);
  EXPECT_EQ(folders_.removed, (std::vector<std::string>{ours, old}));
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
