// The folder listings and removals of the item shortcuts.

#include <windows.h>

#include "common/scoped_win.h"
#include "components/item_shortcuts.h"

namespace zrnx {
namespace {

class Win32ItemShortcutFiles final : public ItemShortcutFiles {
 public:
  std::optional<std::vector<FolderEntry>> ListFiles(const std::string& folder, int depth) override {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    std::vector<FolderEntry> files;
    List(folder, "", false, depth, files);
    return files;
  }

  bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  void RemoveEmptyFolder(const std::string& path) override { RemoveDirectoryA(path.c_str()); }

 private:
  static void List(const std::string& folder, const std::string& prefix, bool hidden, int depth,
                   std::vector<FolderEntry>& files) {
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find) return;
    do {
      const std::string name = found.cFileName;
      // '?' stands for a character the code page cannot hold: such a name
      // opens nothing, and no file name holds a real '?'.
      if (name == "." || name == ".." || name.find('?') != std::string::npos) continue;
      const bool hides = hidden || (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A linked folder may lead back to where it is; the menu shows real folders.
        if (depth > 0 && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          List(folder + "\\" + name, prefix + name + "\\", hides, depth - 1, files);
        }
        continue;
      }
      files.push_back({prefix + name, hides});
    } while (FindNextFileA(find.Get(), &found));
  }
};

}  // namespace

ItemShortcutFiles& DefaultItemShortcutFiles() {
  static Win32ItemShortcutFiles files;
  return files;
}

}  // namespace zrnx
