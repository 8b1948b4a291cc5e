#include "sender/item_files.h"

#include <cstring>

#include "common/error.h"
#include "common/settings_file.h"

namespace zrnx {

std::string ReadItemText(const std::string& path, ItemFileSystem& files) {
  std::string text = files.ReadFileBytes(path);
  // memchr finds the (usually rare) zero bytes far faster than a byte loop.
  char* const end = text.data() + text.size();
  for (char* p = text.data(); (p = static_cast<char*>(std::memchr(p, '\0', end - p))) != nullptr; ++p) *p = ' ';
  return text;
}

std::string LoadItemText(const std::string& path, const std::string& extension, ItemFileSystem& files,
                         ProfileStore& store) {
  if (extension == ".url") return SettingsFile(files.FullPath(path), store).ReadText("InternetShortcut", "URL", "");
  if (std::optional<std::string> target = files.ReadShellLink(path)) return ReadItemText(*target, files);
  return ReadItemText(path, files);
}

std::string OpenErrorText(std::string_view path) { return WithValue("ﾌｧｲﾙ %s は開けません", path); }

std::string ReadErrorText(std::string_view path) { return WithValue("ﾌｧｲﾙ %s を読み込めません", path); }

std::string TooLargeErrorText(std::string_view path) {
  return WithValue("ﾌｧｲﾙ %s は大きすぎるため送れません (4 GB 未満のファイルだけを送れます)", path);
}

}  // namespace zrnx
