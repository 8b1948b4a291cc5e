#include "common/settings_file.h"

#include "common/error.h"

namespace zrnx {

std::string SettingsFile::ReadText(std::string_view section, std::string_view key, std::string_view fallback) const {
  return store_.GetString(path_, section, key, fallback, kBufferSize);
}

std::int32_t SettingsFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
  return ParseProfileInteger(ReadText(section, key, "")).value_or(fallback);
}

bool SettingsFile::ReadFlag(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  Write(section, key, value);
}

void SettingsFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteText(section, key, std::to_string(value));
}

void SettingsFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

void SettingsFile::EraseSection(std::string_view section) { Write(section, std::nullopt, std::nullopt); }

void SettingsFile::CheckWritable() const {
  if (!store_.CanWrite(path_)) throw Error("%s に書き込めません", path_);
}

void SettingsFile::Write(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
  if (!store_.WriteString(path_, section, key, value)) throw Error("%s に書き込めません", path_);
}

}  // namespace zrnx
