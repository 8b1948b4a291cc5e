// The real setup program and its uninstaller, run silently under the
// Japanese locale: what lands where, what an upgrade keeps, what an
// uninstall leaves, and the refusals that must change nothing.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

constexpr DWORD kSetupTimeout = 120000;
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZarnikNX";
const std::string kMutexName = "Zarnik_NX_Option";

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return path;
}

std::string SetupProgram() { return BuildDir() + "\\..\\" ZRNX_SETUP_NAME; }
std::string DefaultInstallDir() { return SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Zarnik NX"; }
std::string MenuFolder() { return SpecialFolder(CSIDL_STARTMENU) + "\\Zarnik NX テキスト"; }
std::string EditorLink() { return SpecialFolder(CSIDL_PROGRAMS) + "\\Zarnik NX オプション.lnk"; }
std::string SendToLink(const char* name) { return SpecialFolder(CSIDL_SENDTO) + "\\" + name; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
  std::string from = path + std::string(2, '\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
}

std::optional<std::string> RegText(HKEY root, const std::string& key, const std::string& name) {
  char data[2048] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

std::optional<DWORD> RegNumber(HKEY root, const std::string& key, const std::string& name) {
  DWORD data = 0, size = sizeof data;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return data;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::optional<DWORD> RunSetup(const std::string& args = "/S") {
  Process setup(Quote(SetupProgram()) + " " + args);
  return setup.Wait(kSetupTimeout);
}

// The uninstaller as the system runs it: it copies itself away, starts the
// copy and ends at once, so the work is waited for by its last step.
void UninstallQuietly(const std::string& dir) {
  const std::optional<std::string> command = RegText(HKEY_CURRENT_USER, kUninstallKey, "QuietUninstallString");
  ASSERT_TRUE(command);
  Process uninstall(*command);
  ASSERT_EQ(uninstall.Wait(kSetupTimeout), std::optional<DWORD>(0));
  ASSERT_TRUE(WaitUntil([&] { return !Exists(dir + "\\Uninstall.exe"); }, kSetupTimeout));
  PumpMessages(500);  // the folder goes after the uninstaller itself
}

// What a user clicking through a setup program's pages sees.
struct ClickedThrough {
  std::optional<DWORD> exit_code;
  std::vector<std::string> boxes;  // the texts of its message boxes, in order
};

struct SetupWindows {
  DWORD process_id;
  std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<SetupWindows*>(param);
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->process_id && IsWindowVisible(window) && std::string(class_name) == "#32770") {
    search->dialogs.push_back(window);
  }
  return TRUE;
}

bool Click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button || !IsWindowEnabled(button)) return false;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

// Presses the default button of every page (Next, Install, Finish: control
// 1), or the other one (Close after a failure: control 2) when that is the only
// one enabled, and answers every message box with `answer`.
ClickedThrough ClickThrough(const std::string& command_line, int answer) {
  Process setup(command_line);
  ClickedThrough result;
  const ULONGLONG end = GetTickCount64() + kSetupTimeout;
  while (GetTickCount64() < end) {
    result.exit_code = setup.Wait(300);
    if (result.exit_code) return result;
    SetupWindows windows{setup.Id(), {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&windows));
    for (HWND dialog : windows.dialogs) {
      if (HWND text = GetDlgItem(dialog, 0xFFFF)) {  // a message box
        char buffer[2048] = {};
        GetWindowTextA(text, buffer, sizeof buffer);
        result.boxes.push_back(buffer);
        Click(dialog, answer);
      } else if (!Click(dialog, 1)) {
        Click(dialog, 2);
      }
    }
  }
  return result;
}

HWND FindEditorWindow() { return FindWindowA("TZrnxSetForm", nullptr); }

// The user's text for a file's bytes, or "" when it cannot be read.
std::string Bytes(const std::string& path) { return ReadFileBytes(path).value_or(""); }

std::string ReadIni(const std::string& ini, const char* section, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
  return value;
}

// What a test starts may outlive it: the sender of an opened item, the
// uninstaller's copy of itself, and Wine's menu builder, which each link
// saved in the Start menu starts and which reads the link's program after
// the saving process has ended. While one of them holds Zrnx.exe, removing
// the install folder stops at that file and can leave Zrnx.ini behind; the
// next setup then takes itself for an upgrade and makes no menu folder.
void WaitForStragglers() {
  for (const char* name : {"Zrnx.exe", "ZrnxSet.exe", "Au_.exe", "winemenubuilder.exe"}) {
    EXPECT_TRUE(WaitUntil([&] { return !ProcessRunning(name); }, kSetupTimeout)) << name << " still runs";
  }
}

class InstallerTest : public ::testing::Test {
 protected:
  // Every test starts from a machine that never saw the program.
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    ASSERT_TRUE(Exists(SetupProgram())) << SetupProgram();
    ASSERT_TRUE(CleanUp()) << "left over: " << DefaultInstallDir() << " or " << MenuFolder();
  }
  void TearDown() override { CleanUp(); }

  // True once nothing of the program is left where a setup looks.
  static bool CleanUp() {
    WaitForStragglers();
    return WaitUntil(
        [] {
          RemoveEverything();
          return !Exists(DefaultInstallDir()) && !Exists(MenuFolder());
        },
        30000);
  }

  static void RemoveEverything() {
    RemoveTree(DefaultInstallDir());
    RemoveTree(MenuFolder());
    DeleteFileA(EditorLink().c_str());
    DeleteFileA(SendToLink("Zarnik NX.lnk").c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey.c_str());
    for (const char* key : {".zrx", "zrx_auto_file"}) {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
      RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + key).c_str());
    }
  }

  static void ExpectInstalledIn(const std::string& dir) {
    for (const char* file : {"Zrnx.exe", "ZrnxSet.exe", "Uninstall.exe", "Zrnx.ini"}) {
      EXPECT_TRUE(Exists(dir + "\\" + file)) << file;
    }
    EXPECT_EQ(ReadIni(dir + "\\Zrnx.ini", "Option", "PasteMode"), "1");
    EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, ".zrx", ""), "zrx_auto_file");
    EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, "zrx_auto_file\\shell\\open\\command", ""),
              "\"" + dir + "\\Zrnx.exe\" /p \"%1\"");
    EXPECT_TRUE(Exists(SendToLink("Zarnik NX.lnk")));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation"), dir);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "QuietUninstallString"),
              "\"" + dir + "\\Uninstall.exe\" /S");
  }
};

