#include "options/shell_integration_logic.h"

#include "common/path.h"

namespace zrnx {
namespace {

// Appended, not added: `a + std::string(b)` trips GCC 12's -Wrestrict.
std::string InFolder(const std::string& folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + name.size());
  return path.append(folder).append(name);
}

}  // namespace

ShellState PortedShellIntegration::DetectShellState() {
  ShellState state;
  const std::string ext(kExtensionKey);
  state.association =
      registry_.KeyExists(RegistryRoot::kClasses, ext) || registry_.KeyExists(RegistryRoot::kUserClasses, ext);
  if (std::optional<std::string> folder = folders_.SendToFolder()) {
    state.send_to = folders_.FileExists(InFolder(*folder, kSendToLinkName)) ||
                    folders_.FileExists(InFolder(*folder, kLegacySendToLinkName));
  }
  return state;
}

void PortedShellIntegration::ApplyShellIntegration(const ShellChoices& choices) {
  // Resolved before the registry is touched, used after it.
  std::optional<std::string> send_to = folders_.SendToFolder();
  if (choices.associate) {
    WriteAssociation(choices);
  } else {
    RemoveAssociation();
  }
  if (send_to) UpdateSendTo(*send_to, choices);
}

void PortedShellIntegration::UpdateItemShortcuts(const ShellChoices& choices) {
  if (!item_shortcuts_) return;
  item_shortcuts_->Update(
      {{}, choices.menu_folder, choices.paste_mode, choices.item_sender_path},
      choices.start_menu);
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

void PortedShellIntegration::RemoveAssociation() {
  // The user's copy first: while it exists it hides the machine-wide one.
  int writes = 0;
  for (RegistryRoot root : {RegistryRoot::kUserClasses, RegistryRoot::kClasses}) {
    ApplyRegistryPlan(RemovalPlan(), registry_, root, false, writes);
  }
  folders_.AssociationChanged();
}

void PortedShellIntegration::UpdateSendTo(const std::string& folder, const ShellChoices& choices) {
  if (choices.send_to) {
    // Wide to the link: the folder may lie outside the code page.
    shortcut_.SetLinkPath(choices.item_sender_path);
    shortcut_.SetWorksDir(DirectoryPart(choices.item_sender_path));
    shortcut_.MakeShortCut();
    return;
  }
  for (std::string_view name : {kSendToLinkName, kLegacySendToLinkName}) {
    const std::string path = InFolder(folder, name);
    if (folders_.FileExists(path)) folders_.RemoveFile(path);
  }
}

}  // namespace zrnx
