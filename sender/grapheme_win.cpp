#include <windows.h>

#include <climits>
#include <string>

#include "sender/grapheme.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace zrnx {
namespace {

// ICU's C interface as Windows ships it (icu.dll since Windows 10 1903,
// icuuc.dll in 1703 to 1809): cdecl calls, UTF-16 text, int32 offsets.
using UBreakIterator = void;
using OpenFn = UBreakIterator*(__cdecl*)(int type, const char* locale, const char16_t* text, std::int32_t length,
                                          int* status);
using CloseFn = void(__cdecl*)(UBreakIterator*);
using StepFn = std::int32_t(__cdecl*)(UBreakIterator*);
using AtFn = std::int32_t(__cdecl*)(UBreakIterator*, std::int32_t);
constexpr int kCharacterBreaks = 0;  // UBRK_CHARACTER
constexpr std::int32_t kDone = -1;   // UBRK_DONE

class SystemRules final : public GraphemeRules {
 public:
  SystemRules() {
    for (const wchar_t* name : {L"icu.dll", L"icuuc.dll"}) {
      // From the system folder only, never from beside the item.
      HMODULE icu = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
      if (!icu && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Without the search flags (an old Windows 7 without the update), the full path.
        wchar_t path[MAX_PATH];
        const UINT n = GetSystemDirectoryW(path, MAX_PATH);
        if (n > 0 && n < MAX_PATH - 16) icu = LoadLibraryW((std::wstring(path, n) + L"\\" + name).c_str());
      }
      if (!icu) continue;
      open_ = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(icu, "ubrk_open")));
      close_ = reinterpret_cast<CloseFn>(reinterpret_cast<void*>(GetProcAddress(icu, "ubrk_close")));
      next_ = reinterpret_cast<StepFn>(reinterpret_cast<void*>(GetProcAddress(icu, "ubrk_next")));
      preceding_ = reinterpret_cast<AtFn>(reinterpret_cast<void*>(GetProcAddress(icu, "ubrk_preceding")));
      if (open_ && close_ && next_ && preceding_) return;
      open_ = nullptr;
      FreeLibrary(icu);
    }
  }

  bool Loaded() const { return open_ != nullptr; }

  std::size_t CountClusters(std::u16string_view text, std::size_t limit) const override {
    UBreakIterator* it = Open(text);
    if (!it) return BuiltInGraphemeRules().CountClusters(text, limit);
    std::size_t clusters = 0;
    while (next_(it) != kDone && ++clusters <= limit) {
    }
    close_(it);
    return clusters;
  }

  std::size_t ClusterStartAtOrBefore(std::u16string_view text, std::size_t at) const override {
    if (at >= text.size()) return text.size();
    UBreakIterator* it = Open(text);
    if (!it) return BuiltInGraphemeRules().ClusterStartAtOrBefore(text, at);
    const std::int32_t start = preceding_(it, static_cast<std::int32_t>(at + 1));
    close_(it);
    return start == kDone ? 0 : static_cast<std::size_t>(start);
  }

 private:
  UBreakIterator* Open(std::u16string_view text) const {
    if (text.size() > INT_MAX) return nullptr;
    int status = 0;
    UBreakIterator* it = open_(kCharacterBreaks, "", text.data(), static_cast<std::int32_t>(text.size()), &status);
    if (status > 0) {  // an error; warnings are below zero
      if (it) close_(it);
      return nullptr;
    }
    return it;
  }

  OpenFn open_ = nullptr;
  CloseFn close_ = nullptr;
  StepFn next_ = nullptr;
  AtFn preceding_ = nullptr;
};

}  // namespace

const GraphemeRules& SystemGraphemeRules() {
  static const SystemRules system;
  if (system.Loaded()) return system;
  return BuiltInGraphemeRules();
}

}  // namespace zrnx
