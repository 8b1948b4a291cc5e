#include <windows.h>

#include "common/scoped_win.h"
#include "sender/steps_win.h"

namespace zrnx {

void Win32SenderSteps::PrepareDateNames() {}

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

// Until the item readers land, a plain item's bytes are the text.
std::string Win32SenderSteps::LoadItemText(const std::string& path, const std::string&) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(WithValue("ﾌｧｲﾙ %s は開けません", path));
  std::string text(GetFileSize(file.Get(), nullptr), '\0');
  DWORD read = 0;
  if (!text.empty()) ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  text.resize(read);
  return text;
}

std::string Win32SenderSteps::ExpandDatePlaceholders(const std::string& text, const DateFormats&) { return text; }

void Win32SenderSteps::PutTextOnClipboard(const std::string& text) {
  ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  OpenClipboard(nullptr);
  EmptyClipboard();
  if (void* bytes = block ? GlobalLock(block.Get()) : nullptr) {
    memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.Get());
    if (SetClipboardData(CF_TEXT, block.Get())) block.Release();
  }
  CloseClipboard();
}

WindowHandle Win32SenderSteps::FindTargetWindow() { return 0; }

bool Win32SenderSteps::IsWindow(WindowHandle window) {
  return ::IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

WindowHandle Win32SenderSteps::ActivateTargetWindow(WindowHandle) { return 0; }

void Win32SenderSteps::SendPasteKey(std::int32_t, WindowHandle) {}

}  // namespace zrnx
