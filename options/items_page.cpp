// The items page of the options window: the menu folder's items with the
// hot keys of their Start-menu shortcuts, edited here and handed to the
// shortcut sync by OK.

#include "common/dbcs.h"
#include "common/error.h"
#include "common/path.h"
#include "options/control_ids.h"
#include "options/form_layout.h"
#include "options/options_form.h"
#include "options/texts.h"

namespace zrnx {

using namespace zrnx::ctl;

void TZrnxSetForm::ItemsPageShow() {
  // The keys live only in the shortcuts: without them there is nowhere to keep one.
  const bool usable = view_.Checked(StartMenuShortcuts);
  view_.SetText(Label16, std::string(usable ? FindControl(Label16)->caption : kKeysNeedShortcuts));
  const bool selected = view_.SelectedRow(ListView3) >= 0;
  view_.SetEnabled(HotKey1, usable && selected);
  view_.SetEnabled(Button7, usable && selected);
  view_.SetEnabled(Button8, selected);
}

ShortcutTarget TZrnxSetForm::ItemsTarget() const {
  ShortcutTarget target;
  target.menu_folder = view_.Text(Edit2);
  target.paste_mode = view_.Checked(PasteMode);
  target.wide_sender_path = paths_.item_sender_path;
  return target;
}

bool TZrnxSetForm::ItemsNeedListing() {
  if (!items_folder_) return true;
  if (*items_folder_ == view_.Text(Edit2)) return false;
  if (!item_keys_.Changes().empty()) system_.ShowBox(kKeysOfFormerFolderDropped, kOptionsBoxTitle, kBoxInformation);
  item_keys_ = ItemKeyList();
  items_folder_.reset();
  view_.SetRowCount(ListView3, 0);
  ListView3Select();
  return true;
}

void TZrnxSetForm::ItemsListed(const std::string& menu_folder, std::vector<ItemRow> rows) {
  item_keys_ = ItemKeyList(std::move(rows));
  items_folder_ = menu_folder;
  view_.SetRowCount(ListView3, static_cast<int>(item_keys_.Size()));
  ItemsPageShow();
}

void TZrnxSetForm::ListView3Select() {
  const int row = view_.SelectedRow(ListView3);
  if (row >= 0 && static_cast<std::size_t>(row) < item_keys_.Size()) {
    view_.SetHotKey(HotKey1, item_keys_.Rows()[static_cast<std::size_t>(row)].key);
  } else {
    view_.SetHotKey(HotKey1, 0);
  }
  ItemsPageShow();
}

void TZrnxSetForm::HotKey1Change() {
  const int row = view_.SelectedRow(ListView3);
  if (row < 0) return;
  item_keys_.SetKey(static_cast<std::size_t>(row), view_.HotKey(HotKey1));
  view_.RefreshRows(ListView3);
}

void TZrnxSetForm::Button7Click() {
  view_.SetHotKey(HotKey1, 0);
  HotKey1Change();
}

void TZrnxSetForm::Button8Click() {
  const int row = view_.SelectedRow(ListView3);
  if (row < 0 || static_cast<std::size_t>(row) >= item_keys_.Size()) return;
  const std::string& item = item_keys_.Rows()[static_cast<std::size_t>(row)].item_path;
  std::string editor = UnquotedPath(view_.Text(Edit1));
  if (editor.empty()) editor = defaults_.editor;
  system_.StartProcess(editor, "\"" + editor + "\" \"" + item + "\"");
}

bool TZrnxSetForm::KeysWillBeWritten() const {
  return view_.Checked(StartMenuShortcuts) && items_folder_ && *items_folder_ == view_.Text(Edit2);
}

bool TZrnxSetForm::RefuseItemKeys() {
  // Keys that will not be written are not judged: with the box off their
  // controls are disabled, and the user could not correct them.
  if (!KeysWillBeWritten()) return false;
  const std::optional<KeyRefusal> refusal = item_keys_.FirstRefusal();
  if (!refusal) return false;
  const std::vector<ItemRow>& rows = item_keys_.Rows();
  std::string text;
  if (refusal->other) {
    text = WithValue(kKeyTaken, rows[*refusal->other].relative);
  } else {
    std::string_view pattern = kKeyIncomplete;
    if (refusal->problem == HotKeyProblem::kNeedsTwoModifiers) pattern = kKeyNeedsTwoModifiers;
    if (refusal->problem == HotKeyProblem::kReserved) pattern = kKeyReserved;
    text = WithValue(pattern, rows[refusal->row].relative);
  }
  system_.ShowBox(text, kOptionsBoxTitle, kBoxError);
  view_.ShowPage(TabSheet6);
  view_.SelectRow(ListView3, static_cast<int>(refusal->row));
  ListView3Select();
  view_.Focus(HotKey1);
  return true;
}

bool TZrnxSetForm::DropKeysOfFormerFolder() {
  if (!view_.Checked(StartMenuShortcuts) || !items_folder_ || *items_folder_ == view_.Text(Edit2) ||
      item_keys_.Changes().empty())
    return true;
  // Cancel: back to the window as it was, where the folder can be set back.
  return system_.ShowBox(kKeysOfFormerFolderAtOk, kOptionsBoxTitle, kBoxOkCancel | kBoxQuestion) == kAnswerOk;
}

std::map<std::string, std::uint16_t> TZrnxSetForm::ItemKeyChanges() const {
  if (!ok_pressed_ || !items_folder_ || *items_folder_ != options_.data) return {};
  return item_keys_.Changes();
}

}  // namespace zrnx
