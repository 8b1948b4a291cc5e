// The shell integration on Wine's real registry, Send To folder and shell:
// what an apply leaves behind, read back through the registry and the shell
// link object, and the verbs run by ShellExecuteEx into Notepad. Runs with
// code page 932, so Shift-JIS paths reach the registry and the shell.

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <iostream>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "components/shell_shortcut.h"
#include "options/shell_integration_win.h"
#include "options/shell_ports_win.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

// "表" and "ソ" end in 0x5C, the backslash.
const std::string kFolder = "表示ソフト 1";

std::optional<std::string> ReadValue(HKEY root, const std::string& key, const std::string& name) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

bool KeyExists(HKEY root, const std::string& key) {
  ScopedRegKey handle;
  return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}

void SetValue(HKEY root, const std::string& key, const std::string& data) {
  ScopedRegKey handle;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.Put(), nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(handle.Get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
}

std::string SendToFolder() {
  char path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_SENDTO, nullptr, 0, path), S_OK);
  return path;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Runs a verb of an item as the shell does for a double click (verb
// nullptr) or a context menu choice, and waits for the process it started.
std::optional<DWORD> RunVerb(const char* verb, const std::string& file) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = verb;
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info) || !info.hProcess) {
    ADD_FAILURE() << "ShellExecuteEx " << file << ": " << GetLastError() << " " << info.hInstApp;
    return std::nullopt;
  }
  ScopedHandle process(info.hProcess);
  if (!WaitUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; })) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}


class ShellIntegrationWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u);
    CreateDirectoryA(sandbox_.PathOf(kFolder).c_str(), nullptr);
    sender_ = sandbox_.Copy("Zrnx.exe", kFolder + "\\Zrnx.exe");
    shortcut_.SetShortCutName("\\Zarnik NX.lnk");
    shortcut_.SetDescription("Zarnik NX");
    shortcut_.SetSCDirectoryType(scSendto);
    choices_.associate = true;
    choices_.send_to = true;
    choices_.editor = sandbox_.PathOf(kFolder + "\\エディタ.exe");
    choices_.item_sender_path = DataText(sender_);
  }
  void TearDown() override {
    // The registry and Send To folder outlive each test: leave them clean.
    ShellChoices off;
    off.item_sender_path = DataText(sender_);
    shell_->ApplyShellIntegration(off);
  }

  ComApartment com_;
  Sandbox sandbox_;
  std::string sender_;
  TShellShortCut shortcut_{nullptr};
  std::unique_ptr<ShellIntegration> shell_ = MakeWin32ShellIntegration(nullptr, shortcut_);
  ShellChoices choices_;
  const std::string link_ = SendToFolder() + "\\Zarnik NX.lnk";
  const std::string legacy_link_ = SendToFolder() + "\\クリップボード.lnk";
};

TEST_F(ShellIntegrationWineTest, ApplyWritesTheTreeAndTheLinkAndRemovalTakesThemAway) {
  shell_->ApplyShellIntegration(choices_);
  const std::string p = "\"" + sender_ + "\" /p \"%1\"", c = "\"" + sender_ + "\" /c \"%1\"";
  HKEY cr = HKEY_CLASSES_ROOT;
  EXPECT_EQ(ReadValue(cr, ".zrx", ""), "zrx_auto_file");
  EXPECT_EQ(ReadValue(cr, ".zrx\\ShellNew", "NullFile"), "");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file", ""), "Zarnik NX ファイル");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file", "NeverShowExt"), "");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\DefaultIcon", ""), sender_ + ",1");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open", ""), "貼り付け(&P)");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open\\command", ""), p);
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open2", ""), "クリップボードへ送る(&N)");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open2\\command", ""), c);
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\Edit", ""), "編集(&E)");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\Edit\\command", ""), "\"" + choices_.editor + "\" \"%1\"");
  // Where Wine puts what a program writes under HKEY_CLASSES_ROOT.
  bool machine = KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\zrx_auto_file\\shell\\open\\command");
  bool user = KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\zrx_auto_file\\shell\\open\\command");
  std::cout << "HKCR writes landed in: " << (machine ? "HKLM\\Software\\Classes " : "")
            << (user ? "HKCU\\Software\\Classes" : "") << "\n";
  EXPECT_TRUE(machine || user);
  auto link = ReadShellLink(link_);
  ASSERT_TRUE(link) << link_;
  EXPECT_STRCASEEQ(link->target.c_str(), sender_.c_str());
  EXPECT_EQ(link->work_dir, sandbox_.PathOf(kFolder));
  EXPECT_EQ(shell_->DetectShellState(DataText(sender_)).association, true);
  EXPECT_EQ(shell_->DetectShellState(DataText(sender_)).send_to, true);

  // New unticked, paste by default off: ShellNew goes, the verbs swap.
  choices_.new_menu = false;
  choices_.paste_mode = false;
  shell_->ApplyShellIntegration(choices_);
  EXPECT_FALSE(KeyExists(cr, ".zrx\\ShellNew"));
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open", ""), "クリップボードへ送る(&N)");
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open\\command", ""), c);
  EXPECT_EQ(ReadValue(cr, "zrx_auto_file\\shell\\open2\\command", ""), p);

  choices_.associate = false;
  choices_.send_to = false;
  choices_.new_menu = true;
  shell_->ApplyShellIntegration(choices_);
  shell_->ApplyShellIntegration(choices_);  // nothing left: still no error
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::string prefix = root == HKEY_CLASSES_ROOT ? "" : "Software\\Classes\\";
    EXPECT_FALSE(KeyExists(root, prefix + ".zrx")) << prefix;
    EXPECT_FALSE(KeyExists(root, prefix + "zrx_auto_file")) << prefix;
  }
  EXPECT_FALSE(IsFile(link_));
  ShellState state = shell_->DetectShellState(DataText(sender_));
  EXPECT_FALSE(state.association);
  EXPECT_FALSE(state.send_to);
}

