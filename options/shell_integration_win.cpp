// The registry, Send To folder and shell notification calls of the shell
// integration.

#include "options/shell_integration_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string_view>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "options/shell_integration_logic.h"
#include "options/shortcut_progress_win.h"
#include "options/shell_ports_win.h"

namespace zrnx {
namespace {

struct KeyPlace {
  HKEY root;
  std::string path;
};

KeyPlace Place(RegistryRoot root, const std::string& key) {
  if (root == RegistryRoot::kClasses) return {HKEY_CLASSES_ROOT, key};
  return {HKEY_CURRENT_USER, "Software\\Classes\\" + key};
}

RegStatus StatusOf(LONG result) {
  if (result == ERROR_SUCCESS) return RegStatus::kOk;
  return result == ERROR_ACCESS_DENIED ? RegStatus::kAccessDenied : RegStatus::kFailed;
}

// Environment strings expanded as the shell expands them; the text as it is
// when that fails.
std::wstring Expanded(const std::wstring& text) {
  if (text.find(L'%') == std::wstring::npos) return text;
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);
  return expanded;
}

// The file-system path of a link's item list, nullopt when it has none.
std::optional<std::wstring> IdListPath(IShellLinkW* link) {
  PIDLIST_ABSOLUTE list = nullptr;
  if (link->GetIDList(&list) != S_OK || !list) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!found) return std::nullopt;
  return std::wstring(path);
}

LONG CreateOpen(const KeyPlace& place, ScopedRegKey& key) {
  DWORD disposition = 0;
  return RegCreateKeyExA(place.root, place.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, key.Put(), &disposition);
}

LONG OpenAnyAccess(HKEY root, const std::string& path, ScopedRegKey& key) {
  LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Put());
  if (result != ERROR_SUCCESS) result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put());
  return result;
}

void DeleteKeyTree(HKEY root, const std::string& path) {
  {
    ScopedRegKey key;
    if (OpenAnyAccess(root, path, key) != ERROR_SUCCESS) return;
    DWORD count = 0, longest = 0;
    RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    std::string name(longest + 1, '\0');
    // From the last down: deleting shifts the indexes of those after it.
    for (DWORD index = count; index-- > 0;) {
      DWORD length = static_cast<DWORD>(name.size());
      if (RegEnumKeyExA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
          ERROR_SUCCESS) {
        DeleteKeyTree(root, path + "\\" + std::string(name.data(), length));
      }
    }
  }
  RegDeleteKeyA(root, path.c_str());
}

class Win32Registry final : public RegistryPort {
 public:
  RegStatus CreateKey(RegistryRoot root, const std::string& key) override {
    ScopedRegKey handle;
    return StatusOf(CreateOpen(Place(root, key), handle));
  }

