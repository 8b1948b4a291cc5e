#pragma once
// Reading another process's windows: texts through the wide calls given back
// as Shift-JIS (the tests' literals) under any code page, memory inside the
// other process for the common controls' messages that carry pointers, and
// its message boxes answered.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "wine/support/wine_support.h"

namespace zrnx::test {

// Conversions between the tests' Shift-JIS literals and the wide calls.
std::wstring FromCp932(std::string_view bytes);
std::string ToCp932(std::wstring_view text);
// Data (titles, classes, paths) goes through the system code page.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// WM_GETTEXT with the wide call; empty when the window does not answer.
std::wstring WideWindowText(HWND window);

// The text of any window, read with WM_GETTEXT (wide), as Shift-JIS.
std::string WindowTextCp932(HWND window);

// A block of memory inside another process, for the messages of the common
// controls that carry pointers.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  // The address as the other process sees it, `offset` bytes in.
  LPARAM At(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(base_) + offset); }
  void Write(const void* data, std::size_t size, std::size_t offset = 0);
  void Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE process_;
  void* base_;
};

}  // namespace zrnx::test
