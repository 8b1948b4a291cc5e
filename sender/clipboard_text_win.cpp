#include <windows.h>

#include "sender/clipboard_text_win.h"
#include "sender/item_text.h"

namespace zrnx {
namespace {

// Another program may hold the clipboard for moments (under Wine its
// clipboard manager, after every change).
constexpr DWORD kOpenPause = 10;

class OpenedClipboard {
 public:
  explicit OpenedClipboard(ULONGLONG deadline) {
    for (;;) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (open_ || GetTickCount64() >= deadline) return;
      Sleep(kOpenPause);
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (data_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* Data() const { return data_; }
  std::size_t Size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HANDLE block_;
  void* data_;
};

std::optional<std::string> ReadUntil(ULONGLONG deadline) {
  OpenedClipboard clipboard(deadline);
  if (!clipboard.Open()) return std::nullopt;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::string();
  // A promised text is asked of its owner here.
  LockedBlock block(GetClipboardData(CF_UNICODETEXT));
  if (!block.Data()) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(block.Data());
  // Up to the first U+0000, never past the block (a plain loop: the library's
  // wcsnlen would be linked in whole).
  const std::size_t limit = block.Size() / sizeof(wchar_t);
  std::size_t units = 0;
  while (units < limit && text[units] != L'\0') ++units;
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), units));
}

// A read on a thread of its own, shared by that thread and the caller: a
// caller that stops waiting leaves it to the thread, which may stay blocked
// in GetClipboardData until the owner answers or the process ends.
struct ReadJob {
  explicit ReadJob(ULONGLONG deadline_at) : deadline(deadline_at) {}
  LONG references = 2;
  ULONGLONG deadline;
  std::optional<std::string> text;
};

void Release(ReadJob* job) {
  if (InterlockedDecrement(&job->references) == 0) delete job;
}

DWORD WINAPI ReadOnItsThread(void* parameter) {
  auto* job = static_cast<ReadJob*>(parameter);
  try {
    job->text = ReadUntil(job->deadline);
  } catch (...) {
    job->text.reset();  // out of memory: unread
  }
  Release(job);
  return 0;
}

}  // namespace

std::optional<std::string> ReadClipboardUnicodeText(unsigned limit) {
  const ULONGLONG deadline = GetTickCount64() + limit;
  auto* job = new ReadJob(deadline);
  HANDLE thread = CreateThread(nullptr, 64 * 1024, &ReadOnItsThread, job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) {
    delete job;
    return ReadUntil(deadline);  // unbounded while the owner renders, as before
  }
  // The opening is bounded by the deadline itself; the wait adds a margin
  // for a text read just in time.
  const bool done = WaitForSingleObject(thread, limit + 100) == WAIT_OBJECT_0;
  CloseHandle(thread);
  std::optional<std::string> text;
  if (done) text = std::move(job->text);
  Release(job);
  return text;
}

}  // namespace zrnx
