#include "wine/cross_process.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zrnx::test {

namespace {

std::wstring ToWide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT code_page, std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::wstring WideWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

std::wstring FromCp932(std::string_view bytes) { return ToWide(932, bytes); }
std::string ToCp932(std::wstring_view text) { return FromWide(932, text); }
std::string ToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }
std::wstring FromAnsi(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::string WindowTextCp932(HWND window) { return ToCp932(WideWindowText(window)); }

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process), base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  if (!base_) throw std::runtime_error("VirtualAllocEx failed");
}

RemoteMemory::~RemoteMemory() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }

void RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
  SIZE_T done = 0;
  if (!WriteProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, &done) || done != size)
    throw std::runtime_error("WriteProcessMemory failed");
}

void RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  SIZE_T done = 0;
  if (!ReadProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, &done) || done != size)
    throw std::runtime_error("ReadProcessMemory failed");
}

}  // namespace zrnx::test
