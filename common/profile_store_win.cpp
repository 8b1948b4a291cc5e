#include <windows.h>

#include <vector>

#include "common/profile_store.h"
#include "common/scoped_win.h"

namespace zrnx {
namespace {

class Win32ProfileStore final : public ProfileStore {
 public:
  std::string GetString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t buffer_size) override {
    std::vector<char> buffer(buffer_size == 0 ? 1 : buffer_size);
    DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                       std::string(fallback).c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer_size), path.c_str());
    return std::string(buffer.data(), n);
  }

  bool WriteString(const std::string& path, std::string_view section, std::optional<std::string_view> key,
                   std::optional<std::string_view> value) override {
    std::string k = key ? std::string(*key) : std::string();
    std::string v = value ? std::string(*value) : std::string();
    return WritePrivateProfileStringA(std::string(section).c_str(), key ? k.c_str() : nullptr,
                                      value ? v.c_str() : nullptr, path.c_str()) != 0;
  }

  bool CanWrite(const std::string& path) override {
    // Opened for writing, never truncated: a folder at the path, a file
    // another program holds without sharing writes, or a read-only file
    // all fail here as the profile write would.
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return true;
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    // Missing: the folder must take a new file; the probe goes with its handle.
    ScopedFile probe(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
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
