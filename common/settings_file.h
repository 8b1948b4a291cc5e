#pragma once
// Access to the settings file Zrnx.ini: every read and every write is one
// profile call. The object opens nothing and keeps nothing between calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/profile_store.h"

namespace zrnx {

class SettingsFile {
 public:
  explicit SettingsFile(std::wstring path, ProfileStore& store = DefaultProfileStore())
      : path_(std::move(path)), store_(store) {}

  const std::wstring& Path() const { return path_; }

  std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
  bool ReadFlag(std::string_view section, std::string_view key, bool fallback) const;

  // A failed write raises Error("<path> に書き込めません").
  void WriteText(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteFlag(std::string_view section, std::string_view key, bool value);
  void EraseSection(std::string_view section);
  // Raises the same Error as a failed write when no write could succeed now.
  void CheckWritable() const;

  static constexpr std::size_t kBufferSize = 1024;

 private:
  void Write(std::string_view section, std::optional<std::string_view> key, std::optional<std::string_view> value);

  std::wstring path_;
  ProfileStore& store_;
};

// The integer rule of the settings file: blanks first, then an optional sign
// and decimal digits, or '$' (or "0x") and up to eight hexadecimal digits
// taken as two's complement; nothing after. Anything else is nullopt.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

}  // namespace zrnx
