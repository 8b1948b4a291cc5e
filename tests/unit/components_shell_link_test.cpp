#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "common/error.h"
#include "components/shell_shortcut.h"

namespace zrnx {
namespace {

const LeadBytes kSjis = LeadBytes::ShiftJis();

// A file system of folders only, and a shell whose special folders are fixed.
class FakeShellLinkApi : public ShellLinkApi {
 public:
  struct Saved {
    std::string path, target, description, work_dir;
  };

  std::optional<std::string> SpecialFolderPath(int csidl) override {
    csidls.push_back(csidl);
    return folder_path;
  }
  bool DirectoryExists(const std::string& path) override { return existing.count(path) > 0; }
  void MakeDirectory(const std::string& path) override {
    created.push_back(path);
    existing.insert(path);
  }
  bool SaveLink(const std::string& link_path, const LinkFields& fields) override {
    if (save_error) throw Error(*save_error);
    saved.push_back({link_path, fields.target, fields.description, fields.work_dir});
    return true;
  }

  std::optional<std::string> folder_path = "C:\\U\\SendTo";
  std::optional<std::string> save_error;
  std::set<std::string> existing{"C:\\U", "C:\\U\\SendTo"};
  std::vector<int> csidls;
  std::vector<std::string> created;
  std::vector<Saved> saved;
};

TEST(ForceDirectoriesTest, CreatesMissingParentsFirstAndNothingThatExists) {
  struct Case {
    std::string directory;
    std::vector<std::string> created;
  };
  const Case cases[] = {
      {"C:\\U\\A\\B", {"C:\\U\\A", "C:\\U\\A\\B"}},
      {"C:\\U\\A\\B\\", {"C:\\U\\A", "C:\\U\\A\\B"}},
      {"C:\\U", {}},
      {"C:\\", {}},
      {"C:", {}},
      {"\\", {}},
      {"D:\\New", {"D:\\New"}},
      {"\\\\server\\share\\X", {"\\\\server", "\\\\server\\share", "\\\\server\\share\\X"}},
      // 表 is 0x95 0x5C and ソ 0x83 0x5C: their second bytes are no delimiters.
      {"C:\\U\\表", {"C:\\U\\表"}},
      {"C:\\U\\ソ表\\予定", {"C:\\U\\ソ表", "C:\\U\\ソ表\\予定"}},
  };
  for (const Case& c : cases) {
    FakeShellLinkApi api;
    ForceDirectories(c.directory, api, kSjis);
    EXPECT_EQ(api.created, c.created) << c.directory;
  }
}

TEST(ForceDirectoriesTest, EmptyOrRelativeWithoutDelimiterCannotBeCreated) {
  FakeShellLinkApi api;
  EXPECT_THROW(
      {
        try {
          ForceDirectories("", api, kSjis);
        } catch (const Error& e) {
          EXPECT_EQ(std::string(e.what()), kCannotCreateDirectory);
          throw;
        }
      },
      Error);
  // The parent of a name without any delimiter is empty.
  EXPECT_THROW(ForceDirectories("abc\\", api, kSjis), Error);
  EXPECT_TRUE(api.created.empty());
}

class ShellShortCutTest : public ::testing::Test {
 protected:
  std::unique_ptr<TShellShortCut> MakeLink(TSCDirectoryType type, std::string name) {
    auto link = std::make_unique<TShellShortCut>(nullptr, api_);
    link->SetSCDirectoryType(type);
    link->SetShortCutName(std::move(name));
    link->SetLinkPath("C:\\Tools\\Zrnx.exe");
    link->SetDescription("Zarnik NX");
    link->SetWorksDir("C:\\Tools");
    return link;
  }