  // Through the wide call, so a path outside the code page is stored as it
  // is; the rest is converted as the narrow call would.
  RegStatus SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& data, const std::optional<std::wstring>& path) override {
    ScopedRegKey handle;
    LONG result = CreateOpen(Place(root, key), handle);
    if (result != ERROR_SUCCESS) return StatusOf(result);
    std::wstring text = DataText(data);
    if (path) {
      if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, *path);
    }
    return StatusOf(RegSetValueExW(handle.Get(), DataText(name).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
  }

  void DeleteTree(RegistryRoot root, const std::string& key) override {
    KeyPlace place = Place(root, key);
    DeleteKeyTree(place.root, place.path);
  }

  bool KeyExists(RegistryRoot root, const std::string& key) override {
    KeyPlace place = Place(root, key);
    ScopedRegKey handle;
    return OpenAnyAccess(place.root, place.path, handle) == ERROR_SUCCESS;
  }

  std::optional<std::wstring> ReadValue(RegistryRoot root, const std::string& key, const std::string& name) override {
    KeyPlace place = Place(root, key);
    ScopedRegKey handle;
    if (RegOpenKeyExW(place.root, DataText(place.path).c_str(), 0, KEY_READ, handle.Put()) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    // Wide: a path outside the code page would read back as '?' and match
    // another copy's.
    const std::wstring value_name = DataText(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(handle.Get(), value_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::nullopt;
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle.Get(), value_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    data.resize(std::min<std::size_t>(bytes / sizeof(wchar_t), data.size()));
    // Stored with or without its terminator.
    if (const std::size_t end = data.find(L'\0'); end != std::wstring::npos) data.resize(end);
    return type == REG_EXPAND_SZ ? Expanded(data) : data;
  }
};

class Win32ShellFolders final : public ShellFolders {
 public:
  explicit Win32ShellFolders(HWND owner) : owner_(owner) {}

  std::optional<std::wstring> SendToFolder() override {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(owner_, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::nullopt;
    return std::wstring(path);
  }

  bool FileExists(const std::wstring& path) override {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  void RemoveFile(const std::wstring& path) override { DeleteFileW(path.c_str()); }

  std::optional<std::wstring> LinkTarget(const std::wstring& link_path) override {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Put())))) {
      return std::nullopt;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) return std::nullopt;
    if (FAILED(file->Load(link_path.c_str(), STGM_READ))) return std::nullopt;
    wchar_t target[MAX_PATH] = {};
    // The path as stored: a target that is gone must still be named. A raw
    // path may hold environment strings (%ProgramFiles%...).
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
    // No file name holds '?': the path went through a code page on its way
    // (Wine keeps only the ANSI one). The item list keeps every name whole.
    if (std::wstring_view(target).find(L'?') != std::wstring_view::npos) {
      if (std::optional<std::wstring> whole = IdListPath(link.Get())) return whole;
    }
    return Expanded(target);
  }

  void AssociationChanged() override { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

 private:
  HWND owner_;
};

// The ports live as long as the integration that uses them.
class Win32ShellIntegration final : public ShellIntegration {
 public:
  Win32ShellIntegration(HWND owner, TShellShortCut& shortcut)
      : owner_(owner), folders_(owner), logic_(registry_, folders_, shortcut, &items_) {
    logic_.sync_lock = [](const std::function<void()>& sync) { return RunLockedSync(10000, sync); };
  }
  ShellState DetectShellState(const std::wstring& item_sender_path) override {
    return logic_.DetectShellState(item_sender_path);
  }
  void ApplyShellIntegration(const ShellChoices& choices) override { logic_.ApplyShellIntegration(choices); }
  void UpdateItemShortcuts(const ShellChoices& choices) override {
    // Long reads and writes show their progress; a new window each time.
    ShortcutProgressCalls calls = ShortcutProgress(owner_);
    items_.reading = std::move(calls.reading);
    items_.progress = std::move(calls.writing);
    struct Done {
      ItemShortcuts& items;
      ~Done() { items.reading = items.progress = nullptr; }  // the window goes with them
    } done{items_};
    // A sender keeping the group in step finishes first; past 10 s the user
    // is told to try again.
    logic_.UpdateItemShortcuts(choices);
  }
  void CheckItemShortcuts(const ShellChoices& choices) override { logic_.CheckItemShortcuts(choices); }

 private:
  HWND owner_;
  Win32Registry registry_;
  Win32ShellFolders folders_;
  ItemShortcuts items_{DefaultShellLinkApi(), DefaultItemShortcutFiles()};
  PortedShellIntegration logic_;
};

}  // namespace

std::unique_ptr<RegistryPort> MakeWin32Registry() { return std::make_unique<Win32Registry>(); }

std::unique_ptr<ShellFolders> MakeWin32ShellFolders(HWND owner) { return std::make_unique<Win32ShellFolders>(owner); }

std::unique_ptr<ShellIntegration> MakeWin32ShellIntegration(HWND owner, TShellShortCut& shortcut) {
  return std::make_unique<Win32ShellIntegration>(owner, shortcut);
}

}  // namespace zrnx
