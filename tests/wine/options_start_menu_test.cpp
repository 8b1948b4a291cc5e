// The items' Start-menu shortcuts as the real programs leave them: written
// by /apply and by OK, read back through the shell link object, opened
// through the shell into Notepad, kept in step by a send, removed by
// /remove and by the check box, the user's own shortcut always kept.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "common/path.h"
#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "components/shell_link.h"
#include "components/shell_shortcut.h"
#include "options/control_ids.h"
#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

// A link's hot key through the shell link object, set and read as the
// shortcut's Properties do it.
std::optional<WORD> LinkHotKey(const std::string& path, std::optional<WORD> set = std::nullopt) {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.Put()))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))))
    return std::nullopt;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READWRITE))) return std::nullopt;
  if (set) {
    link->SetHotkey(*set);
    if (FAILED(file->Save(wide, TRUE))) return std::nullopt;
  }
  WORD key = 0;
  if (FAILED(link->GetHotkey(&key))) return std::nullopt;
  return key;
}

void PressKeys(std::initializer_list<BYTE> keys, bool release) {
  for (BYTE vk : keys) keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)), release ? KEYEVENTF_KEYUP : 0, 0);
}

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

// A menu folder that is the group itself (Data in Programs, so Start shows
// the items' folder): sends never make shortcuts of shortcuts.
TEST_F(StartMenuWineTest, AMenuFolderThatIsTheGroupStaysOneShortcutPerItem) {
  TearDown();
  ASSERT_TRUE(CreateDirectoryA(group_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  for (const char* name : {"one.zrx", "two.txt"}) {
    ScopedFile file(CreateFileA((group_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), name, 3, &written, nullptr));
  }
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + group_ + "\r\n");
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  for (int send = 0; send < 3; ++send) ASSERT_EQ(Run("Zrnx.exe", "/c " + Quote(group_ + "\\one.zrx")), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"one.zrx", "two.txt", "one.lnk", "two.lnk"}));
}

// Data named Startup would put the group in the Startup folder: /apply
// refuses it before anything is written.
TEST_F(StartMenuWineTest, AStartupGroupIsRefused) {
  char startup[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, startup), S_OK);
  const std::string menu = sandbox_.PathOf(std::string(startup).substr(std::string(startup).rfind('\\') + 1));
  CreateDirectoryA(menu.c_str(), nullptr);
  sandbox_.WriteFile(menu.substr(sandbox_.Dir().size() + 1) + "\\run.zrx", "run");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + menu + "\r\n");
  const std::set<std::string> before = FilesIn(startup);
  EXPECT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(1));
  ASSERT_EQ(Run("Zrnx.exe", "/c " + Quote(menu + "\\run.zrx")), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(startup), before);
}

