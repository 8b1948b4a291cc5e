#include "options/options_form.h"

#include <array>
#include <utility>

#include "common/dbcs.h"
#include "common/error.h"
#include "common/path.h"
#include "common/settings_file.h"
#include "common/settings_keys.h"
#include "options/control_ids.h"
#include "options/texts.h"

namespace zrnx {
namespace {

using namespace zrnx::ctl;

// The components' stored settings, applied in this order when the window is made.
const std::array<StoredProperty, 4> kBrowseFolderDlg1Properties{{
    {"Name", std::string("BrowseFolderDlg1")},
    {"Caption", std::string("フォルダの参照")},
    {"TextLine1", std::string("Zarnik NX のアイテムを置くフォルダを指定して下さい。")},
    {"ShowSelectDir", true},
}};

}  // namespace

CloseDecision DecideClose(bool restart_needed, bool settings_exist, bool ok_pressed, bool association_changed) {
  const bool restart = restart_needed || !settings_exist || (ok_pressed && association_changed);
  return {restart && !ok_pressed, restart};
}

std::string ExplorerCommandLine(const std::string& explorer, const std::string& folder, const LeadBytes& lead) {
  // A backslash of its own before the closing quote would escape it for
  // programs that split their command line as the C runtime does; a drive
  // root keeps its backslash.
  std::string target = folder;
  if (FolderPart(target, lead).size() == target.size() && target.back() == '\\') target = DirectoryPart(target, lead);
  return "\"" + explorer + "\"" + std::string(kExplorerSwitches) + "\"" + target + "\"";
}

TZrnxSetForm::TZrnxSetForm(FormView& view, FormSystem& system, FormPaths paths, ProfileStore& store,
                           FolderBrowser& browser, ShellLinkApi& links)
    : TComponent(nullptr),
      view_(view),
      system_(system),
      paths_(std::move(paths)),
      store_(store),
      browse_folder_dlg1_(new TBrowseFolderDlg(this, browser)),
      shell_short_cut1_(new TShellShortCut(this, links)) {
  SetName("ZrnxSetForm");
  browse_folder_dlg1_->LoadProperties(kBrowseFolderDlg1Properties);
  shell_short_cut1_->LoadProperties(kSendToLinkProperties);
}

// The integration refers to ShellShortCut1, which the base destroys.
TZrnxSetForm::~TZrnxSetForm() { shell_.reset(); }

void TZrnxSetForm::LoadOptions() {
  const SettingsFile file(paths_.settings_path, store_);
  // The default menu folder asks the shell, which is slow to load: only
  // when the file has no menu folder (an empty one stands as it is).
  constexpr std::string_view kMissing = "\x01";
  const bool data_missing = file.ReadText(kOptionSection, "Data", kMissing) == kMissing;
  const std::optional<std::string> start_menu = data_missing ? system_.StartMenuFolder() : std::nullopt;
  const OptionDefaults fresh = MakeOptionDefaults(system_.WindowsDirectory(), start_menu.value_or(""));
  defaults_.editor = fresh.editor;
  if (start_menu) defaults_.menu_folder = fresh.menu_folder;
  options_ = zrnx::LoadOptions(file, defaults_);
}

void TZrnxSetForm::SaveOptions() {
  SettingsFile file(paths_.settings_path, store_);
  zrnx::SaveOptions(file, options_);
}

ShellIntegration& TZrnxSetForm::Shell() {
  if (!shell_) throw Error("ｼｪﾙ統合が設定されていません");
  return *shell_;
}

// What the settings file holds; the shell's state waits until the window is
// shown (FormShow), since asking the shell is the slow part of the start.
void TZrnxSetForm::FormCreate() {
  LoadOptions();
  shortcuts_folder_ = options_.data;
  view_.SetChecked(PasteMode, options_.paste_mode);
  view_.SetText(Edit1, options_.editor);
  view_.SetText(Edit2, options_.data);
  view_.SetChecked(New, options_.new_menu);
  for (int i = 0; i < 10; ++i) view_.SetText(DateFormat0 + i, options_.date_formats[static_cast<std::size_t>(i)]);
  view_.SetItemIndex(SendKey_Paste, options_.send_key_paste);
  view_.SetChecked(RestoreClipboard, options_.restore_clipboard);
  view_.SetChecked(StartMenuShortcuts, options_.start_menu_shortcuts);
}

void TZrnxSetForm::FormShow() {
  const ShellState state = Shell().DetectShellState(paths_.item_sender_path);
  association_on_ = state.association;
  send_to_on_ = state.send_to;
  if (!SettingsExist()) association_on_ = true;
  view_.SetChecked(SendTo, send_to_on_);
  view_.SetChecked(Kanren, association_on_);
  initial_association_ = association_on_;
  NoWinBt_UpdateClick();
  view_.ClearRows(ListView2);
  const SettingsFile file(paths_.settings_path, store_);
  ThroughList list = LoadThroughWindows(file, SettingsExist());
  loaded_through_count_ = list.loaded_count;
  for (const WindowRow& row : list.rows) view_.AddRow(ListView2, row);
  KanrenClick();
  view_.ShowPage(TabSheet1);
  view_.Focus(Kanren);
}

void TZrnxSetForm::KanrenClick() {
  const bool on = view_.Checked(Kanren);
  view_.SetEnabled(PasteMode, on);
  view_.SetEnabled(New, on);
}

void TZrnxSetForm::ApplyOptions() {
  // Refused before anything is written: the file would get '?' in their place.
  for (const auto& [id, field] : {std::pair{Edit1, kEditorField}, std::pair{Edit2, kMenuFolderField}}) {
    if (!view_.TextFitsCodePage(id)) throw Error(WithValue(kValueDoesNotFit, field));
  }
  options_.paste_mode = view_.Checked(PasteMode);
  // Saved as a path: the Edit verb adds quotes of its own.
  options_.editor = UnquotedPath(view_.Text(Edit1));
  if (options_.editor.empty()) options_.editor = defaults_.editor;
  options_.data = view_.Text(Edit2);
  options_.new_menu = view_.Checked(New);
  for (int i = 0; i < 10; ++i) options_.date_formats[static_cast<std::size_t>(i)] = view_.Text(DateFormat0 + i);
  options_.send_key_paste = view_.ItemIndex(SendKey_Paste);
  options_.restore_clipboard = view_.Checked(RestoreClipboard);
  options_.start_menu_shortcuts = view_.Checked(StartMenuShortcuts);

  ShellChoices choices =
      MakeShellChoices(view_.Checked(Kanren), view_.Checked(SendTo), options_, paths_.item_sender_path);
  choices.old_menu_folder = shortcuts_folder_;
  choices.hot_keys = ItemKeyChanges();
  Shell().CheckItemShortcuts(choices);
  // The shell is left as it was when the settings cannot be saved after it.
  SettingsFile(paths_.settings_path, store_).CheckWritable();

  Shell().ApplyShellIntegration(choices);

  SaveOptions();
  SettingsFile file(paths_.settings_path, store_);
  SaveThroughWindows(file, view_.Rows(ListView2), loaded_through_count_);
  Shell().UpdateItemShortcuts(choices);
  shortcuts_folder_ = options_.data;
}

bool TZrnxSetForm::ApplyShowingError() {
  try {
    ApplyOptions();
    return true;
  } catch (const Error& error) {
    system_.ShowErrorBox(error, kOptionsTitle);
    return false;
  }
}

void TZrnxSetForm::Button1Click() {
  if (RefuseItemKeys() || !DropKeysOfFormerFolder()) return;
  const bool restart_before = restart_needed_;
  const bool first_run = !SettingsExist();
  ok_pressed_ = true;
  view_.HideForm();
  if (first_run) restart_needed_ = true;
  if (!ApplyShowingError()) {
    view_.ShowForm();
    // A first run that failed after the settings were saved has registered
    // the shell: that OK stands, so closing offers the restart a first run
    // needs and does not apply a second time.
    if (first_run && SettingsExist()) return;
    // Otherwise back to the window as it was, so the user can correct or cancel.
    ok_pressed_ = false;
    restart_needed_ = restart_before;
    return;
  }
  view_.CloseForm();
}

void TZrnxSetForm::Button2Click() {
  view_.HideForm();
  view_.CloseForm();
}

void TZrnxSetForm::FormCloseQuery() {
  const CloseDecision decision = DecideClose(restart_needed_, SettingsExist(), ok_pressed_,
                                             view_.Checked(Kanren) != initial_association_);
  restart_needed_ = decision.ask_restart;
  if (!decision.ask_restart) return;
  // A first run closed without OK: on failure the error is shown and the
  // program ends without the question.
  if (decision.apply && !ApplyShowingError()) return;
  view_.HideForm();
  if (system_.ShowBox(kRestartQuestion, kOptionsBoxTitle, kBoxOkCancel | kBoxInformation) != kAnswerOk) return;
  if (!system_.Restart()) system_.ShowBox(kRestartRefused, kOptionsBoxTitle, kBoxError);
}

void TZrnxSetForm::Button3Click() {
  const std::string current = UnquotedPath(view_.Text(Edit1));
  if (auto chosen = system_.PickExecutable(FolderPart(current), NamePart(current))) view_.SetText(Edit1, *chosen);
}

void TZrnxSetForm::Button4Click() {
  browse_folder_dlg1_->SetDirectory(view_.Text(Edit2));
  if (browse_folder_dlg1_->Execute()) view_.SetText(Edit2, browse_folder_dlg1_->Directory());
}

void TZrnxSetForm::Button5Click() {
  const std::string folder = view_.Text(Edit2);
  if (folder.empty()) return;
  if (!system_.FolderExists(folder)) {
    system_.ShowBox(kFolderMissing, kOptionsBoxTitle, kBoxError);
    return;
  }
  const std::string explorer = system_.WindowsDirectory() + "\\" + std::string(kExplorerName);
  if (!system_.FileExists(explorer)) {
    system_.ShowBox(kExplorerMissing, kOptionsBoxTitle, kBoxError);
    return;
  }
  system_.StartProcess(explorer, ExplorerCommandLine(explorer, folder));
}

void TZrnxSetForm::Button6Click() { view_.SetItemIndex(SendKey_Paste, 0); }

void TZrnxSetForm::NoWinBt_UpdateClick() {
  view_.ClearRows(ListView1);
  for (const WindowRow& row : ListShownWindows(system_.TopLevelWindows())) view_.AddRow(ListView1, row);
}

void TZrnxSetForm::NoWinBt_SelClick() {
  const int selected = view_.SelectedRow(ListView1);
  if (selected < 0) return;
  const std::vector<WindowRow> rows = view_.Rows(ListView1);
  if (static_cast<std::size_t>(selected) >= rows.size()) return;
  view_.SetText(Edit3, rows[static_cast<std::size_t>(selected)].name);
  view_.SetText(Edit4, rows[static_cast<std::size_t>(selected)].class_name);
  view_.Focus(Edit3);
}

void TZrnxSetForm::NoWinBt_InsClick() {
  WindowRow row{view_.Text(Edit3), view_.Text(Edit4)};
  if (row.name.empty() || row.class_name.empty()) return;
  view_.AddRow(ListView2, row);
  view_.SetText(Edit3, "");
  view_.SetText(Edit4, "");
}

void TZrnxSetForm::NoWinBt_DelClick() {
  const int selected = view_.SelectedRow(ListView2);
  if (selected < 0) return;
  if (system_.ShowBox(kDeleteQuestion, kDeleteTitle, kBoxYesNo | kBoxQuestion) == kAnswerNo) return;
  view_.DeleteRow(ListView2, selected);
  if (view_.Rows(ListView2).empty()) return;
  const int focused = view_.FocusedRow(ListView2);
  if (focused >= 0) view_.SelectRow(ListView2, focused);
}

void TZrnxSetForm::ListView2DblClick() {
  const int selected = view_.SelectedRow(ListView2);
  if (selected < 0) return;
  const std::vector<WindowRow> rows = view_.Rows(ListView2);
  if (static_cast<std::size_t>(selected) >= rows.size()) return;
  view_.SetText(Edit3, rows[static_cast<std::size_t>(selected)].name);
  view_.SetText(Edit4, rows[static_cast<std::size_t>(selected)].class_name);
  view_.Focus(Edit3);
  view_.DeleteRow(ListView2, selected);
}

FormHandler FindHandler(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, FormHandler>, 14> kHandlers{{
      {"Button1Click", &TZrnxSetForm::Button1Click},
      {"Button2Click", &TZrnxSetForm::Button2Click},
      {"Button3Click", &TZrnxSetForm::Button3Click},
      {"Button4Click", &TZrnxSetForm::Button4Click},
      {"Button5Click", &TZrnxSetForm::Button5Click},
      {"Button6Click", &TZrnxSetForm::Button6Click},
      {"KanrenClick", &TZrnxSetForm::KanrenClick},
      {"NoWinBt_SelClick", &TZrnxSetForm::NoWinBt_SelClick},
      {"NoWinBt_UpdateClick", &TZrnxSetForm::NoWinBt_UpdateClick},
      {"NoWinBt_InsClick", &TZrnxSetForm::NoWinBt_InsClick},
      {"NoWinBt_DelClick", &TZrnxSetForm::NoWinBt_DelClick},
      {"ListView2DblClick", &TZrnxSetForm::ListView2DblClick},
      {"Button7Click", &TZrnxSetForm::Button7Click},
      {"Button8Click", &TZrnxSetForm::Button8Click},
  }};
  for (const auto& [handler_name, handler] : kHandlers) {
    if (handler_name == name) return handler;
  }
  return nullptr;
}

void TZrnxSetForm::ListView2KeyDown(int key, unsigned) {
  if (key == kVkDelete) NoWinBt_DelClick();
}

}  // namespace zrnx