// A command another tool stored as REG_EXPAND_SZ names this copy once its
// environment strings are expanded, as the shell expands them.
TEST_F(ShellIntegrationWineTest, AnExpandableCommandIsComparedExpanded) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"ZRNX_TEST_HOME", DataText(sandbox_.PathOf(kFolder)).c_str()));
  SetValue(HKEY_CLASSES_ROOT, ".zrx", "zrx_auto_file");
  ScopedRegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"zrx_auto_file\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, key.Put(), nullptr),
            ERROR_SUCCESS);
  const std::wstring command = L"\"%ZRNX_TEST_HOME%\\Zrnx.exe\" /p \"%1\"";
  ASSERT_EQ(RegSetValueExW(key.Get(), L"", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  key.Reset();
  EXPECT_TRUE(shell_->DetectShellState(DataText(sender_)).association);
  EXPECT_FALSE(shell_->DetectShellState(DataText(sandbox_.PathOf("Zrnx.exe"))).association);
}

TEST_F(ShellIntegrationWineTest, ForeignAssociationAndUserOnlyTreeAndLegacyLink) {
  // Another program's .zrx is not ours to show ticked; ticked, it is taken over.
  SetValue(HKEY_CLASSES_ROOT, ".zrx", "txtfile");
  EXPECT_FALSE(shell_->DetectShellState(DataText(sender_)).association);
  shell_->ApplyShellIntegration(choices_);
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".zrx", ""), "zrx_auto_file");
  EXPECT_TRUE(shell_->DetectShellState(DataText(sender_)).association);

  // A tree in the user's own classes only (left by a user who was not
  // elevated) whose command names nothing that exists is removed.
  choices_.associate = false;
  shell_->ApplyShellIntegration(choices_);
  SetValue(HKEY_CURRENT_USER, "Software\\Classes\\.zrx", "zrx_auto_file");
  SetValue(HKEY_CURRENT_USER, "Software\\Classes\\zrx_auto_file\\shell\\open\\command", "x");
  EXPECT_FALSE(shell_->DetectShellState(DataText(sender_)).association);
  shell_->ApplyShellIntegration(choices_);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\.zrx"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\zrx_auto_file"));
  EXPECT_FALSE(shell_->DetectShellState(DataText(sender_)).association);

  // The old link name alone counts; Send To ticked adds ours beside it,
  // unticked removes both.
  choices_.send_to = false;
  shell_->ApplyShellIntegration(choices_);
  ASSERT_FALSE(IsFile(link_));
  TShellShortCut legacy(nullptr);
  legacy.SetShortCutName("\\クリップボード.lnk");
  legacy.SetSCDirectoryType(scSendto);
  legacy.SetLinkPath(sender_);
  legacy.MakeShortCut();
  ASSERT_TRUE(IsFile(legacy_link_));
  EXPECT_TRUE(shell_->DetectShellState(DataText(sender_)).send_to);
  EXPECT_FALSE(shell_->DetectShellState(DataText(sandbox_.PathOf("Zrnx.exe"))).send_to) << "another copy's link";
  choices_.send_to = true;
  shell_->ApplyShellIntegration(choices_);
  EXPECT_TRUE(IsFile(link_));
  EXPECT_TRUE(IsFile(legacy_link_));
  choices_.send_to = false;
  shell_->ApplyShellIntegration(choices_);
  EXPECT_FALSE(IsFile(link_));
  EXPECT_FALSE(IsFile(legacy_link_));
  EXPECT_FALSE(shell_->DetectShellState(DataText(sender_)).send_to);
}

