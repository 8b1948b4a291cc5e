#include <windows.h>

#include <string>

#include "common/scoped_win.h"
#include "common/text_file.h"

namespace zrnx {

FileContents ReadWholeFile(const std::wstring& path) {
  FileContents contents;
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD error = GetLastError();
    contents.status =
        (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? FileRead::kMissing : FileRead::kFailed;
    return contents;
  }
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
      contents.status = FileRead::kFailed;
      contents.bytes.clear();
      return contents;
    }
    if (read == 0) break;
    contents.bytes.append(buffer, read);
  }
  contents.status = FileRead::kOk;
  return contents;
}

bool ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
    return false;

  std::wstring temp;
  ScopedFile file;
  for (unsigned attempt = 0; !file && attempt < 100; ++attempt) {
    temp = path + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    file.Reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (!file) return false;
  bool ok = true;
  while (ok && !bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(bytes.size() < 0x10000000 ? bytes.size() : 0x10000000);
    DWORD written = 0;
    ok = WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) && written == chunk;
    bytes.remove_prefix(chunk);
  }
  ok = ok && FlushFileBuffers(file.Get());
  file.Reset();
  ok = ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

void RemoveWholeFile(const std::wstring& path) { DeleteFileW(path.c_str()); }

}  // namespace zrnx
