#pragma once
// Item files on the real platform: the shell link object and the file calls,
// all through their wide forms.

#include "sender/item_files.h"

namespace zrnx {

class Win32ItemFileSystem final : public ItemFileSystem {
 public:
  // Raises Error when the shell link object cannot be created.
  std::optional<std::wstring> ReadShellLink(const std::wstring& path) override;
  std::string ReadFileBytes(const std::wstring& path) override;
  std::wstring FullPath(const std::wstring& path) override;
  void CheckReadable(const std::wstring& path) override;
};

}  // namespace zrnx
