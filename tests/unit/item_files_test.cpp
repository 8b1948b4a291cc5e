#include "sender/item_files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "fakes/item_text_print.h"
#include "common/error.h"
#include "fakes/fake_profile_store.h"

namespace zrnx {
namespace {

class FakeFiles : public ItemFileSystem {
 public:
  std::optional<std::string> ReadShellLink(const std::string& path) override {
    link_queries.push_back(path);
    auto it = links.find(path);
    return it == links.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  std::string ReadFileBytes(const std::string& path) override {
    reads.push_back(path);
    auto it = files.find(path);
    if (it == files.end()) throw Error(OpenErrorText(path));
    return it->second;
  }
  void CheckReadable(const std::string& path) override {
    if (locked.count(path)) throw Error(kOpenError, path);
  }
  std::string FullPath(const std::string& path) override {
    return path.find(':') == std::string::npos ? "C:\\cwd\\" + path : path;
  }

  std::map<std::string, std::string> files;
  std::map<std::string, std::string> links;
  std::set<std::string> locked;
  std::vector<std::string> link_queries, reads;
};

class ItemFilesTest : public ::testing::Test {
 protected:
  std::string Load(const std::string& path, const std::string& extension) {
    return LoadItemText(path, extension, files, store).bytes;
  }
  FakeFiles files;
  test::FakeProfileStore store;
};

TEST_F(ItemFilesTest, PlainItemKeepsItsFullLengthWithZeroBytesAsSpaces) {
  files.files["C:\\i\\a.zrx"] = std::string("a\0b\0\0c\0", 7);
  files.files["C:\\i\\e.zrx"] = "";
  files.files["C:\\i\\u16.txt"] = std::string("\xFF\xFEh\0i\0", 6);
  EXPECT_EQ(Load("C:\\i\\a.zrx", ".zrx"), "a b  c ");
  EXPECT_EQ(Load("C:\\i\\e.zrx", ".zrx"), "");
  EXPECT_EQ(LoadItemText("C:\\i\\u16.txt", ".txt", files, store), (ItemText{"hi", TextEncoding::kUtf8}));
  EXPECT_EQ(files.link_queries, (std::vector<std::string>{"C:\\i\\a.zrx", "C:\\i\\e.zrx", "C:\\i\\u16.txt"}));
}

TEST_F(ItemFilesTest, ShellLinkSendsItsTargetsBytesAndNeverTheLinkFile) {
  files.links["C:\\m\\x.lnk"] = "D:\\t\\greeting.zrx";
  files.files["C:\\m\\x.lnk"] = "link bytes";
  files.files["D:\\t\\greeting.zrx"] = std::string("%d0%\0", 5);
  EXPECT_EQ(Load("C:\\m\\x.lnk", ".lnk"), "%d0% ");
  EXPECT_EQ(files.reads, (std::vector<std::string>{"D:\\t\\greeting.zrx"}));
}

TEST_F(ItemFilesTest, LinkTargetAndUrlAreNeverDecoded) {
  files.links["C:\\m\\x.lnk"] = "D:\\t\\u16.txt";
  files.files["D:\\t\\u16.txt"] = std::string("\xFF\xFEh\0", 4);
  EXPECT_EQ(LoadItemText("C:\\m\\x.lnk", ".lnk", files, store),
            (ItemText{"\xFF\xFEh ", TextEncoding::kCodePage}));
  store.Set("InternetShortcut", "URL", "https://example.com/\xE3\x81\x82\xE3\x81\x84");
  EXPECT_EQ(LoadItemText("a.url", ".url", files, store).encoding, TextEncoding::kCodePage);
}

TEST_F(ItemFilesTest, UnreadableInternetShortcutEndsWithTheOpenError) {
  files.locked.insert("C:\\m\\Locked.url");
  store.Set("InternetShortcut", "URL", "https://example.com/");
  try {
    Load("C:\\m\\Locked.url", ".url");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ C:\\m\\Locked.url は開けません");
    EXPECT_EQ(e.SystemValue(), "C:\\m\\Locked.url");  // the path is shown in the system's code page
  }
  EXPECT_TRUE(store.reads.empty());
}

TEST_F(ItemFilesTest, LinkToAMissingTargetEndsWithTheTargetsOpenError) {
  files.links["C:\\m\\x.lnk"] = "D:\\gone.txt";
  files.files["C:\\m\\x.lnk"] = "link bytes";
  try {
    Load("C:\\m\\x.lnk", ".lnk");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ D:\\gone.txt は開けません");
  }
}

TEST_F(ItemFilesTest, InternetShortcutIsReadAsSettingsOnItsAbsolutePath) {
  store.Set("InternetShortcut", "URL", "https://example.com/a?b=1");
  files.files["Site.URL"] = "[InternetShortcut]";
  EXPECT_EQ(Load("Site.URL", ".url"), "https://example.com/a?b=1");
  // A bare name would be looked for in the Windows folder.
  EXPECT_EQ(store.paths, (std::vector<std::string>{"C:\\cwd\\Site.URL"}));
  EXPECT_EQ(store.reads, (std::vector<std::string>{"URL"}));
  EXPECT_TRUE(files.link_queries.empty());
  EXPECT_TRUE(files.reads.empty());
}

TEST_F(ItemFilesTest, InternetShortcutWithoutUrlGivesEmptyTextAndLongUrlsAreCut) {
  EXPECT_EQ(Load("a.url", ".url"), "");
  store.Set("InternetShortcut", "URL", std::string(1500, 'u'));
  EXPECT_EQ(Load("a.url", ".url"), std::string(1023, 'u'));
}

TEST(ItemErrorTextTest, TooLargeNamesTheFile) {
  EXPECT_EQ(TooLargeErrorText("C:\\big.txt").find("ﾌｧｲﾙ C:\\big.txt "), 0u);
}

}  // namespace
}  // namespace zrnx
