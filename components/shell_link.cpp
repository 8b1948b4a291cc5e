#include "components/shell_link.h"

#include "common/error.h"
#include "common/path.h"

namespace zrnx {
namespace {

template <TSCDirectoryType type>
bool MakeShortCutIn(ShellLinkApi& api, const std::string& name, const LinkFields& fields) {
  constexpr SpecialFolder folder = kSpecialFolders[type];
  std::optional<std::string> folder_path = api.SpecialFolderPath(folder.csidl);
  if (!folder_path) throw Error(std::string(kNoSpecialFolder));

  // The name is joined directly: its own leading backslash is the separator.
  const std::string link_path = *folder_path + name;
  // Checked before any folder is made, so a name that cannot be written leaves nothing behind.
  if (link_path.size() > kMaxLinkPath) throw Error(WithValue(kLinkPathTooLong, link_path));

  if constexpr (folder.creates_folders) ForceDirectories(DirectoryPart(link_path), api);
  return api.SaveLink(link_path, fields);
}

}  // namespace

const std::array<LinkRoutine, 6> kLinkRoutines{
    &MakeShortCutIn<scDeskTop>, &MakeShortCutIn<scProgram>, &MakeShortCutIn<scStartMenu>,
    &MakeShortCutIn<scStartUp>, &MakeShortCutIn<scRecent>,  &MakeShortCutIn<scSendto>,
};

void ForceDirectories(std::string directory, ShellLinkApi& api, const LeadBytes& lead) {
  if (directory.empty()) throw Error(std::string(kCannotCreateDirectory));
  if (EndsWithBackslash(directory, lead)) directory.pop_back();
  // Drive names and roots ("C:", "\\") are never made; neither is anything that exists.
  if (directory.size() < 3 || api.DirectoryExists(directory)) return;
  std::string parent = FolderPart(directory, lead);
  if (parent == directory) return;
  ForceDirectories(std::move(parent), api, lead);
  api.MakeDirectory(directory);
}

}  // namespace zrnx
