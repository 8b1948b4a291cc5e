// The shell's folder browser with a callback that centres the browser, sets
// its title, selects the starting folder and keeps the selected path in the
// status line. Through the wide calls: the title and the instruction are the
// program's own texts, readable under any system code page; the folders are
// data in the system code page.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "components/browse_folder_dlg.h"

namespace zrnx {
namespace {

// The MAX_PATH path buffer of the running browser: the callback receives
// only the starting folder, so it finds the buffer here.
wchar_t* g_path_buffer = nullptr;

// Whether the first selection change of the running browser is still to
// come. The selection asked for at start can be lost while the tree is still
// being filled (seen under load), so the first change that lands elsewhere
// asks once more.
bool g_first_selection = false;

class PathBufferInUse {
 public:
  explicit PathBufferInUse(wchar_t* buffer) {
    g_path_buffer = buffer;
    g_first_selection = true;
  }
  ~PathBufferInUse() {
    g_path_buffer = nullptr;
    g_first_selection = false;
  }
  PathBufferInUse(const PathBufferInUse&) = delete;
  PathBufferInUse& operator=(const PathBufferInUse&) = delete;
};

// The same folder, whatever the case of its letters or a trailing backslash.
bool SameFolder(const wchar_t* a, const wchar_t* b) {
  std::wstring left(a), right(b);
  for (std::wstring* path : {&left, &right})
    if (path->size() > 3 && path->back() == L'\\') path->pop_back();
  return lstrcmpiW(left.c_str(), right.c_str()) == 0;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM start_folder) {
  switch (message) {
    case BFFM_INITIALIZED: {
      // On the primary screen, whatever the owner's position.
      RECT rect{};
      GetWindowRect(browser, &rect);
      const Point corner = CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                           rect.right - rect.left, rect.bottom - rect.top);
      SetWindowPos(browser, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE);
      SetWindowTextW(browser, OwnText(BrowseTitle()).c_str());
      SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start_folder);
      if (BrowseShowsStatus()) SendMessageW(browser, BFFM_SETSTATUSTEXTW, TRUE, start_folder);
      break;
    }
    case BFFM_SELCHANGED: {
      const wchar_t* start = reinterpret_cast<const wchar_t*>(start_folder);
      if (g_first_selection && g_path_buffer) {
        g_first_selection = false;
        wchar_t selected[MAX_PATH] = {};
        const bool has_path = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), selected);
        if (start && *start && (!has_path || !SameFolder(selected, start)))
          PostMessageW(browser, BFFM_SETSELECTIONW, TRUE, start_folder);
      }
      if (BrowseShowsStatus() && g_path_buffer) {
        SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), g_path_buffer);
        SendMessageW(browser, BFFM_SETSTATUSTEXTW, TRUE, reinterpret_cast<LPARAM>(g_path_buffer));
      }
      break;
    }
  }
  return 0;
}

class ShellFolderBrowser final : public FolderBrowser {
 public:
  std::optional<std::string> Browse(const BrowseRequest& request) override {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Put())) || !allocator) return std::nullopt;
    ScopedMalloc buffer(MallocBlock{allocator.Get(), allocator->Alloc(MAX_PATH * sizeof(wchar_t))});
    wchar_t* path = static_cast<wchar_t*>(buffer.Get().block);
    if (!path) return std::nullopt;
    path[0] = L'\0';
    PathBufferInUse in_use(path);

    const std::wstring instruction = OwnText(request.instruction);
    const std::wstring directory = DataText(request.directory);  // never NULL: empty is ""
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(request.owner);
    info.pidlRoot = nullptr;  // the whole namespace, from the desktop
    info.pszDisplayName = path;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = request.flags;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(directory.c_str());
    info.iImage = -1;

    ScopedMalloc chosen(MallocBlock{allocator.Get(), SHBrowseForFolderW(&info)});
    if (!chosen.Get().block) return std::nullopt;
    // An item without a file-system path gives no folder: the caller keeps
    // what it had rather than a display name. So does a folder the code page
    // cannot hold even by its short name.
    return CodePageFolder(static_cast<PCIDLIST_ABSOLUTE>(chosen.Get().block));
  }
};

}  // namespace

FolderBrowser& DefaultFolderBrowser() {
  static ShellFolderBrowser browser;
  return browser;
}

}  // namespace zrnx
