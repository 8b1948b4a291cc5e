#include "options/shell_integration_logic.h"

#include "common/file_names.h"
#include "common/path.h"
#include "options/texts.h"

namespace zrnx {
namespace {

// Appended, not added: `a + std::string(b)` trips GCC 12's -Wrestrict.
std::wstring InFolder(const std::wstring& folder, std::wstring_view name) {
  std::wstring path;
  path.reserve(folder.size() + name.size());
  return path.append(folder).append(name);
}

// The user's copy first: while it exists it hides the machine-wide one.
constexpr RegistryRoot kRootsInViewOrder[] = {RegistryRoot::kUserClasses, RegistryRoot::kClasses};

}  // namespace

bool PortedShellIntegration::Removable(const std::wstring& program, const std::wstring& item_sender_path) {
  return program.empty() || SameFileName(program, item_sender_path) || !folders_.FileExists(program);
}

ShellState PortedShellIntegration::DetectShellState(const std::wstring& item_sender_path) {
  ShellState state;
  const std::string ext(kExtensionKey), command(kOpenCommandKey);
  // The first root that holds the extension is the one the shell uses.
  for (RegistryRoot root : kRootsInViewOrder) {
    if (!registry_.KeyExists(root, ext)) continue;
    const std::optional<std::wstring> file_type = registry_.ReadValue(root, ext, "");
    const std::optional<std::wstring> open = registry_.ReadValue(root, command, "");
    state.association = file_type && SameFileName(*file_type, kWideFileTypeKey) && open &&
                        SameFileName(CommandProgram(*open), item_sender_path);
    break;
  }
  if (std::optional<std::wstring> folder = folders_.SendToFolder()) {
    for (std::wstring_view name : {kSendToLinkName, kLegacySendToLinkName}) {
      const std::wstring path = InFolder(*folder, name);
      if (!folders_.FileExists(path)) continue;
      const std::optional<std::wstring> target = folders_.LinkTarget(path);
      if (target && SameFileName(*target, item_sender_path)) state.send_to = true;
    }
  }
  return state;
}

void PortedShellIntegration::ApplyShellIntegration(const ShellChoices& choices) {
  // Resolved before the registry is touched, used after it.
  std::optional<std::wstring> send_to = folders_.SendToFolder();
  std::vector<Error> leftovers;
  if (choices.associate) {
    WriteAssociation(choices);
  } else {
    RemoveAssociation(choices.item_sender_path, leftovers);
  }
  if (send_to) UpdateSendTo(*send_to, choices, leftovers);
  // Never a success while something of ours stays behind.
  if (!leftovers.empty()) throw leftovers.front();
}

void PortedShellIntegration::UpdateItemShortcuts(const ShellChoices& choices) {
  if (!item_shortcuts_) return;
  ShortcutTarget target{{}, choices.menu_folder, choices.paste_mode, choices.item_sender_path};
  target.old_menu_folder = choices.old_menu_folder;
  target.hot_keys = &choices.hot_keys;
  const auto sync = [&] { item_shortcuts_->Update(target, choices.start_menu); };
  if (!sync_lock) return sync();
  // Never written unlocked: a sender in the middle of the group would have
  // its half of the work undone or doubled.
  if (!sync_lock(sync)) throw Error(std::string(kShortcutsBusy));
}

void PortedShellIntegration::CheckItemShortcuts(const ShellChoices& choices) {
  if (!item_shortcuts_ || !choices.start_menu) return;
  item_shortcuts_->CheckGroup({{}, choices.menu_folder, choices.paste_mode, choices.item_sender_path});
}

void PortedShellIntegration::WriteAssociation(const ShellChoices& choices) {
  const std::vector<RegistryStep> plan = AssociationPlan(choices);
  int writes = 0;
  try {
    // A user who is not elevated may not create class keys machine-wide;
    // the same tree in the user's own classes shows in the same view.
    if (ApplyRegistryPlan(plan, registry_, RegistryRoot::kClasses, true, writes) == RegStatus::kAccessDenied) {
      ApplyRegistryPlan(plan, registry_, RegistryRoot::kUserClasses, false, writes);
    }
  } catch (...) {
    if (writes > 0) folders_.AssociationChanged();
    throw;
  }
  folders_.AssociationChanged();
}

void PortedShellIntegration::RemoveAssociation(const std::wstring& item_sender_path, std::vector<Error>& leftovers) {
  const std::string ext(kExtensionKey), type(kFileTypeKey);
  bool changed = false;
  for (RegistryRoot root : kRootsInViewOrder) {
    if (!registry_.KeyExists(root, ext) && !registry_.KeyExists(root, type)) continue;
    // Another copy's entries stay; so do those of whatever program took
    // the extension over for a file type of its own.
    const std::optional<std::wstring> open = registry_.ReadValue(root, std::string(kOpenCommandKey), "");
    if (!Removable(CommandProgram(open.value_or(L"")), item_sender_path)) continue;
    const std::optional<std::wstring> file_type = registry_.ReadValue(root, ext, "");
    std::vector<std::string> keys;
    if (!file_type || file_type->empty() || SameFileName(*file_type, kWideFileTypeKey)) keys.push_back(ext);
    keys.push_back(type);
    for (const std::string& key : keys) {
      registry_.DeleteTree(root, key);
      changed = true;
      if (registry_.KeyExists(root, key)) leftovers.emplace_back(kKeyRemoveFailed, key);
    }
  }
  if (changed) folders_.AssociationChanged();
}

void PortedShellIntegration::UpdateSendTo(const std::wstring& folder, const ShellChoices& choices,
                                          std::vector<Error>& leftovers) {
  if (choices.send_to) {
    // Wide to the link: the folder may lie outside the code page.
    shortcut_.SetLinkPath(choices.item_sender_path);
    shortcut_.SetWorksDir(DirectoryPart(choices.item_sender_path));
    shortcut_.MakeShortCut();
    return;
  }
  for (std::wstring_view name : {kSendToLinkName, kLegacySendToLinkName}) {
    const std::wstring path = InFolder(folder, name);
    if (!folders_.FileExists(path)) continue;
    if (!Removable(folders_.LinkTarget(path).value_or(L""), choices.item_sender_path)) continue;
    folders_.RemoveFile(path);
    if (folders_.FileExists(path)) leftovers.emplace_back(kFileRemoveFailed, path);
  }
}

}  // namespace zrnx
