#pragma once
// The links a send has read, kept between sends by each file's stamp: a
// group too large to read within a send's time bound is read a part per
// send, and a send after that reads only the links that changed.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "components/shell_link.h"

namespace zrnx {

struct CachedLink {
  std::uint64_t stamp = 0;  // FolderEntry::stamp when it was read
  LinkRead link;
  bool operator==(const CachedLink&) const = default;
};

// By the link's file name in the group.
using LinkCache = std::map<std::string, CachedLink>;

// One line a link, fields apart by tabs, with '\', tab and line ends
// escaped; a line that does not read back whole is left out.
std::string LinkCacheText(const LinkCache& cache);
LinkCache ParseLinkCache(const std::string& text);

// A wide text as four hex digits a character, and back (nullopt for
// anything else): how wide paths are kept among bytes.
std::string WideHex(const std::wstring& text);
std::optional<std::wstring> WideOfHex(std::string_view hex);

}  // namespace zrnx
