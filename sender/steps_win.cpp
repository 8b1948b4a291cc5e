#include <windows.h>

#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "common/settings_keys.h"
#include "components/item_shortcuts.h"
#include "sender/date_format.h"
#include "sender/desktop_win.h"
#include "sender/item_files_win.h"
#include "sender/placeholders.h"
#include "sender/steps_win.h"
#include "sender/wide_text_win.h"

namespace zrnx {

void Win32SenderSteps::PrepareDateNames() {
  Win32LocaleSource locale;
  date_locale_ = ReadLocaleDateInfo(locale);
}

void Win32SenderSteps::ShowMessage(std::string_view text, std::string_view title, unsigned style) {
  ShowBox(text, std::nullopt, title, style);
}

void Win32SenderSteps::ShowMessageWithValue(std::string_view pattern, std::string_view system_value,
                                            std::string_view title, unsigned style) {
  ShowBox(pattern, system_value, title, style);
}

bool Win32SenderSteps::ItemFileExists(const std::string& path) {
  WIN32_FIND_DATAA data{};
  ScopedFind find(FindFirstFileA(path.c_str(), &data));
  if (!find) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // An entry whose write time has no local MS-DOS form does not count.
  FILETIME local{};
  WORD dos_date = 0, dos_time = 0;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &dos_date, &dos_time);
}

ItemText Win32SenderSteps::LoadItemText(const std::string& path, const std::string& extension) {
  Win32ItemFileSystem files;
  return zrnx::LoadItemText(path, extension, files, DefaultProfileStore());
}

ItemText Win32SenderSteps::ExpandDatePlaceholders(const ItemText& text, const DateFormats& formats) {
  return zrnx::ExpandDatePlaceholders(text, formats, DateFormatter(date_locale_, eras_, clock_), Win32CodePageDecoder());
}

void Win32SenderSteps::PutTextOnClipboard(ItemText text) {
  Win32ClipboardPort clipboard;
  zrnx::PutTextOnClipboard(std::move(text), clipboard);
}

WindowHandle Win32SenderSteps::FindTargetWindow() { return zrnx::FindTargetWindow(settings_path_); }

bool Win32SenderSteps::IsWindow(WindowHandle window) {
  return ::IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

WindowHandle Win32SenderSteps::ActivateTargetWindow(WindowHandle window) {
  return zrnx::ActivateTargetWindow(window);
}

void Win32SenderSteps::SendPasteKey(std::int32_t kind, WindowHandle focus) {
  Win32KeyboardPort keyboard;
  zrnx::SendPasteKey(kind, focus, keyboard);
}

void Win32SenderSteps::KeepItemShortcuts(const std::string& item_path) {
  // Quiet by design: the user asked for a paste, not for the Start menu.
  try {
    char module[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    ShellLinkApi& links = DefaultShellLinkApi();
    const std::string start_menu = links.SpecialFolderPath(kSpecialFolders[scStartMenu].csidl).value_or("");
    const std::string default_menu_folder =
        start_menu.empty() ? std::string() : start_menu + std::string(kDefaultMenuFolderName);
    Win32ItemFileSystem files;
    const std::optional<ShortcutTarget> target = ShortcutsToKeepAfterSend(
        SettingsFile(settings_path_), files.FullPath(item_path), std::string(module, length), default_menu_folder);
    if (!target) return;
    ItemShortcuts shortcuts(links, DefaultItemShortcutFiles());
    shortcuts.Update(*target, true);
  } catch (...) {
  }
}

}  // namespace zrnx
