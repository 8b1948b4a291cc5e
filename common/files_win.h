#pragma once
// The file-system and shell-folder questions both programs' Win32 layers ask,
// answered one way.

#include <windows.h>

#include <optional>
#include <string>

namespace zrnx {

// SHGetSpecialFolderLocation (with `owner`, nullptr for none), the folder as
// code-page bytes by the rule of CodePageFolder; nullopt unless both succeed.
std::optional<std::string> SpecialFolderPath(HWND owner, int csidl);

// A file counts when FindFirstFileA finds an entry of that name that is not a folder.
bool FileExists(const std::string& path);

// A folder counts when GetFileAttributesA succeeds with FILE_ATTRIBUTE_DIRECTORY.
bool FolderExists(const std::string& path);

}  // namespace zrnx
