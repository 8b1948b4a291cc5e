#pragma once
// A reader and writer of the settings file's format for platforms without
// the private-profile calls, with the behaviour programs rely on:
//
// - lines end at LF (a CR before it belongs to the line ending); a line
//   "[name]" opens a section (the name runs to the last ']' of the line),
//   "key=value" is an entry, blank lines and other lines are kept as they are;
// - section and key names match without regard to the case of ASCII letters
//   (double-byte characters compared as they stand); only the first section
//   of a name counts, and in it the first entry of a key;
// - a missing file, section or key, and a key line without '=', give the
//   fallback; "key=" gives the empty text;
// - a value loses the blanks around it (space, tab, CR, LF, VT, FF, ^Z), ends
//   at a 0x00 byte, loses one enclosing pair of '"' or '\'' and is cut to
//   buffer_size - 1 bytes; the fallback is returned unchanged apart from
//   that cut;
// - a write replaces an existing value in place, adds a missing key at the
//   end of its section and a missing section at the end of the file, keeping
//   every other byte; erasing removes every section of that name with all its
//   lines.
//
// Writes are refused (false, nothing changed) when they could not be read
// back as written: an empty name, a line break in a name or value, '=' in a
// key or a key that begins with '['. A 0x00 byte ends a value, as it does for
// a C string. The file is replaced as a whole through a temporary file, so a
// failure never loses what was in it, and it is read afresh on every call.

#include <optional>
#include <string>
#include <string_view>

#include "common/dbcs.h"
#include "common/profile_store.h"

namespace zrnx {

// The value of `key` in `section` of the file contents, as GetString returns it.
std::string ReadProfileValue(std::string_view contents, std::string_view section, std::string_view key,
                             std::string_view fallback, std::size_t buffer_size,
                             const LeadBytes& lead = SystemLeadBytes());

// The contents after one write: `key` set to `value` in `section`; with no
// value the key is removed, with no key the whole section. nullopt when the
// write is refused (see above).
std::optional<std::string> UpdateProfileText(std::string_view contents, std::string_view section,
                                             std::optional<std::string_view> key,
                                             std::optional<std::string_view> value,
                                             const LeadBytes& lead = SystemLeadBytes());

class PortableProfileStore final : public ProfileStore {
 public:
  explicit PortableProfileStore(const LeadBytes& lead = SystemLeadBytes()) : lead_(lead) {}

  // A file that cannot be read gives the fallback.
  std::string GetString(const std::wstring& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t buffer_size) override;

  // False when the write is refused, the file exists but cannot be read or
  // replaced (a folder, read-only), or the folder cannot take the temporary
  // file. Erasing a section of a missing file succeeds without creating it.
  bool WriteString(const std::wstring& path, std::string_view section, std::optional<std::string_view> key,
                   std::optional<std::string_view> value) override;

  // An existing file gets its own bytes back; a missing one is made and removed.
  bool CanWrite(const std::wstring& path) override;

 private:
  const LeadBytes& lead_;
};

}  // namespace zrnx
