// The folder listings, removals, stamps and lock of the item shortcuts.

#include <windows.h>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "components/folder_listing.h"
#include "components/item_shortcuts.h"

namespace zrnx {
namespace {

// Lines of "key stamp"; a few keys are kept, for copies or menu folders in turn.
constexpr std::size_t kKeptStamps = 16;

std::uint64_t StampOf(const WIN32_FIND_DATAW& found) {
  const std::uint64_t written =
      (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
  const std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return written ^ (size * 0x9E3779B97F4A7C15ULL);
}

std::wstring StampFile() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder) + L"\\Zarnik NX\\ItemShortcuts.dat";
}

std::wstring LinksFile() {
  const std::wstring stamps = StampFile();
  return stamps.empty() ? stamps : stamps.substr(0, stamps.rfind(L'\\')) + L"\\ItemShortcutLinks.dat";
}

// Written aside and moved over, so a reader never sees half a file.
void WriteWhole(const std::wstring& path, const std::string& text) {
  CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  const std::wstring fresh = path + L".new";
  {
    ScopedFile file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size())
      return;
  }
  MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string ReadWholeFile(const std::wstring& path) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 64 * 1024 * 1024) return {};
  std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  return text;
}

std::string ReadSmallFile(const std::wstring& path) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  // A stamp names the other copies it left alone, so the file may outgrow a page.
  std::string text(64 * 1024, '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  return text;
}

class Win32FolderLister final : public FolderLister {
 public:
  std::optional<std::vector<ListedName>> List(const std::string& folder) override {
    WIN32_FIND_DATAW found;
    ScopedFind find(FindFirstFileExW((DataText(folder) + L"\\*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    std::vector<ListedName> names;
    if (!find) {
      // A drive's root may hold nothing at all, not even "." and "..".
      if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;
      return std::nullopt;
    }
    do {
      const std::wstring_view name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const DWORD attributes = found.dwFileAttributes;
      names.push_back({DataBytes(name), FitsCodePage(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                       (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0, StampOf(found)});
    } while (FindNextFileW(find.Get(), &found));
    // Anything but the end of the list leaves it unknown what else is there.
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return names;
  }

  std::string FolderId(const std::string& folder) override {
    // Opened for its identity only: the volume's serial number and the file number.
    ScopedFile handle(CreateFileW(DataText(folder).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) return {};
    return std::to_string(info.dwVolumeSerialNumber) + ':' + std::to_string(info.nFileIndexHigh) + ':' +
           std::to_string(info.nFileIndexLow);
  }
};

class Win32ItemShortcutFiles final : public ItemShortcutFiles {
 public:
  std::optional<std::vector<FolderEntry>> ListFiles(const std::string& folder, int depth) override {
    const std::wstring wide = DataText(folder);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    Win32FolderLister lister;
    return ListBelow(lister, folder, depth);
  }

  bool RemoveFile(const std::string& path) override { return DeleteFileW(DataText(path).c_str()) != 0; }

  void RemoveEmptyFolder(const std::string& path) override { RemoveDirectoryW(DataText(path).c_str()); }

  bool FileExists(const std::wstring& path) override {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool SamePath(const std::wstring& a, const std::wstring& b) override {
    // The file system's own comparison: ordinal, case folded by the upcase table.
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
  }

  std::string LoadStamp(const std::string& key) override {
    const std::string text = ReadSmallFile(StampFile());
    const std::string prefix = key + ' ';
    for (std::size_t pos = 0; pos < text.size();) {
      std::size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      if (text.compare(pos, prefix.size(), prefix) == 0) return text.substr(pos + prefix.size(), end - pos - prefix.size());
      pos = end + 1;
    }
    return {};
  }

  void SaveStamp(const std::string& key, const std::string& stamp) override {
    const std::wstring path = StampFile();
    if (path.empty()) return;
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    // The newest first; the key's old line and the oldest ones dropped.
    std::string text = key + ' ' + stamp + '\n';
    const std::string old = ReadSmallFile(path);
    std::size_t kept = 1;
    for (std::size_t pos = 0; pos < old.size() && kept < kKeptStamps;) {
      std::size_t end = old.find('\n', pos);
      if (end == std::string::npos) end = old.size();
      if (old.compare(pos, key.size() + 1, key + ' ') != 0 && end > pos) {
        text.append(old, pos, end - pos).append(1, '\n');
        ++kept;
      }
      pos = end + 1;
    }
    // Written aside and moved over, so a reader never sees half a file.
    const std::wstring fresh = path + L".new";
    {
      ScopedFile file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      if (!file || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return;
    }
    MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

  std::string LoadLinks(const std::string& key) override {
    // The key on the first line: the links of one group are kept.
    const std::string text = ReadWholeFile(LinksFile());
    const std::string first = key + '\n';
    return text.compare(0, first.size(), first) == 0 ? text.substr(first.size()) : std::string();
  }

  void SaveLinks(const std::string& key, const std::string& links) override {
    const std::wstring path = LinksFile();
    if (!path.empty()) WriteWhole(path, key + '\n' + links);
  }

};

}  // namespace

ItemShortcutFiles& DefaultItemShortcutFiles() {
  // Never destroyed: a listing thread left behind at exit may still use it.
  static Win32ItemShortcutFiles& files = *new Win32ItemShortcutFiles;
  return files;
}

bool RunLockedSync(unsigned wait_ms, const std::function<void()>& sync) {
  // One per session: the group lies in the user's own Programs folder.
  ScopedHandle mutex(CreateMutexW(nullptr, FALSE, L"Local\\ZarnikNX.ItemShortcuts"));
  if (!mutex) return false;
  const DWORD waited = WaitForSingleObject(mutex.Get(), wait_ms);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
  struct Release {
    HANDLE mutex;
    ~Release() { ReleaseMutex(mutex); }
  } release{mutex.Get()};
  sync();
  return true;
}

}  // namespace zrnx
