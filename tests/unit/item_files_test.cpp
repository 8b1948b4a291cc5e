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
  std::optional<std::wstring> ReadShellLink(const std::wstring& path) override {
    link_queries.push_back(path);
    auto it = links.find(path);
    return it == links.end() ? std::nullopt : std::optional<std::wstring>(it->second);
  }
  std::string ReadFileBytes(const std::wstring& path) override {
    reads.push_back(path);
    auto it = files.find(path);
    if (it == files.end()) throw Error(kOpenError, path);
    return it->second;
  }
  void CheckReadable(const std::wstring& path) override {
    if (locked.count(path)) throw Error(kOpenError, path);
  }
  std::wstring FullPath(const std::wstring& path) override {
    return path.find(L':') == std::wstring::npos ? L"C:\\cwd\\" + path : path;
  }

  std::map<std::wstring, std::string> files;
  std::map<std::wstring, std::wstring> links;
  std::set<std::wstring> locked;
  std::vector<std::wstring> link_queries, reads;
};

class ItemFilesTest : public ::testing::Test {
 protected:
  std::string Load(const std::wstring& path, const std::wstring& extension) {
    return LoadItemText(path, extension, files, store).bytes;
  }
  FakeFiles files;
  test::FakeProfileStore store;
};

TEST_F(ItemFilesTest, PlainItemKeepsItsFullLengthWithZeroBytesAsSpaces) {
  files.files[L"C:\\i\\a.zrx"] = std::string("a\0b\0\0c\0", 7);
  files.files[L"C:\\i\\e.zrx"] = "";
  files.files[L"C:\\i\\u16.txt"] = std::string("\xFF\xFEh\0i\0", 6);
  EXPECT_EQ(Load(L"C:\\i\\a.zrx", L".zrx"), "a b  c ");
  EXPECT_EQ(Load(L"C:\\i\\e.zrx", L".zrx"), "");
  EXPECT_EQ(LoadItemText(L"C:\\i\\u16.txt", L".txt", files, store), (ItemText{"hi", TextEncoding::kUtf8}));
  EXPECT_EQ(files.link_queries, (std::vector<std::wstring>{L"C:\\i\\a.zrx", L"C:\\i\\e.zrx", L"C:\\i\\u16.txt"}));
}

TEST_F(ItemFilesTest, ShellLinkSendsItsTargetsBytesAndNeverTheLinkFile) {
  files.links[L"C:\\m\\x.lnk"] = L"D:\\t\\greeting.zrx";
  files.files[L"C:\\m\\x.lnk"] = "link bytes";
  files.files[L"D:\\t\\greeting.zrx"] = std::string("%d0%\0", 5);
  EXPECT_EQ(Load(L"C:\\m\\x.lnk", L".lnk"), "%d0% ");
  EXPECT_EQ(files.reads, (std::vector<std::wstring>{L"D:\\t\\greeting.zrx"}));
}

TEST_F(ItemFilesTest, LinkTargetAndUrlAreNeverDecoded) {
  files.links[L"C:\\m\\x.lnk"] = L"D:\\t\\u16.txt";
  files.files[L"D:\\t\\u16.txt"] = std::string("\xFF\xFEh\0", 4);
  EXPECT_EQ(LoadItemText(L"C:\\m\\x.lnk", L".lnk", files, store),
            (ItemText{"\xFF\xFEh ", TextEncoding::kCodePage}));
  store.Set("InternetShortcut", "URL", "https://example.com/\xE3\x81\x82\xE3\x81\x84");
  EXPECT_EQ(LoadItemText(L"a.url", L".url", files, store).encoding, TextEncoding::kCodePage);
}

TEST_F(ItemFilesTest, UnreadableInternetShortcutEndsWithTheOpenError) {
  files.locked.insert(L"C:\\m\\Locked.url");
  store.Set("InternetShortcut", "URL", "https://example.com/");
  try {
    Load(L"C:\\m\\Locked.url", L".url");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ C:\\m\\Locked.url は開けません");
    EXPECT_EQ(e.Path(), L"C:\\m\\Locked.url");  // the path stays wide up to the box
  }
  EXPECT_TRUE(store.reads.empty());
}

TEST_F(ItemFilesTest, LinkToAMissingTargetEndsWithTheTargetsOpenError) {
  files.links[L"C:\\m\\x.lnk"] = L"D:\\gone.txt";
  files.files[L"C:\\m\\x.lnk"] = "link bytes";
  try {
    Load(L"C:\\m\\x.lnk", L".lnk");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ D:\\gone.txt は開けません");
  }
}

TEST_F(ItemFilesTest, InternetShortcutIsReadAsSettingsOnItsAbsolutePath) {
  store.Set("InternetShortcut", "URL", "https://example.com/a?b=1");
  files.files[L"Site.URL"] = "[InternetShortcut]";
  EXPECT_EQ(Load(L"Site.URL", L".url"), "https://example.com/a?b=1");
  // A bare name would be looked for in the Windows folder.
  EXPECT_EQ(store.paths, (std::vector<std::wstring>{L"C:\\cwd\\Site.URL"}));
  EXPECT_EQ(store.reads, (std::vector<std::string>{"URL"}));
  EXPECT_TRUE(files.link_queries.empty());
  EXPECT_TRUE(files.reads.empty());
}

TEST_F(ItemFilesTest, InternetShortcutWithoutUrlGivesEmptyTextAndLongUrlsAreCut) {
  EXPECT_EQ(Load(L"a.url", L".url"), "");
  store.Set("InternetShortcut", "URL", std::string(1500, 'u'));
  EXPECT_EQ(Load(L"a.url", L".url"), std::string(1023, 'u'));
}

TEST(ItemErrorTextTest, TooLargeNamesTheFile) {
  EXPECT_EQ(std::string(Error(kTooLargeError, std::wstring(L"C:\\big.txt")).what()).find("ﾌｧｲﾙ C:\\big.txt "), 0u);
}

TEST_F(ItemFilesTest, AWideLinkTargetIsReadWhole) {
  // A target outside any code page: the very file is read, not a '?' look-alike.
  files.links[L"C:\\m\\x.lnk"] = L"D:\\\xBA54\xBAA8\xD83D\xDE00.txt";
  files.files[L"D:\\????.txt"] = "wrong";
  files.files[L"D:\\\xBA54\xBAA8\xD83D\xDE00.txt"] = "right";
  EXPECT_EQ(Load(L"C:\\m\\x.lnk", L".lnk"), "right");
}

}  // namespace
}  // namespace zrnx
