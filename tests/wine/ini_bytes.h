#pragma once
// A settings file read back as its bytes, with no profile call in between.

#include <optional>
#include <string>
#include <string_view>

namespace zrnx::test {

// One value of an INI file given as its bytes; nullopt when the key (or its
// section) is missing. Sections and keys compare without case.
std::optional<std::string> IniValue(std::string_view bytes, std::string_view section, std::string_view key);
bool IniHasSection(std::string_view bytes, std::string_view section);

}  // namespace zrnx::test
