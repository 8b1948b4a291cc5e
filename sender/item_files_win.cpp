#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <new>
#include <string>

#include "common/error.h"
#include "common/ole_error.h"
#include "common/ole_error_win.h"
#include "common/scoped_win.h"
#include "sender/item_files_win.h"

namespace zrnx {

std::wstring Win32ItemFileSystem::FullPath(const std::wstring& path) {
  DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(n < size ? n : 0);
  return full.empty() ? path : full;
}

std::optional<std::wstring> Win32ItemFileSystem::ReadShellLink(const std::wstring& path) {
  ComPtr<IUnknown> link;
  HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                     IID_IUnknown, reinterpret_cast<void**>(link.Put()));
  if (FAILED(created)) {
    // The system's text is in the system code page; the fallback is ours.
    const std::string message = OleErrorMessage(created);
    if (message == OleErrorText(static_cast<std::uint32_t>(created), "")) throw Error(message);
    throw Error("%s", message);
  }

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return std::nullopt;
  if (FAILED(file->Load(FullPath(path).c_str(), STGM_READ))) return std::nullopt;

  ComPtr<IShellLinkW> shell_link;
  if (FAILED(link->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(shell_link.Put())))) return std::nullopt;
  // The stored path as it is: Resolve would search for a moved target and may show a window.
  wchar_t target[MAX_PATH] = {};
  WIN32_FIND_DATAW find_data{};
  if (FAILED(shell_link->GetPath(target, MAX_PATH, &find_data, 0))) return std::nullopt;
  target[MAX_PATH - 1] = L'\0';
  if (target[0] == L'\0') return std::nullopt;
  return std::wstring(target);
}

void Win32ItemFileSystem::CheckReadable(const std::wstring& path) {
  // Shared as the profile calls share it, so only a lock or missing rights fail.
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(kOpenError, path);
}

std::string Win32ItemFileSystem::ReadFileBytes(const std::wstring& path) {
  // Others may read the item meanwhile, but not change it under us.
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(kOpenError, path);

  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) throw Error(kReadError, path);
  if (static_cast<std::uint64_t>(size.QuadPart) > kMaxItemSize) throw Error(kTooLargeError, path);

  std::string bytes;
  // A 32-bit program cannot hold every size below the limit.
  if (static_cast<std::uint64_t>(size.QuadPart) > bytes.max_size()) throw std::bad_alloc();
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    throw Error(kReadError, path);
  // A file that shrank since its size was taken: only what was read.
  bytes.resize(read);
  return bytes;
}

}  // namespace zrnx
