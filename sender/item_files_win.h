#pragma once
// Item files on the real platform: the shell link object and the file calls.

#include "sender/item_files.h"

namespace zrnx {

class Win32ItemFileSystem final : public ItemFileSystem {
 public:
  // Raises Error when the shell link object cannot be created.
  std::optional<std::string> ReadShellLink(const std::string& path) override;
  std::string ReadFileBytes(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  void CheckReadable(const std::string& path) override;
};

}  // namespace zrnx
