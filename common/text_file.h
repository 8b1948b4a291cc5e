#pragma once
// Whole-file reads and safe whole-file replacement, for the portable profile
// store. A replacement never leaves a half-written file behind: the new bytes
// go to a temporary file beside the old one, which is then renamed over it.

#include <optional>
#include <string>
#include <string_view>

namespace zrnx {

// Paths are wide as the wide calls give them; elsewhere a file name is the
// path's UTF-8 form.
enum class FileRead { kOk, kMissing, kFailed };

struct FileContents {
  FileRead status = FileRead::kMissing;
  std::string bytes;
};

// kMissing when nothing is at `path` (or a folder on the way is missing);
// kFailed when something is there that cannot be read as a file (a folder,
// no access, an I/O error).
FileContents ReadWholeFile(const std::wstring& path);

// Replaces (or creates) the file at `path` with exactly `bytes`. False when
// the file or its folder cannot be written; the old file is then untouched.
bool ReplaceWholeFile(const std::wstring& path, std::string_view bytes);

// Deletes the file at `path`; nothing is said when it cannot.
void RemoveWholeFile(const std::wstring& path);

}  // namespace zrnx
