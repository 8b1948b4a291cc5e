#include <windows.h>

#include <vector>

#include "common/profile_store.h"

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
};

}  // namespace

ProfileStore& DefaultProfileStore() {
  static Win32ProfileStore store;
  return store;
}

}  // namespace zrnx
