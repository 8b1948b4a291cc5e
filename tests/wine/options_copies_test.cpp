// The real ZrnxSet.exe where users meet it: a settings file it cannot write
// leaves the registry and Send To alone; a second copy in another folder
// keeps its association whatever the first copy shows or removes; a pasted
// quoted editor path.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "common/scoped_win.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

std::optional<std::string> ClassText(const std::string& key) {
  char data[2048] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), "", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

std::string SendToLink() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, path);
  return std::string(path) + "\\Zarnik NX.lnk";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::wstring> ClassWideText(const std::wstring& key) {
  wchar_t data[2048] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

// The program a link starts, read from its item list: Wine keeps the link's
// path only in the code page, the item list holds every name whole.
std::optional<std::wstring> LinkItemPath(const std::wstring& link_path) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.Put()))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) ||
      FAILED(file->Load(link_path.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  PIDLIST_ABSOLUTE list = nullptr;
  if (link->GetIDList(&list) != S_OK || !list) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!found) return std::nullopt;
  return std::wstring(path);
}

std::optional<DWORD> RunSwitch(const std::string& editor, const char* which) {
  Process run(Quote(editor) + " " + which);
  return run.Wait();
}

std::optional<DWORD> RunSwitch(const std::wstring& editor, const wchar_t* which) {
  Process run(L"\"" + editor + L"\" " + which);
  return run.Wait();
}

BOOL CALLBACK FindSendToBox(HWND child, LPARAM param) {
  if (GetDlgCtrlID(child) == SendTo) *reinterpret_cast<HWND*>(param) = child;
  return TRUE;
}

class OptionsCopiesTest : public OptionsEditorTest {
 protected:
  void TearDown() override {
    // Each copy takes away what is its own.
    for (const std::string& editor : editors_) RunSwitch(editor, "/remove");
    for (const std::wstring& editor : wide_editors_) RunSwitch(editor, L"/remove");
  }
  // Copies both programs into a folder of the sandbox; the editor's path.
  std::string Install(const std::string& folder) {
    CreateDirectoryA(sandbox_.PathOf(folder).c_str(), nullptr);
    sandbox_.Copy("Zrnx.exe", folder + "\\Zrnx.exe");
    editors_.push_back(sandbox_.Copy("ZrnxSet.exe", folder + "\\ZrnxSet.exe"));
    return editors_.back();
  }
  // The same into a folder whose name the code page cannot hold; its Zrnx.exe.
  std::wstring InstallWide(const std::wstring& folder) {
    const std::wstring dir = WideOf(sandbox_.Dir()) + L"\\" + folder;
    CreateDirectoryW(dir.c_str(), nullptr);
    for (const wchar_t* program : {L"Zrnx.exe", L"ZrnxSet.exe"}) {
      EXPECT_TRUE(CopyFileW((WideOf(BuildDir()) + L"\\" + program).c_str(), (dir + L"\\" + program).c_str(), FALSE));
    }
    wide_editors_.push_back(dir + L"\\ZrnxSet.exe");
    return dir + L"\\Zrnx.exe";
  }
  std::vector<std::string> editors_;
  std::vector<std::wstring> wide_editors_;
  ComApartment com_;  // for reading the Send To link
};

