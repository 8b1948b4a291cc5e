#pragma once
// The shell integration over its two ports: the registry (registry_plan.h)
// and the shell's folders. The Send To link itself is written by the
// options window's TShellShortCut.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"

#include "components/item_shortcuts.h"
#include "components/shell_shortcut.h"
#include "options/registry_plan.h"
#include "options/shell_integration.h"

namespace zrnx {

// Paths go through the wide calls: two copies in folders the code page
// cannot hold would both read as the same '?' and take each other's.
class ShellFolders {
 public:
  virtual ~ShellFolders() = default;
  // The user's Send To folder, nullopt when the shell cannot resolve it.
  virtual std::optional<std::wstring> SendToFolder() = 0;
  // A file, not a folder, is at the path.
  virtual bool FileExists(const std::wstring& path) = 0;
  // The result is not used: a missing file is no error.
  virtual void RemoveFile(const std::wstring& path) = 0;
  // The target of a shell link, environment strings expanded; nullopt when
  // the file is no readable link.
  virtual std::optional<std::wstring> LinkTarget(const std::wstring& link_path) = 0;
  // Tells the shell that file types changed, so icons and verbs are fresh.
  virtual void AssociationChanged() = 0;
};

// Our link, and the name earlier versions gave it (recognised and removed,
// never created).
inline constexpr std::wstring_view kSendToLinkName = L"\\Zarnik NX.lnk";
inline constexpr std::wstring_view kLegacySendToLinkName = L"\\クリップボード.lnk";

class PortedShellIntegration final : public ShellIntegration {
 public:
  PortedShellIntegration(RegistryPort& registry, ShellFolders& folders, TShellShortCut& shortcut,
                         ItemShortcuts* item_shortcuts = nullptr)
      : registry_(registry), folders_(folders), shortcut_(shortcut), item_shortcuts_(item_shortcuts) {}

  // Runs the Start-menu sync holding the lock other programs take for it;
  // false when the lock could not be had. Without one the sync runs as it is.
  std::function<bool(const std::function<void()>& sync)> sync_lock;

  ShellState DetectShellState(const std::wstring& item_sender_path) override;
  void ApplyShellIntegration(const ShellChoices& choices) override;
  void UpdateItemShortcuts(const ShellChoices& choices) override;
  void CheckItemShortcuts(const ShellChoices& choices) override;

 private:
  void WriteAssociation(const ShellChoices& choices);
  // Each Error text of what stayed behind goes to `leftovers`.
  void RemoveAssociation(const std::wstring& item_sender_path, std::vector<Error>& leftovers);
  void UpdateSendTo(const std::wstring& folder, const ShellChoices& choices, std::vector<Error>& leftovers);
  // Whether a program named by our entries is this copy, or gone (no name,
  // a malformed command, a file that no longer exists), so that taking the
  // entries away harms no other copy.
  bool Removable(const std::wstring& program, const std::wstring& item_sender_path);

  RegistryPort& registry_;
  ShellFolders& folders_;
  TShellShortCut& shortcut_;
  ItemShortcuts* item_shortcuts_;
};

}  // namespace zrnx
