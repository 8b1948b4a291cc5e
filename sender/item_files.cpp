#include "sender/item_files.h"

#include "common/error.h"
#include "common/settings_file.h"

namespace zrnx {

std::string ReadItemText(const std::wstring& path, ItemFileSystem& files) {
  std::string text = files.ReadFileBytes(path);
  ZerosToSpaces(text);
  return text;
}

ItemText LoadItemText(const std::wstring& path, const std::wstring& extension, ItemFileSystem& files,
                      ProfileStore& store) {
  if (extension == L".url") {
    files.CheckReadable(path);
    return {SettingsFile(files.FullPath(path), store).ReadText("InternetShortcut", "URL", ""), TextEncoding::kCodePage};
  }
  if (std::optional<std::wstring> target = files.ReadShellLink(path))
    return {ReadItemText(*target, files), TextEncoding::kCodePage};
  return DecodeItemBytes(files.ReadFileBytes(path));
}

std::string OpenErrorText(std::string_view path) { return WithValue(kOpenError, path); }

std::string TooLargeErrorText(std::string_view path) { return WithValue(kTooLargeError, path); }

}  // namespace zrnx
