// The walk below a menu folder over a lister in memory.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "common/error.h"
#include "components/folder_listing.h"

namespace zrnx {
namespace {

using ::testing::UnorderedElementsAre;

// Folders by path; a folder's id is its own path unless `ids` says where a
// link leads. A folder in `failing` cannot be listed.
struct FakeLister : FolderLister {
  std::map<std::string, std::vector<ListedName>> folders;
  std::map<std::string, std::string> ids;
  std::set<std::string> failing;
  int id_lookups = 0;

  std::optional<std::vector<ListedName>> List(const std::string& folder) override {
    if (failing.count(folder)) return std::nullopt;
    auto found = folders.find(ids.count(folder) ? ids[folder] : folder);
    return found == folders.end() ? std::nullopt : std::optional(found->second);
  }
  std::string FolderId(const std::string& folder) override {
    ++id_lookups;
    return ids.count(folder) ? ids[folder] : folder;
  }
};

ListedName File(const char* name) { return {name, true, false, false, false, 7}; }
ListedName Folder(const char* name, bool linked = false, bool hidden = false) {
  return {name, true, true, hidden, linked, 0};
}

std::vector<std::string> Relatives(const std::vector<FolderEntry>& files) {
  std::vector<std::string> names;
  for (const FolderEntry& file : files) names.push_back(file.relative + (file.hidden ? " (hidden)" : ""));
  return names;
}

// A cloud or junction folder is listed like any other; a link back to a
// folder on the way is not followed; a hidden folder hides what it holds;
// a name the code page cannot hold is left out.
TEST(FolderListingTest, LinkedFoldersAreListedAndLoopsAreNot) {
  FakeLister lister;
  ListedName wide = File("?.zrx");
  wide.fits = false;
  lister.folders["C:\\M"] = {File("a.zrx"), Folder("Cloud", true), Folder("Hid", false, true), wide};
  lister.folders["D:\\Cloud"] = {File("b.zrx"), Folder("Back", true), Folder("Self", true)};
  lister.folders["C:\\M\\Hid"] = {File("c.zrx")};
  lister.ids = {{"C:\\M\\Cloud", "D:\\Cloud"}, {"C:\\M\\Cloud\\Back", "C:\\M"}, {"C:\\M\\Cloud\\Self", "D:\\Cloud"}};
  EXPECT_THAT(Relatives(ListBelow(lister, "C:\\M", 8)),
              UnorderedElementsAre("a.zrx", "Cloud\\b.zrx", "Hid\\c.zrx (hidden)"));
  // Only the links ask for an id, and only then the folders on their way.
  lister.id_lookups = 0;
  lister.folders["C:\\M"] = {File("a.zrx"), Folder("Sub")};
  lister.folders["C:\\M\\Sub"] = {File("s.zrx")};
  EXPECT_THAT(Relatives(ListBelow(lister, "C:\\M", 8)), UnorderedElementsAre("a.zrx", "Sub\\s.zrx"));
  EXPECT_EQ(lister.id_lookups, 0);
  EXPECT_THAT(Relatives(ListBelow(lister, "C:\\M", 0)), UnorderedElementsAre("a.zrx"));
}

// A folder that cannot be listed to the end stops the walk with the folder
// named, at any depth: its items are not gone.
TEST(FolderListingTest, AFolderThatCannotBeListedStopsTheWalk) {
  FakeLister lister;
  lister.folders["C:\\M"] = {File("a.zrx"), Folder("Sub")};
  lister.folders["C:\\M\\Sub"] = {File("s.zrx")};
  for (const char* failing : {"C:\\M", "C:\\M\\Sub"}) {
    lister.failing = {failing};
    try {
      ListBelow(lister, "C:\\M", 8);
      ADD_FAILURE() << "no error for " << failing;
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), WithValue(kFolderListFailed, failing));
    }
  }
}

}  // namespace
}  // namespace zrnx