TEST_F(InstallerTest, SilentInstallPutsProgramsItemsShortcutAndUninstallEntryInPlace) {
  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string dir = DefaultInstallDir();
  ExpectInstalledIn(dir);

  const std::string samples = ZRNX_SAMPLES_DIR;
  for (const char* item : {"greeting.zrx", "homepage.url"}) {
    EXPECT_EQ(Bytes(MenuFolder() + "\\" + item), Bytes(samples + "\\" + item)) << item;
  }
  EXPECT_TRUE(Exists(EditorLink()));

  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayName"), "Zarnik NX");
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion"), "1.19");
  EXPECT_TRUE(RegText(HKEY_CURRENT_USER, kUninstallKey, "Publisher"));
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "DisplayIcon"), dir + "\\ZrnxSet.exe,0");
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, "UninstallString"), "\"" + dir + "\\Uninstall.exe\"");
  const std::optional<DWORD> size = RegNumber(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize");
  ASSERT_TRUE(size);
  EXPECT_GT(*size, 100u);  // kilobytes: the two programs
}

TEST_F(InstallerTest, ItemOpenedFromTheNewMenuFolderPastesIntoNotepad) {
  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string item = MenuFolder() + "\\greeting.zrx";
  ASSERT_TRUE(Exists(item));
  Notepad notepad;
  ASSERT_TRUE(notepad.ComeForward());
  // The shell's default verb, as a pick from the Start menu runs it.
  ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, item.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
            32);
  const std::string first_line = "いつもお世話になっております。\r\n本日 ";
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text().rfind(first_line, 0) == 0; }, 20000)) << notepad.Text();
  EXPECT_EQ(notepad.Text().find("%d"), std::string::npos) << "the dates are filled in: " << notepad.Text();
}

