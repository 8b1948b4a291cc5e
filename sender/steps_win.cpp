#include <windows.h>

#include "common/scoped_win.h"
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

void Win32SenderSteps::ShowMessageWithPath(std::string_view pattern, std::wstring_view path, std::string_view title,
                                           unsigned style) {
  ShowBoxWithPath(pattern, path, title, style);
}

bool Win32SenderSteps::ItemFileExists(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  ScopedFind find(FindFirstFileW(path.c_str(), &data));
  if (!find) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // An entry whose write time has no local MS-DOS form does not count.
  FILETIME local{};
  WORD dos_date = 0, dos_time = 0;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &dos_date, &dos_time);
}

ItemText Win32SenderSteps::LoadItemText(const std::wstring& path, const std::wstring& extension) {
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

}  // namespace zrnx
