// ZrnxSet.exe /apply and /remove in a folder of their own: exit codes, what
// lands in the settings file, the registry and Send To, and the text on
// the error stream when something stops them.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

struct Outcome {
  std::optional<DWORD> exit_code;
  std::string error_stream;
};

// Runs the command with its error stream on a pipe, as the setup program does.
Outcome RunCapturingErrors(const std::string& command_line) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return {};
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION info{};
  std::string line = command_line;
  const BOOL started =
      CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
  CloseHandle(write_end);
  Outcome run;
  if (started) {
    char buffer[512];
    DWORD n = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &n, nullptr) && n > 0) run.error_stream.append(buffer, n);
    if (WaitForSingleObject(info.hProcess, kDefaultTimeout) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(info.hProcess, &code);
      run.exit_code = code;
    } else {
      TerminateProcess(info.hProcess, 99);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  CloseHandle(read_end);
  return run;
}

std::string SendToLink(const char* name) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, path);
  return std::string(path) + "\\" + name;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ClassKeyExists(const char* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::optional<std::string> ClassText(const char* key) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key, "", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

std::string ReadIni(const std::string& ini, const char* section, const char* key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
  return value;
}

const std::string kEditorRunning =
    "Zarnik NX のオプションが実行中です。オプションを閉じてから、もう一度実行してください。\r\n";

class SetupSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sender_ = sandbox_.Copy("Zrnx.exe");
    editor_ = sandbox_.Copy("ZrnxSet.exe");
    ini_ = sandbox_.PathOf("Zrnx.ini");
  }
  void TearDown() override {
    RunCapturingErrors(Quote(editor_) + " /remove");
  }
  Outcome Editor(const std::string& args) { return RunCapturingErrors(Quote(editor_) + " " + args); }

  Sandbox sandbox_;
  std::string sender_, editor_, ini_;
};

TEST_F(SetupSwitchTest, ApplyOnAFirstRunRegistersEverythingAndSavesTheDefaults) {
  const Outcome run = Editor("/apply");
  EXPECT_EQ(run.exit_code, std::optional<DWORD>(0));
  EXPECT_EQ(run.error_stream, "");
  EXPECT_EQ(ReadIni(ini_, "Option", "PasteMode"), "1");
  EXPECT_EQ(ReadIni(ini_, "Option", "DateFormat0"), "yyyy/mm/dd");
  EXPECT_EQ(ReadIni(ini_, "Option", "SendKey_Paste"), "0");
  // As a first run of the window: Explorer's folder windows are passed over.
  EXPECT_EQ(ReadIni(ini_, "ThroughWindow", "ItemCount"), "1");
  EXPECT_EQ(ReadIni(ini_, "ThroughWindow", "ItemName0"), "エクスプローラ");
  EXPECT_EQ(ReadIni(ini_, "ThroughWindow", "ClassName0"), "CabinetWClass");
  EXPECT_EQ(ClassText(".zrx"), "zrx_auto_file");
  EXPECT_EQ(ClassText("zrx_auto_file\\shell\\open\\command"), "\"" + sender_ + "\" /p \"%1\"");
  EXPECT_TRUE(Exists(SendToLink("Zarnik NX.lnk")));
  // No window and no restart question were left behind.
  EXPECT_EQ(FindWindowA("TZrnxSetForm", nullptr), nullptr);
}

TEST_F(SetupSwitchTest, ApplyOverEditedSettingsKeepsThemAndRemoveTakesTheIntegrationAway) {
  ASSERT_TRUE(WritePrivateProfileStringA("Option", "PasteMode", "0", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Option", "DateFormat0", "yy-mm-dd", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("ThroughWindow", "ItemCount", "1", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("ThroughWindow", "ClassName0", "ConsoleWindowClass", ini_.c_str()));
  ASSERT_EQ(Editor("/APPLY").exit_code, std::optional<DWORD>(0));
  EXPECT_EQ(ReadIni(ini_, "Option", "PasteMode"), "0");
  EXPECT_EQ(ReadIni(ini_, "Option", "DateFormat0"), "yy-mm-dd");
  EXPECT_EQ(ReadIni(ini_, "ThroughWindow", "ClassName0"), "ConsoleWindowClass");
  EXPECT_EQ(ClassText("zrx_auto_file\\shell\\open\\command"), "\"" + sender_ + "\" /c \"%1\"");

  ASSERT_TRUE(CopyFileA(sender_.c_str(), SendToLink("クリップボード.lnk").c_str(), FALSE));
  const std::string before = ReadFileBytes(ini_).value_or("");
  for (int i = 0; i < 2; ++i) {  // the second time there is nothing left to remove
    const Outcome run = Editor("/remove");
    EXPECT_EQ(run.exit_code, std::optional<DWORD>(0)) << i;
    EXPECT_EQ(run.error_stream, "") << i;
    EXPECT_FALSE(ClassKeyExists(".zrx"));
    EXPECT_FALSE(ClassKeyExists("zrx_auto_file"));
    EXPECT_FALSE(Exists(SendToLink("Zarnik NX.lnk")));
    EXPECT_FALSE(Exists(SendToLink("クリップボード.lnk")));
  }
  EXPECT_EQ(ReadFileBytes(ini_), before) << "the settings are not touched";
}

TEST_F(SetupSwitchTest, ASettingsFileThatCannotBeWrittenEndsApplyWithItsTextOnTheErrorStream) {
  ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));  // no profile write can succeed
  const Outcome run = Editor("/apply");
  EXPECT_EQ(run.exit_code, std::optional<DWORD>(1));
  EXPECT_EQ(run.error_stream, ini_ + " に書き込めません.\r\n");
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << "no box";
}

TEST_F(SetupSwitchTest, BothSwitchesRefuseWhileAnotherEditorRuns) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Zarnik_NX_Option");
  ASSERT_NE(mutex, nullptr);
  for (const char* which : {"/apply", "/remove"}) {
    const Outcome run = Editor(which);
    EXPECT_EQ(run.exit_code, std::optional<DWORD>(2)) << which;
    EXPECT_EQ(run.error_stream, kEditorRunning) << which;
  }
  CloseHandle(mutex);
  EXPECT_FALSE(Exists(ini_));
  EXPECT_FALSE(ClassKeyExists(".zrx"));
}

TEST_F(SetupSwitchTest, AnyOtherCommandLineOpensTheWindow) {
  Process editor(Quote(editor_) + " /apply extra");
  EXPECT_TRUE(WaitUntil([] { return FindWindowA("TZrnxSetForm", nullptr) != nullptr; }));
  EXPECT_FALSE(editor.Wait(0));
}

}  // namespace
}  // namespace zrnx::test