TEST_F(InstallerTest, UpgradeKeepsEditedSettingsAndEveryItem) {
  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string dir = DefaultInstallDir();
  const std::string ini = dir + "\\Zrnx.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("Option", "DateFormat0", "yy-mm-dd", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Option", "SendKey_Paste", "2", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("ThroughWindow", "ItemCount", "1", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("ThroughWindow", "ItemName0", "端末", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("ThroughWindow", "ClassName0", "ConsoleWindowClass", ini.c_str()));
  const std::string extra = MenuFolder() + "\\住所.zrx";
  const std::string edited = MenuFolder() + "\\greeting.zrx";
  HANDLE file = CreateFileA(extra.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  ASSERT_TRUE(CopyFileA((ZRNX_SAMPLES_DIR "\\memo.txt"), edited.c_str(), FALSE));

  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  ExpectInstalledIn(dir);
  EXPECT_EQ(ReadIni(ini, "Option", "DateFormat0"), "yy-mm-dd");
  EXPECT_EQ(ReadIni(ini, "Option", "SendKey_Paste"), "2");
  EXPECT_EQ(ReadIni(ini, "ThroughWindow", "ItemCount"), "1");
  EXPECT_EQ(ReadIni(ini, "ThroughWindow", "ItemName0"), "端末");
  EXPECT_EQ(ReadIni(ini, "ThroughWindow", "ClassName0"), "ConsoleWindowClass");
  EXPECT_TRUE(Exists(extra));
  EXPECT_EQ(Bytes(edited), Bytes(ZRNX_SAMPLES_DIR "\\memo.txt"));
  EXPECT_TRUE(Exists(MenuFolder() + "\\homepage.url"));
}

TEST_F(InstallerTest, SilentUninstallLeavesOnlyTheSettingsAndTheItems) {
  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string dir = DefaultInstallDir();
  // A Send To link of the older name goes too.
  ASSERT_TRUE(CopyFileA(SendToLink("Zarnik NX.lnk").c_str(), SendToLink("クリップボード.lnk").c_str(), FALSE));
  const std::string extra = MenuFolder() + "\\mine.zrx";
  ASSERT_TRUE(CopyFileA((ZRNX_SAMPLES_DIR "\\memo.txt"), extra.c_str(), FALSE));

  UninstallQuietly(dir);
  for (const char* file : {"Zrnx.exe", "ZrnxSet.exe", "Uninstall.exe"}) {
    EXPECT_FALSE(Exists(dir + "\\" + file)) << file;
  }
  EXPECT_TRUE(Exists(dir + "\\Zrnx.ini")) << "kept by a silent uninstall";
  EXPECT_FALSE(Exists(EditorLink()));
  EXPECT_FALSE(Exists(SendToLink("Zarnik NX.lnk")));
  EXPECT_FALSE(Exists(SendToLink("クリップボード.lnk")));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  for (const char* key : {".zrx", "zrx_auto_file"}) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  }
  EXPECT_TRUE(Exists(extra));
  EXPECT_TRUE(Exists(MenuFolder() + "\\greeting.zrx"));
}

TEST_F(InstallerTest, InstallFolderWithSpacesAndJapaneseWorksBothWays) {
  // "表" and "ソ" end in 0x5C, the backslash.
  const std::string dir = SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\表示 ソフト\\Zarnik NX テスト";
  RemoveTree(SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\表示 ソフト");
  ASSERT_EQ(RunSetup("/S /D=" + dir), std::optional<DWORD>(0));  // /D= comes last, unquoted
  ExpectInstalledIn(dir);
  UninstallQuietly(dir);
  EXPECT_FALSE(Exists(dir + "\\Zrnx.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zrx"));
  RemoveTree(SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\表示 ソフト");
}

// A running options editor holds its mutex; this test holds it for it.
TEST_F(InstallerTest, InstallAndUninstallRefuseWhileTheEditorRunsAndChangeNothing) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName.c_str());
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(RunSetup(), std::optional<DWORD>(2));
  EXPECT_FALSE(Exists(DefaultInstallDir()));
  EXPECT_FALSE(Exists(MenuFolder()));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zrx"));
  CloseHandle(mutex);

  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string dir = DefaultInstallDir();
  mutex = CreateMutexA(nullptr, FALSE, kMutexName.c_str());
  // In place (_?=) the uninstaller's own exit code comes back.
  Process uninstall(Quote(dir + "\\Uninstall.exe") + " /S _?=" + dir);
  EXPECT_EQ(uninstall.Wait(kSetupTimeout), std::optional<DWORD>(2));
  CloseHandle(mutex);
  ExpectInstalledIn(dir);
  EXPECT_TRUE(Exists(EditorLink()));
}

TEST_F(InstallerTest, ASettingsFileThatCannotBeWrittenFailsTheInstall) {
  // A folder where the settings file should be: no profile write succeeds.
  const std::string dir = DefaultInstallDir();
  ASSERT_EQ(SHCreateDirectoryExA(nullptr, (dir + "\\Zrnx.ini").c_str(), nullptr), ERROR_SUCCESS);
  EXPECT_EQ(RunSetup(), std::optional<DWORD>(2));
}

TEST_F(InstallerTest, ClickedThroughTheSetupOffersTheOptionsEditorAtTheEnd) {
  const ClickedThrough run = ClickThrough(Quote(SetupProgram()), IDOK);
  ASSERT_EQ(run.exit_code, std::optional<DWORD>(0));
  EXPECT_TRUE(run.boxes.empty()) << run.boxes.front();
  ExpectInstalledIn(DefaultInstallDir());
  // The finish page's ticked box starts the editor.
  ASSERT_TRUE(WaitUntil([] { return FindEditorWindow() != nullptr; }, 30000));
  PostMessageA(FindEditorWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return FindEditorWindow() == nullptr; }));
}

