// The items' Start-menu shortcuts as the real programs leave them: written
// by /apply and by OK, read back through the shell link object, opened
// through the shell into Notepad, kept in step by a send, removed by
// /remove and by the check box, the user's own shortcut always kept.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>

#include "common/scoped_win.h"
#include "components/shell_shortcut.h"
#include "options/control_ids.h"
#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

const std::string kGroupName = "Zarnik NX テキスト";

std::string ProgramsFolder() {
  char path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path), S_OK);
  return path;
}

// The file names in a folder, nothing when it is missing.
std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  ScopedFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!find) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
  } while (FindNextFileA(find.Get(), &found));
  return names;
}

class StartMenuWineTest : public OptionsEditorTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    sandbox_.Copy("Zrnx.exe");
    sandbox_.Copy("ZrnxSet.exe");
    CreateDirectoryA(menu_.c_str(), nullptr);
    CreateDirectoryA((menu_ + "\\Sub").c_str(), nullptr);
    sandbox_.WriteFile(kGroupName + "\\greeting.zrx", "Hello ソ\r\n");
    sandbox_.WriteFile(kGroupName + "\\a.zrx", "zrx a");
    sandbox_.WriteFile(kGroupName + "\\a.txt", "text a");
    sandbox_.WriteFile(kGroupName + "\\site.url", "[InternetShortcut]\r\nURL=https://zarnik.example/\r\n");
    sandbox_.WriteFile(kGroupName + "\\Sub\\deep.zrx", "deep");
    sandbox_.WriteFile(kGroupName + "\\notes.doc", "not an item");
    const std::string hidden = sandbox_.WriteFile(kGroupName + "\\hidden.zrx", "hidden");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteSettings("");

    // The user's own shortcut in the group, to Notepad.
    TShellShortCut mine(nullptr);
    mine.SetSCDirectoryType(scProgram);
    mine.SetShortCutName("\\" + kGroupName + "\\greeting.lnk");
    mine.SetLinkPath(WindowsFolder() + "\\notepad.exe");
    mine.MakeShortCut();
    ASSERT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk"}));
  }

  void TearDown() override {
    for (const std::string& name : FilesIn(group_)) DeleteFileA((group_ + "\\" + name).c_str());
    RemoveDirectoryA(group_.c_str());
  }

  void WriteSettings(const std::string& more) {
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + menu_ + "\r\n" + more);
  }

  std::optional<DWORD> Run(const std::string& program, const std::string& args) {
    Process process(Quote(sandbox_.PathOf(program)) + " " + args, sandbox_.Dir());
    return process.Wait();
  }

  std::string Item(const std::string& name) const { return menu_ + "\\" + name; }
  std::string Link(const std::string& name) const { return group_ + "\\" + name; }

  ComApartment com_;
  const std::string menu_ = sandbox_.PathOf(kGroupName);
  const std::string group_ = ProgramsFolder() + "\\" + kGroupName;
  const std::set<std::string> all_ = {"greeting.lnk", "greeting (zrx).lnk", "a.lnk", "a (txt).lnk", "site.lnk",
                                      "Sub - deep.lnk"};
};

TEST_F(StartMenuWineTest, ApplyWritesAShortcutPerItemThatPastesThroughTheShell) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), all_);

  const std::optional<LinkSeen> link = ReadShellLink(Link("greeting (zrx).lnk"));
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, sandbox_.PathOf("Zrnx.exe"));
  EXPECT_EQ(link->arguments, "/p \"" + Item("greeting.zrx") + "\"");
  EXPECT_EQ(link->work_dir, sandbox_.Dir());
  EXPECT_EQ(link->icon_path, sandbox_.PathOf("Zrnx.exe"));
  EXPECT_EQ(link->icon_index, 1);
  EXPECT_EQ(ReadShellLink(Link("Sub - deep.lnk"))->arguments, "/p \"" + Item("Sub\\deep.zrx") + "\"");
  EXPECT_EQ(ReadShellLink(Link("greeting.lnk"))->target, WindowsFolder() + "\\notepad.exe");

  // Opened as the Start menu opens them: every kind of item is pasted. (Wine
  // opens a link through a process of its own: Notepad tells.)
  Notepad notepad;
  const std::pair<const char*, const char*> opened[] = {
      {"greeting (zrx).lnk", "Hello ソ\r\n"}, {"site.lnk", "https://zarnik.example/"}, {"a (txt).lnk", "text a"}};
  for (const auto& [name, text] : opened) {
    SCOPED_TRACE(name);
    notepad.Clear();
    SetClipboardText("before");
    ASSERT_TRUE(notepad.ComeForward());
    const std::string path = Link(name);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&info));
    EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == text; })) << notepad.Text();
    EXPECT_TRUE(WaitUntil([] { return !ProcessRunning("Zrnx.exe"); }));
  }
  EXPECT_EQ(FilesIn(group_), all_);
}