TEST_F(ShellIntegrationWineTest, VerbsRunTheSenderFromAShiftJisFolder) {
  const std::string text = "ソ表の項目\r\n";
  CreateDirectoryA(sandbox_.PathOf("項目 表").c_str(), nullptr);
  const std::string item = sandbox_.WriteFile("項目 表\\挨拶.zrx", text);
  Notepad notepad;
  for (bool paste_mode : {true, false}) {
    SCOPED_TRACE(paste_mode);
    choices_.paste_mode = paste_mode;
    shell_->ApplyShellIntegration(choices_);
    for (const char* verb : {static_cast<const char*>(nullptr), "open2"}) {
      const bool pastes = (verb == nullptr) == paste_mode;
      SCOPED_TRACE(verb ? verb : "default");
      notepad.Clear();
      SetClipboardText("before");
      ASSERT_TRUE(notepad.ComeForward());
      EXPECT_EQ(RunVerb(verb, item), std::optional<DWORD>(0));
      EXPECT_EQ(ReadClipboardText(), text);
      if (pastes) {
        EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == text; }, 5000))
            << notepad.Text() << " front: " << ClassOf(GetForegroundWindow());
      } else {
        PumpMessages(300);
        EXPECT_EQ(notepad.Text(), "");
      }
    }
  }
  // The Send To link starts the sender with the chosen file: clipboard only.
  // (Wine opens a link through a process of its own, so there is no
  // process to wait for: the clipboard tells.)
  notepad.Clear();
  SetClipboardText("before");
  const std::string any = sandbox_.WriteFile("any file.txt", "plain ソ\r\n");
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpFile = link_.c_str();
  const std::string parameters = Quote(any);
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExA(&info));
  EXPECT_TRUE(WaitUntil([] { return ReadClipboardText() == "plain ソ\r\n"; }, 30000))
      << ReadClipboardText().value_or("<no text>");
  EXPECT_TRUE(WaitUntil([] { return !ProcessRunning("Zrnx.exe"); }));
  EXPECT_EQ(notepad.Text(), "");
}

// The real registry as a user who is not elevated sees it: Wine runs every
// program with full rights, so the machine-wide refusal is played here.
class NotElevated : public RegistryPort {
 public:
  RegStatus CreateKey(RegistryRoot root, const std::string& key) override {
    return root == RegistryRoot::kClasses ? RegStatus::kAccessDenied : real_->CreateKey(root, key);
  }
  RegStatus SetValue(RegistryRoot root, const std::string& key, const std::string& name, const std::string& data,
                     const std::optional<std::wstring>& path) override {
    return root == RegistryRoot::kClasses ? RegStatus::kAccessDenied : real_->SetValue(root, key, name, data, path);
  }
  // Keys an elevated run wrote machine-wide cannot be deleted either.
  void DeleteTree(RegistryRoot root, const std::string& key) override {
    if (root != RegistryRoot::kClasses) real_->DeleteTree(root, key);
  }
  bool KeyExists(RegistryRoot root, const std::string& key) override { return real_->KeyExists(root, key); }
  std::optional<std::wstring> ReadValue(RegistryRoot root, const std::string& key, const std::string& name) override {
    return real_->ReadValue(root, key, name);
  }

 private:
  std::unique_ptr<RegistryPort> real_ = MakeWin32Registry();
};

TEST_F(ShellIntegrationWineTest, RefusedMachineWideTheTreeGoesToTheUsersClassesAndComesOutAgain) {
  NotElevated registry;
  std::unique_ptr<ShellFolders> folders = MakeWin32ShellFolders(nullptr);
  PortedShellIntegration shell(registry, *folders, shortcut_);
  shell.ApplyShellIntegration(choices_);
  const std::string user = "Software\\Classes\\";
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, user + ".zrx", ""), "zrx_auto_file");
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, user + "zrx_auto_file\\shell\\open\\command", ""),
            "\"" + sender_ + "\" /p \"%1\"");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, user + ".zrx"));
  EXPECT_TRUE(shell.DetectShellState(DataText(sender_)).association);
  // Windows merges the user's classes into HKEY_CLASSES_ROOT; this Wine
  // does not, so its shell would not see them. Noted, not asserted.
  std::cout << "HKCR shows the user's classes: " << (KeyExists(HKEY_CLASSES_ROOT, ".zrx") ? "yes" : "no") << "\n";

  choices_.associate = false;
  shell.ApplyShellIntegration(choices_);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, user + ".zrx"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, user + "zrx_auto_file"));

  // A tree an elevated run wrote machine-wide: this user's untick cannot
  // take it away and says so, after the Send To link went.
  choices_.associate = true;
  shell_->ApplyShellIntegration(choices_);
  choices_.associate = false;
  choices_.send_to = false;
  std::string text = "<no error>";
  try {
    shell.ApplyShellIntegration(choices_);
  } catch (const Error& e) {
    text = e.what();
  }
  EXPECT_EQ(text, "ｷｰ .zrx の削除に失敗しました");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ".zrx"));
  EXPECT_FALSE(IsFile(link_));
}

}  // namespace
}  // namespace zrnx::test