TEST_F(InstallerTest, ClickedThroughTheSetupSaysWhyTheSettingsCouldNotBeWritten) {
  const std::string ini = DefaultInstallDir() + "\\Zrnx.ini";
  ASSERT_EQ(SHCreateDirectoryExA(nullptr, ini.c_str(), nullptr), ERROR_SUCCESS);
  const ClickedThrough run = ClickThrough(Quote(SetupProgram()), IDOK);
  EXPECT_EQ(run.exit_code, std::optional<DWORD>(2));
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_NE(run.boxes[0].find(ini + " に書き込めません."), std::string::npos) << run.boxes[0];
  EXPECT_EQ(FindEditorWindow(), nullptr) << "no offer to open the editor after a failure";
}

TEST_F(InstallerTest, ClickedThroughTheUninstallerAsksBeforeDeletingTheSettings) {
  ASSERT_EQ(RunSetup(), std::optional<DWORD>(0));
  const std::string dir = DefaultInstallDir();
  // In place (_?=), so that the uninstaller is the process clicked through.
  const ClickedThrough run = ClickThrough(Quote(dir + "\\Uninstall.exe") + " _?=" + dir, IDYES);
  EXPECT_EQ(run.exit_code, std::optional<DWORD>(0));
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0], "設定ファイル Zrnx.ini も削除しますか？");
  EXPECT_FALSE(Exists(dir + "\\Zrnx.ini"));
  EXPECT_FALSE(Exists(dir + "\\Zrnx.exe"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zrx"));
  EXPECT_TRUE(Exists(MenuFolder() + "\\greeting.zrx"));
}

}  // namespace
}  // namespace zrnx::test
