#include "common/files_win.h"

#include <shlobj.h>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"

namespace zrnx {

std::optional<std::string> SpecialFolderPath(HWND owner, int csidl) {
  ScopedIdList folder;
  if (SHGetSpecialFolderLocation(owner, csidl, folder.Put()) != S_OK || !folder) return std::nullopt;
  return CodePageFolder(folder.Get());
}

bool FileExists(const std::string& path) {
  WIN32_FIND_DATAA found{};
  ScopedFind find(FindFirstFileA(path.c_str(), &found));
  return find && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zrnx