// However the save is asked for, a settings file that cannot be written
// means the file type and the Send To link are not touched.
TEST_F(OptionsCopiesTest, AnUnwritableSettingsFileLeavesTheShellUntouched) {
  const std::string ini = sandbox_.PathOf("Zrnx.ini");
  editors_.push_back(sandbox_.Copy("ZrnxSet.exe"));
  sandbox_.Copy("Zrnx.exe");
  ASSERT_FALSE(ClassText(".zrx").has_value()) << "a clean registry to start from";
  struct Way {
    const char* name;
    std::function<void()> run;
  };
  const Way ways[] = {
      {"OK with a locked file",
       [&] {
         sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");
         ScopedFile lock(CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
         ASSERT_TRUE(lock.Valid());
         auto e = Start();
         ASSERT_TRUE(e->SetChecked(Kanren, true));
         ASSERT_TRUE(e->SetChecked(SendTo, true));
         e->Click(Button1);
         std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", e->Id(), IDOK);
         ASSERT_TRUE(box.has_value()) << "no error box";
         EXPECT_EQ(box->text, ini + " に書き込めません.");
         EXPECT_TRUE(WaitUntil([&] { return e->WindowVisible(); }, 5000)) << "the window did not come back";
         EXPECT_TRUE(e->Checked(Kanren));
         e->Click(Button2);
         ExpectEndsQuietly(*e);
         EXPECT_EQ(Ini(), "[Option]\r\n");
         lock.Reset();
         DeleteFileA(ini.c_str());
       }},
      {"first-run Cancel with a folder in the file's place",
       [&] {
         ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
         auto e = Start();
         EXPECT_TRUE(e->Checked(Kanren));
         e->Click(Button2);
         std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", e->Id(), IDOK);
         ASSERT_TRUE(box.has_value()) << "no error box";
         EXPECT_EQ(box->text, ini + " に書き込めません.");
         EXPECT_TRUE(e->Wait().has_value()) << "still running after the error";
       }},
      {"/apply with a folder in the file's place",
       [&] { EXPECT_EQ(RunSwitch(editors_[0], "/apply"), std::optional<DWORD>(1)); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    way.run();
    EXPECT_FALSE(ClassText(".zrx").has_value());
    EXPECT_FALSE(ClassText("zrx_auto_file\\shell\\open\\command").has_value());
    EXPECT_FALSE(Exists(SendToLink()));
  }
}

// Two copies: the association and the link are the last installed copy's.
// The first copy shows them unticked, and its /remove leaves them.
TEST_F(OptionsCopiesTest, ASecondCopysAssociationIsNeitherShownNorRemovedByTheFirst) {
  const std::string first = Install("first");
  const std::string second = Install("second copy");
  ASSERT_EQ(RunSwitch(first, "/apply"), std::optional<DWORD>(0));
  ASSERT_EQ(RunSwitch(second, "/apply"), std::optional<DWORD>(0));
  const std::string second_open = "\"" + sandbox_.PathOf("second copy\\Zrnx.exe") + "\" /p \"%1\"";
  ASSERT_EQ(ClassText("zrx_auto_file\\shell\\open\\command"), second_open);

  // The first copy's window: both boxes unticked, Cancel writes nothing.
  Process editor(Quote(first), sandbox_.PathOf("first"));
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = OptionsEditor::FindWindowOf(editor.Id(), OptionsEditor::kClass, true)); }));
  EXPECT_EQ(SendMessageW(GetDlgItem(window, Kanren), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  PumpMessages(200);
  HWND send_to = nullptr;
  EnumChildWindows(window, FindSendToBox, reinterpret_cast<LPARAM>(&send_to));
  ASSERT_NE(send_to, nullptr);
  EXPECT_EQ(SendMessageW(send_to, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  PostMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_EQ(editor.Wait(), std::optional<DWORD>(0));

  // The first copy's /remove leaves the second copy's entries.
  EXPECT_EQ(RunSwitch(first, "/remove"), std::optional<DWORD>(0));
  EXPECT_EQ(ClassText("zrx_auto_file\\shell\\open\\command"), second_open);
  EXPECT_EQ(ClassText(".zrx"), "zrx_auto_file");
  ASSERT_TRUE(Exists(SendToLink()));
  auto link = ReadShellLink(SendToLink());
  ASSERT_TRUE(link.has_value());
  EXPECT_STRCASEEQ(link->target.c_str(), sandbox_.PathOf("second copy\\Zrnx.exe").c_str());

  // Once the second copy is gone, the first copy's /remove takes its leftovers.
  DeleteFileA(sandbox_.PathOf("second copy\\Zrnx.exe").c_str());
  EXPECT_EQ(RunSwitch(first, "/remove"), std::optional<DWORD>(0));
  EXPECT_FALSE(ClassText(".zrx").has_value());
  EXPECT_FALSE(Exists(SendToLink()));
}

// Two copies in folders named beyond the code page: read through the
// narrow calls both would be "...\\??\\Zrnx.exe" and each would take the
// other's entries for its own.
TEST_F(OptionsCopiesTest, CopiesInFoldersTheCodePageCannotNameKeepEachOthersEntries) {
  const std::wstring first = InstallWide(L"도구"), second = InstallWide(L"공구");
  const std::wstring first_editor = wide_editors_[0], second_editor = wide_editors_[1];
  const std::wstring second_open = L"\"" + second + L"\" /p \"%1\"";
  ASSERT_EQ(RunSwitch(first_editor, L"/apply"), std::optional<DWORD>(0));
  ASSERT_EQ(RunSwitch(second_editor, L"/apply"), std::optional<DWORD>(0));
  ASSERT_EQ(ClassWideText(L"zrx_auto_file\\shell\\open\\command"), second_open);

  // The first copy's /remove leaves the second copy's association and link.
  EXPECT_EQ(RunSwitch(first_editor, L"/remove"), std::optional<DWORD>(0));
  EXPECT_EQ(ClassWideText(L"zrx_auto_file\\shell\\open\\command"), second_open);
  EXPECT_EQ(LinkItemPath(WideOf(SendToLink())), std::optional<std::wstring>(second))
      << "the second copy's Send To link is gone";

  // Its own /remove takes them.
  EXPECT_EQ(RunSwitch(second_editor, L"/remove"), std::optional<DWORD>(0));
  EXPECT_FALSE(ClassWideText(L".zrx").has_value());
  EXPECT_FALSE(Exists(SendToLink()));
}

// Explorer's "copy as path" quotes: the picker still opens on the file, and
// the path is saved bare, quoted once in the Edit verb.
TEST_F(OptionsCopiesTest, AQuotedEditorPathOpensThePickerAndIsSavedBare) {
  const std::string editor_path = sandbox_.WriteFile("my editor.exe", "");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nPasteMode=1\r\n");
  editors_.push_back(sandbox_.PathOf("ZrnxSet.exe"));
  auto e = Start();
  ASSERT_TRUE(e->TypeData(Edit1, "\"" + editor_path + "\""));
  e->Click(Button3);
  HWND dialog = e->WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  HWND name = OptionsEditor::FileNameBox(dialog);
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowTextCp932(name) == "my editor.exe"; }, 3000)) << WindowTextCp932(name);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  ASSERT_TRUE(e->SetChecked(Kanren, true));
  e->Click(Button1);
  // Ticking the association asks about the restart.
  ASSERT_TRUE(AnswerMessageBox("Zarnik NX", e->Id(), IDCANCEL).has_value());
  EXPECT_EQ(e->Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(Option("Editor"), editor_path);
  EXPECT_EQ(ClassText("zrx_auto_file\\shell\\Edit\\command"), "\"" + editor_path + "\" \"%1\"");
}

}  // namespace
}  // namespace zrnx::test
