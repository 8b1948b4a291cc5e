#pragma once
// The walk below a menu folder: every file at most so many folders down,
// hidden when it or a folder on its way is hidden. A folder that cannot be
// listed whole stops the walk, so a sync never takes a failed listing for
// items that are gone.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "components/item_shortcuts.h"

namespace zrnx {

// One name in a folder, as the system lists it.
struct ListedName {
  std::string name;          // in the code page
  bool fits = true;          // the code page holds the name as it is
  bool directory = false;
  bool hidden = false;       // hidden or system
  bool linked = false;       // a reparse point: junction, symbolic link, cloud folder
  std::uint64_t stamp = 0;
};

class FolderLister {
 public:
  virtual ~FolderLister() = default;
  // The names in `folder` but "." and ".."; nullopt when it could not be
  // listed to the end (access denied, a network drop, gone meanwhile).
  virtual std::optional<std::vector<ListedName>> List(const std::string& folder) = 0;
  // What tells one folder from every other wherever a link leads (its volume
  // and file number), "" when it cannot be told.
  virtual std::string FolderId(const std::string& folder) = 0;
};

// Files below `folder`, at most `depth` folders down. A linked folder is
// listed like any other unless it leads back to one on its way. Names the
// code page cannot hold are left out. Raises Error(kFolderListFailed).
std::vector<FolderEntry> ListBelow(FolderLister& lister, const std::string& folder, int depth);

inline constexpr std::string_view kFolderListFailed = "フォルダ %s の一覧を読めないため、スタートメニューのショートカットを更新できません";

}  // namespace zrnx
