#pragma once
// One owner for every kind of Windows resource: handles, find handles, global
// blocks, registry keys, item ID lists and COM interfaces. Each kind is a
// small traits struct; the resource is released on every path out of scope.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace zrnx {

template <typename Traits>
class Scoped {
 public:
  using Type = typename Traits::Type;

  Scoped() = default;
  explicit Scoped(Type value) : value_(value) {}
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : value_(other.Release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~Scoped() { Reset(); }

  Type Get() const { return value_; }
  bool Valid() const { return value_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }

  // For out-parameters: releases what is held and hands out the slot.
  Type* Put() {
    Reset();
    return &value_;
  }

  Type Release() { return std::exchange(value_, Traits::Invalid()); }

  void Reset(Type value = Traits::Invalid()) {
    Type old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

  // COM interfaces: ptr->Method().
  Type operator->() const { return value_; }

 private:
  Type value_ = Traits::Invalid();
};

struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE when it failed
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};
struct HandleTraits {  // processes, threads, mutexes not owned: NULL when it failed
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
// A mutex this thread has acquired. Closing the handle alone would leave it
// owned until the thread ends, and every other waiter waiting; so it is
// released first. Must be reset on the thread that acquired it.
struct OwnedMutexTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) {
    ReleaseMutex(h);
    CloseHandle(h);
  }
};
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct GlobalTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { GlobalFree(h); }
};
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};
struct IdListTraits {  // item ID lists handed out by the shell
  using Type = LPITEMIDLIST;
  static Type Invalid() { return nullptr; }
  static void Close(Type p) { CoTaskMemFree(p); }
};
struct WindowTraits {  // windows of our own, destroyed with their owner object
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyWindow(h); }
};
// A block from an IMalloc allocator (the shell's path buffers and the item
// ID lists it hands out), freed by that allocator; the allocator must
// outlive the block.
struct MallocBlock {
  IMalloc* allocator = nullptr;
  void* block = nullptr;
  bool operator==(const MallocBlock&) const = default;
};
struct MallocTraits {
  using Type = MallocBlock;
  static Type Invalid() { return {}; }
  static void Close(Type b) {
    if (b.block) b.allocator->Free(b.block);
  }
};
template <typename Interface>
struct ComTraits {
  using Type = Interface*;
  static Type Invalid() { return nullptr; }
  static void Close(Type p) { p->Release(); }
};

struct FontTraits {  // fonts made with CreateFont
  using Type = HFONT;
  static Type Invalid() { return nullptr; }
  static void Close(Type font) { DeleteObject(font); }
};

using ScopedFile = Scoped<FileHandleTraits>;
using ScopedHandle = Scoped<HandleTraits>;
using ScopedOwnedMutex = Scoped<OwnedMutexTraits>;
using ScopedFind = Scoped<FindHandleTraits>;
using ScopedGlobal = Scoped<GlobalTraits>;
using ScopedRegKey = Scoped<RegKeyTraits>;
using ScopedIdList = Scoped<IdListTraits>;
using ScopedMalloc = Scoped<MallocTraits>;
using ScopedWindow = Scoped<WindowTraits>;
using ScopedFont = Scoped<FontTraits>;
template <typename Interface>
using ComPtr = Scoped<ComTraits<Interface>>;

// A window's device context (the screen's for nullptr), released to it.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A window's paint cycle: BeginPaint, and EndPaint on every path.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context while in scope; the object it
// replaced goes back. Selecting nothing (nullptr) changes nothing.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// CoInitialize for the life of the program's main thread.
class ComApartment {
 public:
  // The result matters only for the balance: S_FALSE (already initialised)
  // still wants its CoUninitialize, a failure must not have one.
  ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

}  // namespace zrnx
