// zrnx_clip_minimal: the least a program can do to put text on the
// clipboard; the yardstick of tools/bench-sender.
//
// zrnx_clip_minimal.exe TEXT      one CF_TEXT item holding TEXT
// zrnx_clip_minimal.exe -f FILE   one CF_TEXT item holding the file, read
//                                 straight into the clipboard's block

#include <windows.h>

#include <cstring>

namespace {

HGLOBAL BlockOfText(const char* text) {
  SIZE_T size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block) {
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
  }
  return block;
}

HGLOBAL BlockOfFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD size = GetFileSize(file, nullptr);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, SIZE_T{size} + 1);
  if (block) {
    char* bytes = static_cast<char*>(GlobalLock(block));
    DWORD read = 0;
    ReadFile(file, bytes, size, &read, nullptr);
    bytes[read] = '\0';
    GlobalUnlock(block);
  }
  CloseHandle(file);
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  HGLOBAL block = nullptr;
  if (argc == 2) block = BlockOfText(argv[1]);
  if (argc == 3 && std::strcmp(argv[1], "-f") == 0) block = BlockOfFile(argv[2]);
  if (!block || !OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  bool set = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(block);
  return set ? 0 : 1;
}
