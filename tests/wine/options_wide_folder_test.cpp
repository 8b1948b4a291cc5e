// The programs in a folder whose name the system code page cannot hold:
// ZrnxSet.exe /apply writes the verbs, the icon and the Send To link with
// that folder as it is, the settings file lands beside it, and an item
// opened through its verb is sent by the Zrnx.exe there.

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "common/scoped_win.h"
#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

std::optional<std::wstring> ClassText(const std::wstring& key) {
  wchar_t data[2048] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

std::wstring SendToLink() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, path);
  return std::wstring(path) + L"\\Zarnik NX.lnk";
}

std::string DataBytesOf(const std::wstring& path) {
  char narrow[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
  return narrow;
}

std::optional<DWORD> RunWide(const std::wstring& command_line) {
  Process run(command_line);
  return run.Wait();
}

class OptionsWideFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    // An emoji and Korean: outside code page 932 and 1252 alike.
    folder_ = WideOf(sandbox_.Dir()) + L"\\\U0001F600 메모";
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    for (const wchar_t* program : {L"Zrnx.exe", L"ZrnxSet.exe"}) {
      const std::wstring from = WideOf(BuildDir()) + L"\\" + program;
      ASSERT_TRUE(CopyFileW(from.c_str(), (folder_ + L"\\" + program).c_str(), FALSE));
    }
    sender_ = folder_ + L"\\Zrnx.exe";
    editor_ = L"\"" + folder_ + L"\\ZrnxSet.exe\"";
  }
  void TearDown() override {
    RunWide(editor_ + L" /remove");
    CoUninitialize();
  }

  Sandbox sandbox_;
  std::wstring folder_, sender_, editor_;
};

TEST_F(OptionsWideFolderTest, ApplyWritesTheFolderAsItIsAndTheVerbsSendFromThere) {
  ASSERT_EQ(RunWide(editor_ + L" /apply"), std::optional<DWORD>(0));

  const std::wstring quoted = L"\"" + sender_ + L"\"";
  EXPECT_EQ(ClassText(L"zrx_auto_file\\shell\\open\\command"), quoted + L" /p \"%1\"");
  EXPECT_EQ(ClassText(L"zrx_auto_file\\shell\\open2\\command"), quoted + L" /c \"%1\"");
  EXPECT_EQ(ClassText(L"zrx_auto_file\\DefaultIcon"), sender_ + L",1");
  // The rest as the narrow calls would have written it.
  EXPECT_EQ(ClassText(L"zrx_auto_file\\shell\\Edit"), std::optional<std::wstring>(L"編集(&E)"));

  const std::optional<WideLinkSeen> link = ReadWideShellLink(SendToLink());
  ASSERT_TRUE(link.has_value());
  EXPECT_EQ(link->work_dir, folder_);
  // Wine reads the target back from the link's narrow location block only,
  // so the folder is checked in the item list, which keeps its wide name.
  const std::wstring name = L"\U0001F600 메모";
  const std::string utf16(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t));
  const std::optional<std::string> bytes = ReadFileBytes(DataBytesOf(SendToLink()));
  ASSERT_TRUE(bytes.has_value());
  EXPECT_NE(bytes->find(utf16), std::string::npos);
  std::wcout << L"note: the link's target reads back as " << link->target.size() << L" units\n";

  // The settings file beside the programs, in the code page.
  const std::wstring ini = folder_ + L"\\Zrnx.ini";
  ASSERT_NE(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(WritePrivateProfileStringW(L"Option", L"DateFormat9", L"'from the folder'.", ini.c_str()));

  // The copy verb, as the shell runs it: the Zrnx.exe in that folder sends the item.
  const std::wstring item = WideOf(sandbox_.Dir()) + L"\\メモ.zrx";
  ASSERT_TRUE(WriteWideFile(item, "%d9%"));
  SetClipboardText("before");
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open2";
  info.lpFile = item.c_str();
  info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExW(&info)) << GetLastError();
  ScopedHandle process(info.hProcess);
  EXPECT_TRUE(WaitUntil([&] { return ReadClipboardText() == "from the folder."; }))
      << ReadClipboardText().value_or("<no text>");
  if (process) WaitForSingleObject(process.Get(), kDefaultTimeout);
}

// A menu folder typed with Korean in it cannot go into Zrnx.ini: OK names
// the field, writes nothing, and the window comes back.
TEST(OptionsValueBeyondCodePageTest, IsRefusedNamingTheFieldAndNothingIsWritten) {
  Sandbox sandbox;
  const std::string ini = "[Option]\r\nData=C:\\old\r\n";
  sandbox.WriteFile("Zrnx.ini", ini);
  OptionsEditor e(sandbox);
  ASSERT_TRUE(e.WaitForWindow());
  ASSERT_TRUE(SendMessageW(e.Require(ctl::Edit2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\\xBA54\xBAA8")));
  e.Click(ctl::Button1);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", e.Id(), IDOK);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->wide_text.rfind(L"「メニューフォルダ」に、", 0), 0u);
  EXPECT_EQ(ReadFileBytes(sandbox.PathOf("Zrnx.ini")), std::optional<std::string>(ini));
  EXPECT_TRUE(WaitUntil([&] { return e.WindowVisible(); }));
  e.Click(ctl::Button2);
  EXPECT_EQ(e.Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(ReadFileBytes(sandbox.PathOf("Zrnx.ini")), std::optional<std::string>(ini));
}

}  // namespace
}  // namespace zrnx::test
