// The items page's list on Win32: read away from the window's thread (5,000
// shortcuts take seconds to read), its rows given to the list on demand.

#include "options/form_window_win.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "common/wide_text_win.h"
#include "components/item_shortcuts.h"
#include "components/shell_link.h"
#include "options/control_ids.h"
#include "options/item_hot_keys.h"

namespace zrnx {
namespace {

struct Listing {
  HWND window;
  ShortcutTarget target;
  std::vector<ItemRow> rows;
};

DWORD WINAPI ListItems(void* param) {
  std::unique_ptr<Listing> listing(static_cast<Listing*>(param));
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  try {
    ItemShortcuts shortcuts(DefaultShellLinkApi(), DefaultItemShortcutFiles());
    for (ItemHotKey& item : shortcuts.ItemHotKeys(listing->target)) {
      listing->rows.push_back(
          MakeItemRow(std::move(item.relative), std::move(item.item_path), item.hot_key, item.has_shortcut));
    }
  } catch (...) {
    // An unreadable folder lists nothing; the page shows an empty list.
    listing->rows.clear();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  HWND window = listing->window;
  if (PostMessageW(window, kItemsListedMessage, 0, reinterpret_cast<LPARAM>(listing.get()))) listing.release();
  return 0;
}

}  // namespace

void OptionsWindow::ItemsPageShown() {
  Run(&TZrnxSetForm::ItemsPageShow);
  if (items_requested_) return;
  items_requested_ = true;
  auto listing = std::make_unique<Listing>(Listing{window_, form_->ItemsTarget(), {}});
  HANDLE thread = CreateThread(nullptr, 0, ListItems, listing.get(), 0, nullptr);
  if (!thread) {
    items_requested_ = false;
    return;
  }
  listing.release();
  CloseHandle(thread);
}

void OptionsWindow::ItemsListed(LPARAM result) {
  std::unique_ptr<Listing> listing(reinterpret_cast<Listing*>(result));
  try {
    form_->ItemsListed(listing->target.menu_folder, std::move(listing->rows));
  } catch (const std::exception&) {
    // Nothing to show: the list stays empty.
  }
}

LRESULT OptionsWindow::ItemRowText(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return 0;
  const std::vector<ItemRow>& rows = form_->ItemKeys().Rows();
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows.size()) return 0;
  const ItemRow& row = rows[static_cast<std::size_t>(item.iItem)];
  switch (item.iSubItem) {
    case 0:
      row_text_ = DataText(row.name);
      break;
    case 1:
      row_text_ = DataText(row.folder);
      break;
    default:
      row_text_ = OwnText(HotKeyText(row.key));
      break;
  }
  lstrcpynW(item.pszText, row_text_.c_str(), item.cchTextMax);
  return 0;
}

}  // namespace zrnx
