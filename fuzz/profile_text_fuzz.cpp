// The portable profile reader and updater take any file contents and any
// names. An update must keep what it does not touch: after a write the key
// reads back as written, and the bytes before the section are unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/portable_profile_store.h"

namespace {

// The input is split at its first two 0x01 bytes into section, key and file.
std::string_view Take(std::string_view& rest) {
  std::size_t cut = rest.find('\x01');
  std::string_view part = rest.substr(0, cut);
  rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const std::string_view section = Take(rest);
  const std::string_view key = Take(rest);
  const std::string_view contents = rest;
  const zrnx::LeadBytes lead = zrnx::LeadBytes::ShiftJis();

  std::string value = zrnx::ReadProfileValue(contents, section, key, "fallback", 1024, lead);
  if (value.size() > 1023) __builtin_trap();

  const std::string written = "v" + std::string(key.substr(0, 8)) + "v";
  if (auto updated = zrnx::UpdateProfileText(contents, section, key, written, lead)) {
    std::string back = zrnx::ReadProfileValue(*updated, section, key, "fallback", 4096, lead);
    // Names with a 0x00 byte are accepted by the writer but cut by the reader, as C strings are.
    if (back != written.substr(0, written.find('\0')) && key.find('\0') == std::string_view::npos &&
        section.find('\0') == std::string_view::npos)
      __builtin_trap();
  }
  if (auto erased = zrnx::UpdateProfileText(contents, section, std::nullopt, std::nullopt, lead)) {
    if (zrnx::ReadProfileValue(*erased, section, key, "gone", 1024, lead) != "gone") __builtin_trap();
    if (erased->size() > contents.size()) __builtin_trap();
  }
  return 0;
}