TEST_F(StartMenuWineTest, OneSendBringsAnAddedAndADeletedItemInStep) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  sandbox_.WriteFile(kGroupName + "\\new.zrx", "new");
  DeleteFileA(Item("a.txt").c_str());

  // An item from elsewhere changes nothing.
  const std::string outside = sandbox_.WriteFile("outside.zrx", "outside");
  ASSERT_EQ(Run("Zrnx.exe", Quote(outside)), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), all_);

  ASSERT_EQ(Run("Zrnx.exe", "/c " + Quote(Item("greeting.zrx"))), std::optional<DWORD>(0));
  std::set<std::string> expected = all_;
  expected.erase("a (txt).lnk");
  expected.insert("new.lnk");
  EXPECT_EQ(FilesIn(group_), expected);
  EXPECT_EQ(ReadShellLink(Link("new.lnk"))->arguments, "/p \"" + Item("new.zrx") + "\"");
  EXPECT_EQ(ReadClipboardText(), "Hello ソ\r\n");

  // Switched off, a send leaves the Start menu alone.
  WriteSettings("StartMenuShortcuts=0\r\n");
  sandbox_.WriteFile(kGroupName + "\\later.zrx", "later");
  ASSERT_EQ(Run("Zrnx.exe", Quote(Item("greeting.zrx"))), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), expected);
}

TEST_F(StartMenuWineTest, RemoveTakesOnlyOursAndTheEmptyGroupGoes) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  // A shortcut of ours the user renamed is still ours.
  ASSERT_TRUE(MoveFileA(Link("site.lnk").c_str(), Link("My site.lnk").c_str()));
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  EXPECT_TRUE(FilesIn(group_).count("My site.lnk"));
  EXPECT_FALSE(FilesIn(group_).count("site.lnk"));

  ASSERT_EQ(Run("ZrnxSet.exe", "/remove"), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk"}));
  EXPECT_EQ(Option("Data"), menu_);  // the settings are not written

  DeleteFileA(Link("greeting.lnk").c_str());
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  ASSERT_EQ(Run("ZrnxSet.exe", "/remove"), std::optional<DWORD>(0));
  EXPECT_EQ(GetFileAttributesA(group_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartMenuWineTest, TheCheckBoxTakesThemAwayAndBringsThemBack) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  for (bool tick : {false, true}) {
    SCOPED_TRACE(tick);
    auto e = Start();
    EXPECT_EQ(e->Checked(ctl::StartMenuShortcuts), !tick);
    ASSERT_TRUE(e->SetChecked(ctl::StartMenuShortcuts, tick));
    e->Click(ctl::Button1);
    ExpectEndsQuietly(*e);
    EXPECT_EQ(Option("StartMenuShortcuts"), tick ? "1" : "0");
    EXPECT_EQ(FilesIn(group_), tick ? all_ : std::set<std::string>{"greeting.lnk"});
  }
}

// A Programs group that cannot hold links: OK saves the settings, then
// says which shortcut failed, and the window comes back.
TEST_F(StartMenuWineTest, AGroupThatCannotBeWrittenIsReportedAfterTheSave) {
  TearDown();
  ASSERT_TRUE(CreateDirectoryA(ProgramsFolder().c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ScopedFile blocker(CreateFileA(group_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(blocker);
  blocker.Reset(nullptr);
  auto e = Start();
  e->Click(ctl::Button1);
  const std::optional<MessageBoxSeen> box = WaitForMessageBox("オプション - Zarnik NX", e->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "スタートメニューのショートカット " + Link("Sub - deep.lnk") + " を作成できません.");
  EXPECT_EQ(Option("StartMenuShortcuts"), "1");
  EXPECT_TRUE(WaitUntil([&] { return e->WindowVisible(); }));
  e->Click(ctl::Button2);
  ExpectEndsQuietly(*e);
  DeleteFileA(group_.c_str());
}

}  // namespace
}  // namespace zrnx::test
