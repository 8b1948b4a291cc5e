#pragma once
// Item files: an Internet shortcut gives its URL, a shell link the bytes of
// its target, any other file its own bytes. The file system is behind
// ItemFileSystem, so the choice is tested without Windows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/profile_store.h"
#include "sender/item_text.h"

namespace zrnx {

class ItemFileSystem {
 public:
  virtual ~ItemFileSystem() = default;

  // Paths are wide, as the wide command line gave them.
  // The stored target path of a shell link, or nullopt when the file does not
  // load as one or stores no file-system path. The link is never resolved.
  virtual std::optional<std::wstring> ReadShellLink(const std::wstring& path) = 0;
  // The file's bytes as they are. Raises Error when it cannot be opened or
  // read, or is larger than kMaxItemSize.
  virtual std::string ReadFileBytes(const std::wstring& path) = 0;
  // The path made absolute against the current directory.
  virtual std::wstring FullPath(const std::wstring& path) = 0;
  // Raises the open error when the file cannot be opened for reading (locked,
  // no access): the profile calls would take such a file for an empty one.
  virtual void CheckReadable(const std::wstring& path) = 0;
};

// Items are read whole with a 32-bit size; anything larger is refused rather
// than cut.
inline constexpr std::uint64_t kMaxItemSize = 0xFFFFFFFFu;

// The whole file with every 0x00 byte turned into a space, so that the
// zero-terminated clipboard text carries all of it.
std::string ReadItemText(const std::wstring& path, ItemFileSystem& files);

// The text of an item, by its extension (lowered) and, failing ".url", by
// whether it loads as a shell link. A ".url" is read through the profile
// store on its absolute path: the profile calls look for a bare file name in
// the Windows folder, not in the current one. Only a plain item is decoded
// (UTF-16, UTF-8); a URL and a link's target are code-page bytes as they are.
ItemText LoadItemText(const std::wstring& path, const std::wstring& extension, ItemFileSystem& files,
                      ProfileStore& store);

// Texts of the errors that end the run while an item is read: program text
// with the path in place of "%s" (raised as Error(pattern, path)).
inline constexpr std::string_view kOpenError = "ﾌｧｲﾙ %s は開けません";
inline constexpr std::string_view kReadError = "ﾌｧｲﾙ %s を読み込めません";
inline constexpr std::string_view kTooLargeError =
    "ﾌｧｲﾙ %s は大きすぎるため送れません (4 GB 未満のファイルだけを送れます)";
// The same texts with a path in the code page, as a box shows them.
std::string OpenErrorText(std::string_view path);
std::string TooLargeErrorText(std::string_view path);

}  // namespace zrnx
