#pragma once
// TZrnxSetForm: the options window's handlers, written against the ports of
// form_ports.h. The window owns its components (the folder browser, the
// Send To shortcut, the hyperlink labels the Win32 layer adds), the option
// set and the per-run state that decides about saving and restarting.

#include <cstdint>
#include <memory>
#include <string>

#include "common/dbcs.h"
#include "common/profile_store.h"
#include "components/browse_folder_dlg.h"
#include "components/component.h"
#include "components/shell_shortcut.h"
#include "options/editor_program.h"
#include "components/item_shortcuts.h"
#include "options/form_ports.h"
#include "options/item_hot_keys.h"
#include "options/option_set.h"
#include "options/shell_integration.h"

namespace zrnx {

// What closing the window does, decided from the per-run state.
struct CloseDecision {
  bool apply;        // save and register as OK would (a first run closed without OK)
  bool ask_restart;  // offer the restart
};
CloseDecision DecideClose(bool restart_needed, bool settings_exist, bool ok_pressed, bool association_changed);

// The command line that opens `folder` in Explorer: both paths quoted, so
// commas and spaces in the folder survive.
std::string ExplorerCommandLine(const std::string& explorer, const std::string& folder,
                                const LeadBytes& lead = SystemLeadBytes());

class TZrnxSetForm : public TComponent {
 public:
  TZrnxSetForm(FormView& view, FormSystem& system, FormPaths paths, ProfileStore& store = DefaultProfileStore(),
               FolderBrowser& browser = DefaultFolderBrowser(), ShellLinkApi& links = DefaultShellLinkApi());
  ~TZrnxSetForm() override;

  // The shell integration, made once ShellShortCut1 exists; needed before
  // FormCreate.
  void SetShellIntegration(std::unique_ptr<ShellIntegration> shell) { shell_ = std::move(shell); }

  TBrowseFolderDlg& BrowseFolderDlg1() { return *browse_folder_dlg1_; }
  TShellShortCut& ShellShortCut1() { return *shell_short_cut1_; }
  std::uintptr_t WindowHandle() const override { return window_handle_; }
  void SetWindowHandle(std::uintptr_t handle) { window_handle_ = handle; }

  // Events of the window (form_layout.h wires them by name).
  void FormCreate();
  void FormShow();
  void FormCloseQuery();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void KanrenClick();
  void NoWinBt_SelClick();
  void NoWinBt_UpdateClick();
  void NoWinBt_InsClick();
  void NoWinBt_DelClick();
  void ListView2DblClick();
  void ListView2KeyDown(int key, unsigned shift);

  // The items page (items_page.cpp). Each time it comes up: whether its
  // keys can be used. The items are listed by the window, away from its
  // thread, once the page is first shown: for the menu folder of ItemsTarget.
  void ItemsPageShow();
  // Whether the page must be listed (again): never listed, or listed for
  // another menu folder than the one now set, whose rows and keys go (the
  // user is told when keys were typed).
  bool ItemsNeedListing();
  ShortcutTarget ItemsTarget() const;
  void ItemsListed(const std::string& menu_folder, std::vector<ItemRow> rows);
  const ItemKeyList& ItemKeys() const { return item_keys_; }
  void ListView3Select();  // another row selected
  void HotKey1Change();    // the key typed belongs to the selected item at once
  void Button7Click();     // clear its key
  void Button8Click();     // open it in the editor

  void LoadOptions();
  void SaveOptions();
  // Controls into the option set, then the shell integration, [Option],
  // [ThroughWindow] and the items' Start-menu shortcuts; an Error ends it at
  // the failing step.
  void ApplyOptions();

  const OptionSet& Options() const { return options_; }
  const FormPaths& Paths() const { return paths_; }
  bool OkPressed() const { return ok_pressed_; }
  bool RestartNeeded() const { return restart_needed_; }

 private:
  ShellIntegration& Shell();
  // ApplyOptions with its error shown; false when it failed.
  bool ApplyShowingError();
  bool SettingsExist() { return system_.PathExists(paths_.settings_path); }
  // A key OK cannot write: the box naming the item, and that item shown. True when refused.
  bool RefuseItemKeys();
  // Typed keys OK will not write, as the items were listed for another menu
  // folder: the user is asked first. True when OK goes on.
  bool DropKeysOfFormerFolder();
  // Whether typed keys can reach the shortcuts: the Start-menu box ticked
  // and the page listed for the menu folder now set.
  bool KeysWillBeWritten() const;
  // The keys OK hands the shortcut sync: none after Cancel, or when the
  // items were listed from another menu folder than the one saved.
  std::map<std::string, std::uint16_t> ItemKeyChanges() const;

  FormView& view_;
  FormSystem& system_;
  FormPaths paths_;
  ProfileStore& store_;
  TBrowseFolderDlg* browse_folder_dlg1_;
  TShellShortCut* shell_short_cut1_;
  std::unique_ptr<ShellIntegration> shell_;
  std::uintptr_t window_handle_ = 0;

  OptionSet options_;
  OptionDefaults defaults_;
  bool ok_pressed_ = false;
  bool restart_needed_ = false;
  bool association_on_ = false;
  bool send_to_on_ = false;
  bool initial_association_ = false;
  std::int32_t loaded_through_count_ = 0;
  ItemKeyList item_keys_;
  std::optional<std::string> items_folder_;  // the menu folder the page lists, once listed
  // The Data whose group holds our shortcuts: what was loaded, until a sync
  // for another one has gone through. An OK that failed leaves it.
  std::string shortcuts_folder_;
};

// The handler the layout names (a click, or a double-click in a list
// view); nullptr for an unknown name.
using FormHandler = void (TZrnxSetForm::*)();
FormHandler FindHandler(std::string_view name);

}  // namespace zrnx