// Another live copy's shortcuts are neither doubled nor removed; a copy
// that is gone leaves its shortcuts to us.
TEST_F(StartMenuWineTest, ACopyOwnsOnlyItsOwnShortcuts) {
  const std::string other = sandbox_.PathOf("other");
  CreateDirectoryA(other.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(sandbox_.PathOf("Zrnx.exe").c_str(), (other + "\\Zrnx.exe").c_str(), FALSE));
  for (const auto& [name, program] : {std::pair<std::string, std::string>{"theirs.lnk", other + "\\Zrnx.exe"},
                                      {"gone.lnk", sandbox_.PathOf("gone\\Zrnx.exe")}}) {
    const std::string arguments = "/p \"" + Item(name == "theirs.lnk" ? "a.zrx" : "site.url") + "\"";
    const std::string none;
    LinkFields fields{program, none, none};
    fields.arguments = arguments;
    ASSERT_TRUE(DefaultShellLinkApi().SaveLink(Link(name), fields));
  }
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  std::set<std::string> expected = all_;
  expected.erase("a (txt).lnk");  // a.zrx is theirs: a.txt takes the plain name
  expected.erase("site.lnk");  // the gone copy's is ours now, rewritten
  expected.insert("theirs.lnk");
  expected.insert("gone.lnk");
  EXPECT_EQ(FilesIn(group_), expected);
  EXPECT_EQ(ReadShellLink(Link("theirs.lnk"))->target, other + "\\Zrnx.exe");
  EXPECT_EQ(ReadShellLink(Link("gone.lnk"))->target, sandbox_.PathOf("Zrnx.exe"));

  ASSERT_EQ(Run("ZrnxSet.exe", "/remove"), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk", "theirs.lnk"}));
}

// OK with another Data: ours leave the old group, which goes once empty.
TEST_F(StartMenuWineTest, ANewMenuFolderMovesTheGroup) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  const std::string moved = sandbox_.PathOf("Moved Items");
  CreateDirectoryA(moved.c_str(), nullptr);
  sandbox_.WriteFile("Moved Items\\m.zrx", "m");
  auto e = Start();
  ASSERT_TRUE(e->TypeData(ctl::Edit2, moved));
  e->Click(ctl::Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk"}));  // the user's stays
  const std::string new_group = ProgramsFolder() + "\\Moved Items";
  EXPECT_EQ(FilesIn(new_group), (std::set<std::string>{"m.lnk"}));
  DeleteFileA((new_group + "\\m.lnk").c_str());
  RemoveDirectoryA(new_group.c_str());
}

// OK to a menu folder that does not exist moves nothing and says so; the
// next OK, to a real one, moves the group from the first folder, each item
// keeping the key its shortcut had.
TEST_F(StartMenuWineTest, AMissingMenuFolderMovesNothingAndAMoveKeepsKeys) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  const WORD ctrl_alt_g = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'G';
  ASSERT_EQ(LinkHotKey(Link("a.lnk"), ctrl_alt_g), std::optional<WORD>(ctrl_alt_g));
  const std::string moved = sandbox_.PathOf("Moved Items");
  auto e = Start();
  ASSERT_TRUE(e->TypeData(ctl::Edit2, moved));
  e->Click(ctl::Button1);
  const std::optional<MessageBoxSeen> box = WaitForMessageBox("オプション - Zarnik NX", e->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "メニューフォルダ " + moved + " が見つからないため、スタートメニューのショートカットは元のまま残しました.");
  EXPECT_EQ(FilesIn(group_), all_);

  CreateDirectoryA(moved.c_str(), nullptr);
  sandbox_.WriteFile("Moved Items\\a.zrx", "zrx a");
  sandbox_.WriteFile("Moved Items\\m.zrx", "m");
  ASSERT_TRUE(WaitUntil([&] { return e->WindowVisible(); }));
  e->Click(ctl::Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk"}));
  const std::string new_group = ProgramsFolder() + "\\Moved Items";
  EXPECT_EQ(FilesIn(new_group), (std::set<std::string>{"a.lnk", "m.lnk"}));
  EXPECT_EQ(LinkHotKey(new_group + "\\a.lnk"), std::optional<WORD>(ctrl_alt_g));
  EXPECT_EQ(LinkHotKey(new_group + "\\m.lnk"), std::optional<WORD>(0));
  for (const char* name : {"a.lnk", "m.lnk"}) DeleteFileA((new_group + "\\" + name).c_str());
  RemoveDirectoryA(new_group.c_str());
}

// Another program holds the sync's lock past the 10 s wait: OK saves the
// settings, writes no shortcut and says to try again; once the lock is free
// the next OK writes them.
TEST_F(StartMenuWineTest, OkWithoutTheLockWritesNothingAndTheNextOkDoes) {
  ScopedHandle lock(CreateMutexW(nullptr, TRUE, L"Local\\ZarnikNX.ItemShortcuts"));
  ASSERT_TRUE(lock);
  auto e = Start();
  e->Click(ctl::Button1);
  const std::optional<MessageBoxSeen> box = WaitForMessageBox("オプション - Zarnik NX", e->Id(), 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            "ほかの Zarnik NX がスタートメニューのショートカットを更新しているため、ショートカットを更新できませんでした。"
            "設定は保存されています。しばらく待ってから、もう一度 OK を押して下さい.");
  EXPECT_EQ(box->owner, e->Window());
  EXPECT_EQ(FilesIn(group_), (std::set<std::string>{"greeting.lnk"}));
  EXPECT_EQ(Option("StartMenuShortcuts"), "1");
  ASSERT_TRUE(WaitUntil([&] { return e->WindowVisible(); }));
  ReleaseMutex(lock.Get());
  e->Click(ctl::Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(FilesIn(group_), all_);
}

// A shortcut key the user gave a shortcut survives a rewrite; one held
// down as the sender starts (Ctrl+Alt) never joins the paste key.
TEST_F(StartMenuWineTest, AShortcutKeyStaysAndItsModifiersDoNotJoinThePaste) {
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  const WORD ctrl_alt_g = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'G';
  ASSERT_EQ(LinkHotKey(Link("a.lnk"), ctrl_alt_g), std::optional<WORD>(ctrl_alt_g));
  WriteSettings("PasteMode=0\r\n");  // every link is rewritten
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  EXPECT_EQ(ReadShellLink(Link("a.lnk"))->arguments, "/c \"" + Item("a.zrx") + "\"");
  EXPECT_EQ(LinkHotKey(Link("a.lnk")), std::optional<WORD>(ctrl_alt_g));
  EXPECT_EQ(LinkHotKey(Link("a (txt).lnk")), std::optional<WORD>(0));

  // Explorer starts the shortcut's command line with Ctrl and Alt still down.
  KeyRecorder recorder;
  ASSERT_TRUE(recorder.ComeForward());
  PressKeys({VK_CONTROL, VK_MENU}, false);
  Process sender(Quote(sandbox_.PathOf("Zrnx.exe")) + " /p " + Quote(Item("a.zrx")), sandbox_.Dir());
  PumpMessages(700);
  PressKeys({VK_MENU, VK_CONTROL}, true);
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
  auto key = [](BYTE vk, bool up) { return KeyEventText(vk, up, vk == 'V'); };
  const std::vector<std::string> paste = {key(VK_CONTROL, false), key('V', false), key('V', true), key(VK_CONTROL, true)};
  const std::vector<std::string>& seen = recorder.events;
  WaitUntil([&] { return std::count(seen.begin(), seen.end(), key('V', true)) > 0; }, kDefaultTimeout);
  PumpMessages(200);
  // The paste comes whole after the user let go, with no Alt in it.
  ASSERT_GE(seen.size(), paste.size());
  EXPECT_EQ(std::vector<std::string>(seen.end() - static_cast<std::ptrdiff_t>(paste.size()), seen.end()), paste);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), key('V', false)), 1);
  EXPECT_LT(std::find(seen.begin(), seen.end(), key(VK_MENU, true)) - seen.begin(),
            std::find(seen.begin(), seen.end(), key('V', false)) - seen.begin());
}

