#include "components/folder_listing.h"

#include "common/error.h"
#include "common/path.h"

namespace zrnx {
namespace {

struct Walk {
  FolderLister& lister;
  std::vector<FolderEntry> files;
  // The folders on the way down, with their ids once asked for.
  std::vector<std::pair<std::string, std::optional<std::string>>> way;

  bool LeadsBack(const std::string& folder) {
    const std::string id = lister.FolderId(folder);
    if (id.empty()) return false;  // the depth still bounds it
    for (auto& [path, known] : way) {
      if (!known) known = lister.FolderId(path);
      if (*known == id) return true;
    }
    return false;
  }

  void List(const std::string& folder, const std::string& prefix, bool hidden, int depth) {
    const std::optional<std::vector<ListedName>> names = lister.List(folder);
    if (!names) throw Error(kFolderListFailed, folder);
    way.emplace_back(folder, std::nullopt);
    for (const ListedName& name : *names) {
      // A name the code page cannot hold as it is (a look-alike or '?' in
      // its place) would become a shortcut to a file that does not exist.
      if (!name.fits) continue;
      const bool hides = hidden || name.hidden;
      if (!name.directory) {
        files.push_back({prefix + name.name, hides, name.stamp});
        continue;
      }
      const std::string below = PathInFolder(folder, name.name);
      if (depth > 0 && !(name.linked && LeadsBack(below))) List(below, prefix + name.name + "\\", hides, depth - 1);
    }
    way.pop_back();
  }
};

}  // namespace

std::vector<FolderEntry> ListBelow(FolderLister& lister, const std::string& folder, int depth) {
  Walk walk{lister, {}, {}};
  walk.List(folder, "", false, depth);
  return std::move(walk.files);
}

}  // namespace zrnx
