// The items page's list on Win32: read away from the window's thread (5,000
// shortcuts take seconds to read), its rows given to the list on demand.

#include "options/form_window_win.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/error_box_win.h"
#include "common/wide_text_win.h"
#include "components/item_shortcuts.h"
#include "components/shell_link.h"
#include "options/control_ids.h"
#include "options/item_hot_keys.h"
#include "options/texts.h"

namespace zrnx {
namespace {

struct Listing {
  HWND window;
  ShortcutTarget target;
  std::vector<ItemRow> rows;
  // Set by the window when it closes: the listing stops at its next link.
  std::shared_ptr<std::atomic<bool>> cancelled;
};

DWORD WINAPI ListItems(void* param) {
  std::unique_ptr<Listing> listing(static_cast<Listing*>(param));
  // COM objects belong to the apartment of the thread that made them: this
  // thread has its own, and its own shell link object (the window's thread
  // may be writing shortcuts with another at the same time).
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ShellLinkApi& links = DefaultShellLinkApi();
  links.BeginLinks();  // one object reads every link
  try {
    ItemShortcuts shortcuts(links, DefaultItemShortcutFiles());
    shortcuts.out_of_time = [&] { return listing->cancelled->load(); };
    for (ItemHotKey& item : shortcuts.ItemHotKeys(listing->target)) {
      listing->rows.push_back(
          MakeItemRow(std::move(item.relative), std::move(item.item_path), item.hot_key, item.has_shortcut));
    }
  } catch (...) {
    // An unreadable folder lists nothing; the page shows an empty list.
    listing->rows.clear();
  }
  links.FinishLinks();  // released in the apartment they were made in
  if (SUCCEEDED(com)) CoUninitialize();
  if (listing->cancelled->load()) return 0;
  HWND window = listing->window;
  if (PostMessageW(window, kItemsListedMessage, 0, reinterpret_cast<LPARAM>(listing.get()))) listing.release();
  return 0;
}

}  // namespace

void OptionsWindow::ItemsPageShown() {
  Run(&TZrnxSetForm::ItemsPageShow);
  if (items_thread_) return;  // the list on its way is shown first
  bool needed = false;
  try {
    needed = form_->ItemsNeedListing();
  } catch (const std::exception& error) {
    ShowErrorBox(error, kOptionsTitle, window_);
  }
  if (!needed) return;
  items_cancel_ = std::make_shared<std::atomic<bool>>(false);
  auto listing = std::make_unique<Listing>(Listing{window_, form_->ItemsTarget(), {}, items_cancel_});
  HANDLE thread = CreateThread(nullptr, 0, ListItems, listing.get(), 0, nullptr);
  if (!thread) return;
  listing.release();
  items_thread_.Reset(thread);
}

void OptionsWindow::StopItemsListing() {
  if (!items_thread_) return;
  items_cancel_->store(true);
  // A listing stops at its next link; one held up in a folder that does not
  // answer is left behind: it owns what it uses and posts nothing once told.
  WaitForSingleObject(items_thread_.Get(), 5000);
  items_thread_.Reset();
}

void OptionsWindow::ItemsListed(LPARAM result) {
  std::unique_ptr<Listing> listing(reinterpret_cast<Listing*>(result));
  // The thread has ended or is about to (its last step was the post).
  if (items_thread_) WaitForSingleObject(items_thread_.Get(), 5000);
  items_thread_.Reset();
  if (listing->cancelled->load()) return;
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