// A menu folder the code page cannot hold is kept in Data by its short name
// (so is the default where the profile's folder does not fit): a send of an
// item by its long name, as the folder shows it, or by the short name our
// shortcuts give, keeps the group in step.
TEST_F(StartMenuWineTest, AShortNameDataStaysInStepWhicheverNameASendGets) {
  const std::wstring wide_menu = WideOf(sandbox_.Dir()) + L"\\\xB3C4\xAD6C Items";
  ASSERT_TRUE(CreateDirectoryW(wide_menu.c_str(), nullptr));
  ASSERT_TRUE(WriteWideFile(wide_menu + L"\\a.zrx", "a"));
  const std::optional<std::string> short_menu = CodePagePath(wide_menu);
  if (!short_menu || FitsCodePage(wide_menu)) GTEST_SKIP() << "no short name";
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + *short_menu + "\r\n");
  const std::string group = ProgramsFolder() + "\\" + NamePart(*short_menu);
  ASSERT_EQ(Run("ZrnxSet.exe", "/apply"), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group), (std::set<std::string>{"a.lnk"}));

  ASSERT_TRUE(WriteWideFile(wide_menu + L"\\long.zrx", "long"));
  Process by_long(L"\"" + WideOf(sandbox_.PathOf("Zrnx.exe")) + L"\" /c \"" + wide_menu + L"\\a.zrx\"",
                  WideOf(sandbox_.Dir()));
  ASSERT_EQ(by_long.Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group), (std::set<std::string>{"a.lnk", "long.lnk"}));
  EXPECT_EQ(ReadShellLink(group + "\\long.lnk")->arguments, "/p \"" + *short_menu + "\\long.zrx\"");

  ASSERT_TRUE(WriteWideFile(wide_menu + L"\\short.zrx", "short"));
  ASSERT_EQ(Run("Zrnx.exe", "/c " + Quote(*short_menu + "\\a.zrx")), std::optional<DWORD>(0));
  EXPECT_EQ(FilesIn(group), (std::set<std::string>{"a.lnk", "long.lnk", "short.lnk"}));
  for (const std::string& name : FilesIn(group)) DeleteFileA((group + "\\" + name).c_str());
  RemoveDirectoryA(group.c_str());
}

}  // namespace
}  // namespace zrnx::test
