#include <windows.h>

#include <vector>

#include "common/profile_store.h"
#include "common/wide_text_win.h"
#include "common/scoped_win.h"

namespace zrnx {
namespace {

// The wide calls take any path; names and values cross that boundary in the
// system code page, so the file keeps its bytes in it (the narrow calls
// convert the same way inside kernel32).
class Win32ProfileStore final : public ProfileStore {
 public:
  std::string GetString(const std::wstring& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t buffer_size) override {
    if (buffer_size == 0) return {};
    std::vector<wchar_t> buffer(buffer_size);
    const std::wstring s = DataText(section), k = DataText(key), f = DataText(fallback);
    DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), f.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer_size), path.c_str());
    std::string value = DataBytes(std::wstring_view(buffer.data(), n));
    // The cut is in bytes, as the narrow call makes it.
    if (value.size() >= buffer_size) value.resize(buffer_size - 1);
    return value;
  }

  bool WriteString(const std::wstring& path, std::string_view section, std::optional<std::string_view> key,
                   std::optional<std::string_view> value) override {
    const std::wstring s = DataText(section);
    const std::wstring k = key ? DataText(*key) : std::wstring();
    const std::wstring v = value ? DataText(*value) : std::wstring();
    return WritePrivateProfileStringW(s.c_str(), key ? k.c_str() : nullptr, value ? v.c_str() : nullptr,
                                      path.c_str()) != 0;
  }

  bool CanWrite(const std::wstring& path) override {
    // Opened for writing, never truncated: a folder at the path, a file
    // another program holds without sharing writes, or a read-only file
    // all fail here as the profile write would.
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return true;
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    // Missing: the folder must take a new file; the probe goes with its handle.
    ScopedFile probe(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return probe.Valid();
  }
};

}  // namespace

ProfileStore& DefaultProfileStore() {
  static Win32ProfileStore store;
  return store;
}

}  // namespace zrnx
