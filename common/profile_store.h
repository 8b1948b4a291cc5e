#pragma once
// The store behind the settings file: the private-profile calls of the
// platform, one call per value. On Windows it is kernel32 itself; elsewhere a
// portable reader and writer of the same format with the same behaviour.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zrnx {

// Paths are wide, as the wide calls give them: the program's folder may lie
// outside the code page. Names and values stay bytes in the code page.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // GetPrivateProfileStringA with a section and a key: the value without the
  // blanks around it and without one enclosing pair of quotes, or `fallback`
  // when the file, section or key is missing; cut to buffer_size - 1 bytes.
  virtual std::string GetString(const std::wstring& path, std::string_view section, std::string_view key,
                                std::string_view fallback, std::size_t buffer_size) = 0;

  // WritePrivateProfileStringA. A missing key erases the whole section (the
  // value is then ignored); a key without a value removes that key. Creates
  // the file and the section as needed and replaces an existing value in
  // place. False when the write failed.
  virtual bool WriteString(const std::wstring& path, std::string_view section,
                           std::optional<std::string_view> key, std::optional<std::string_view> value) = 0;

  // Whether a write to the file can succeed now, found without changing what
  // it holds: an existing file is opened for writing, a missing one is made
  // and removed again. Lets a caller stop before it changes anything else.
  virtual bool CanWrite(const std::wstring& path) = 0;
};

// The platform's store on Windows, the portable store elsewhere.
ProfileStore& DefaultProfileStore();

}  // namespace zrnx