  FakeShellLinkApi api_;
};

TEST_F(ShellShortCutTest, StartsWithItsDefaultsAndKeepsVersionAtOneHundred) {
  TShellShortCut link(nullptr, api_);
  EXPECT_EQ(link.SCDirectoryType(), scDeskTop);
  EXPECT_EQ(link.ShortCutName(), "");
  EXPECT_EQ(link.Version(), 100);
  EXPECT_TRUE(link.VersionCheck());
  link.SetVersion(150);
  EXPECT_EQ(link.Version(), 100);
  EXPECT_FALSE(link.VersionCheck());
  link.SetVersion(100);
  EXPECT_TRUE(link.VersionCheck());
  link.SetVersion(255);
  link.SetVersion(0);
  EXPECT_TRUE(link.VersionCheck());
}

TEST_F(ShellShortCutTest, EachFolderTypeSelectsItsFolderAndFolderRule) {
  const struct {
    TSCDirectoryType type;
    int csidl;
    bool creates;
  } rows[] = {{scDeskTop, 0, true},  {scProgram, 2, true}, {scStartMenu, 11, true},
              {scStartUp, 7, false}, {scRecent, 8, false}, {scSendto, 9, true}};
  for (const auto& row : rows) {
    api_ = FakeShellLinkApi{};
    EXPECT_TRUE(MakeLink(row.type, "\\Group\\App.lnk")->MakeShortCut());
    EXPECT_EQ(api_.csidls, std::vector<int>{row.csidl});
    EXPECT_EQ(api_.created, row.creates ? std::vector<std::string>{"C:\\U\\SendTo\\Group"}
                                        : std::vector<std::string>{});
    ASSERT_EQ(api_.saved.size(), 1u);
    EXPECT_EQ(api_.saved[0].path, "C:\\U\\SendTo\\Group\\App.lnk");
    EXPECT_EQ(api_.saved[0].target, "C:\\Tools\\Zrnx.exe");
    EXPECT_EQ(api_.saved[0].description, "Zarnik NX");
    EXPECT_EQ(api_.saved[0].work_dir, "C:\\Tools");
  }
}

TEST_F(ShellShortCutTest, ATypeBeyondTheLastFolderWritesNothing) {
  EXPECT_TRUE(MakeLink(static_cast<TSCDirectoryType>(6), "\\X.lnk")->MakeShortCut());
  EXPECT_TRUE(MakeLink(static_cast<TSCDirectoryType>(255), "\\X.lnk")->MakeShortCut());
  EXPECT_TRUE(api_.csidls.empty());
  EXPECT_TRUE(api_.saved.empty());
}

TEST_F(ShellShortCutTest, TheNameIsJoinedToTheFolderWithoutASeparator) {
  MakeLink(scSendto, "X.lnk")->MakeShortCut();
  ASSERT_EQ(api_.saved.size(), 1u);
  EXPECT_EQ(api_.saved[0].path, "C:\\U\\SendToX.lnk");
  EXPECT_TRUE(api_.created.empty());
}

TEST_F(ShellShortCutTest, EmptyFolderAndNameWithoutBackslashIsNoDirectory) {
  api_.folder_path = "";
  auto link = MakeLink(scDeskTop, "X.lnk");
  EXPECT_THROW(link->MakeShortCut(), Error);
  EXPECT_TRUE(api_.saved.empty());
  // Where no folder is made, the name is written as it stands.
  link->SetSCDirectoryType(scRecent);
  EXPECT_TRUE(link->MakeShortCut());
  ASSERT_EQ(api_.saved.size(), 1u);
  EXPECT_EQ(api_.saved[0].path, "X.lnk");
}

TEST_F(ShellShortCutTest, ALinkPathBeyondMaxPathIsRefusedBeforeAnyFolderIsMade) {
  const std::string folder = *api_.folder_path;  // 12 bytes
  const std::string fits = "\\" + std::string(kMaxLinkPath - folder.size() - 6, 'a') + "\\.lnk";
  ASSERT_EQ((folder + fits).size(), kMaxLinkPath);
  EXPECT_TRUE(MakeLink(scSendto, fits)->MakeShortCut());
  EXPECT_EQ(api_.saved.size(), 1u);

  api_ = FakeShellLinkApi{};
  const std::string too_long = "\\" + std::string(kMaxLinkPath - folder.size() - 5, 'a') + "\\.lnk";
  try {
    MakeLink(scSendto, too_long)->MakeShortCut();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), WithValue(kLinkPathTooLong, folder + too_long));
  }
  EXPECT_TRUE(api_.created.empty());
  EXPECT_TRUE(api_.saved.empty());
}

TEST_F(ShellShortCutTest, FailuresArriveAsErrorsAndLeaveThePropertiesAlone) {
  api_.folder_path = std::nullopt;
  auto link = MakeLink(scSendto, "\\Zarnik NX.lnk");
  EXPECT_THROW(link->MakeShortCut(), Error);

  api_.folder_path = "C:\\U\\SendTo";
  api_.save_error = std::string(kInterfaceNotSupported);
  EXPECT_THROW(link->MakeShortCut(), Error);
  EXPECT_EQ(link->ShortCutName(), "\\Zarnik NX.lnk");
  EXPECT_EQ(link->LinkPath(), "C:\\Tools\\Zrnx.exe");
  EXPECT_EQ(link->SCDirectoryType(), scSendto);
}

}  // namespace
}  // namespace zrnx
