#include "sender/item_files.h"

#include "common/error.h"
#include "common/settings_file.h"

namespace zrnx {

std::string ReadItemText(const std::string& path, ItemFileSystem& files) {
  std::string text = files.ReadFileBytes(path);
  ZerosToSpaces(text);
  return text;
}

ItemText LoadItemText(const std::string& path, const std::string& extension, ItemFileSystem& files,
                      ProfileStore& store) {
  if (extension == ".url") {
    files.CheckReadable(path);
    return {SettingsFile(files.FullPath(path), store).ReadText("InternetShortcut", "URL", ""), TextEncoding::kCodePage};
  }
  if (std::optional<std::string> target = files.ReadShellLink(path))
    return {ReadItemText(*target, files), TextEncoding::kCodePage};
  return DecodeItemBytes(files.ReadFileBytes(path));
}

std::string OpenErrorText(std::string_view path) { return WithValue(kOpenError, path); }

std::string ReadErrorText(std::string_view path) { return WithValue(kReadError, path); }

std::string TooLargeErrorText(std::string_view path) { return WithValue(kTooLargeError, path); }

}  // namespace zrnx
