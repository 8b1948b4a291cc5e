// TShellShortCut against the real shell: links written into the user's
// special folders and read back through the shell link object. Runs with
// code page 932, so Shift-JIS names reach the shell as Japanese names.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/scoped_win.h"
#include "components/shell_shortcut.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

std::string FolderOf(int csidl) {
  char path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path), S_OK) << csidl;
  return path;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ShellShortCutWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = sandbox_.WriteFile("Zrnx.exe", "MZ");
    link_.SetLinkPath(target_);
    link_.SetWorksDir(sandbox_.Dir());
    link_.SetDescription("Zarnik NX");
  }

  ComApartment com_;
  Sandbox sandbox_;
  std::string target_;
  TShellShortCut link_{nullptr};
};

TEST_F(ShellShortCutWineTest, SendToLinkIsWrittenAndReplaced) {
  const std::string file = FolderOf(CSIDL_SENDTO) + "\\Zarnik NX.lnk";
  link_.SetSCDirectoryType(scSendto);
  link_.SetShortCutName("\\Zarnik NX.lnk");
  ASSERT_TRUE(link_.MakeShortCut());
  std::optional<LinkSeen> seen = ReadShellLink(file);
  ASSERT_TRUE(seen) << file;
  EXPECT_STRCASEEQ(seen->target.c_str(), target_.c_str());
  EXPECT_EQ(seen->work_dir, sandbox_.Dir());
  EXPECT_EQ(seen->description, "Zarnik NX");

  // A second call replaces the link, empty values included.
  link_.SetDescription("");
  link_.SetWorksDir("");
  ASSERT_TRUE(link_.MakeShortCut());
  seen = ReadShellLink(file);
  ASSERT_TRUE(seen);
  EXPECT_STRCASEEQ(seen->target.c_str(), target_.c_str());
  EXPECT_EQ(seen->work_dir, "");
  EXPECT_EQ(seen->description, "");
  DeleteFileA(file.c_str());
}

TEST_F(ShellShortCutWineTest, MissingGroupsAreMadeExceptInStartupAndRecent) {
  const std::string programs = FolderOf(CSIDL_PROGRAMS);
  link_.SetShortCutName("\\Group\\App.lnk");
  link_.SetSCDirectoryType(scProgram);
  ASSERT_FALSE(IsFolder(programs + "\\Group"));
  EXPECT_TRUE(link_.MakeShortCut());
  EXPECT_TRUE(ReadShellLink(programs + "\\Group\\App.lnk"));

  const std::string startup = FolderOf(CSIDL_STARTUP);
  link_.SetSCDirectoryType(scStartUp);
  EXPECT_TRUE(link_.MakeShortCut());
  EXPECT_FALSE(IsFolder(startup + "\\Group"));
  EXPECT_FALSE(IsFile(startup + "\\Group\\App.lnk"));
}

// 表 is 0x95 0x5C: a folder name that ends in a backslash byte.
TEST_F(ShellShortCutWineTest, ShiftJisNamesBecomeTheirJapaneseFolders) {
  ASSERT_EQ(GetACP(), 932u) << "run with the Japanese locale";
  const std::string programs = FolderOf(CSIDL_PROGRAMS);
  link_.SetSCDirectoryType(scProgram);
  link_.SetShortCutName("\\表\\予定表.lnk");
  EXPECT_TRUE(link_.MakeShortCut());
  EXPECT_TRUE(IsFolder(programs + "\\表"));
  std::optional<LinkSeen> seen = ReadShellLink(programs + "\\表\\予定表.lnk");
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->description, "Zarnik NX");
}

TEST_F(ShellShortCutWineTest, ANameWithoutBackslashLandsBesideTheFolder) {
  const std::string send_to = FolderOf(CSIDL_SENDTO);
  link_.SetSCDirectoryType(scSendto);
  link_.SetShortCutName("X.lnk");
  EXPECT_TRUE(link_.MakeShortCut());
  EXPECT_TRUE(ReadShellLink(send_to + "X.lnk")) << send_to << "X.lnk";
  DeleteFileA((send_to + "X.lnk").c_str());
}

TEST_F(ShellShortCutWineTest, BadNamesGiveTheDocumentedResultOrAClearError) {
  const std::string send_to = FolderOf(CSIDL_SENDTO);
  link_.SetSCDirectoryType(scSendto);
  // The link path is the folder itself: nothing can be saved, nothing is reported.
  link_.SetShortCutName("");
  EXPECT_TRUE(link_.MakeShortCut());
  EXPECT_TRUE(IsFolder(send_to));

  link_.SetShortCutName("\\Deep\\" + std::string(300, 'a') + ".lnk");
  try {
    link_.MakeShortCut();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("ｼｮｰﾄｶｯﾄのﾊﾟｽが長すぎます: ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(IsFolder(send_to + "\\Deep"));
}

}  // namespace
}  // namespace zrnx::test
