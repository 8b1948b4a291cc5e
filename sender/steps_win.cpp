#include <windows.h>

#include "common/scoped_win.h"
#include "sender/date_format.h"
#include "sender/desktop_win.h"
#include "sender/item_files_win.h"
#include "sender/placeholders.h"
#include "sender/steps_win.h"

namespace zrnx {

void Win32SenderSteps::PrepareDateNames() {
  Win32LocaleSource locale;
  date_locale_ = ReadLocaleDateInfo(locale);
}

void Win32SenderSteps::ShowMessage(std::string_view text, std::string_view title, unsigned style) {
  MessageBoxA(nullptr, std::string(text).c_str(), std::string(title).c_str(), style);
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

std::string Win32SenderSteps::LoadItemText(const std::string& path, const std::string& extension) {
  Win32ItemFileSystem files;
  return zrnx::LoadItemText(path, extension, files, DefaultProfileStore());
}

std::string Win32SenderSteps::ExpandDatePlaceholders(const std::string& text, const DateFormats& formats) {
  return zrnx::ExpandDatePlaceholders(text, formats, DateFormatter(date_locale_, eras_, clock_));
}

void Win32SenderSteps::PutTextOnClipboard(const std::string& text) {
  Win32ClipboardPort clipboard;
  zrnx::PutTextOnClipboard(text, clipboard);
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
