#include "sender/clipboard_data_win.h"

#include <climits>
#include <cstring>
#include <new>

namespace zrnx {
namespace {

// A metafile picture's fields ahead of the metafile's bits.
struct PictureExtents {
  LONG mapping_mode;
  LONG width;
  LONG height;
};

using CopyResult = ClipboardKeepPort::CopyResult;

// Sizes the bytes and lets `fill` write them; kNoMemory when they cannot be had.
template <typename Writer>
CopyResult Fill(std::string& bytes, std::size_t size, Writer fill) {
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    return CopyResult::kNoMemory;
  }
  return fill(bytes.data()) ? CopyResult::kCopied : CopyResult::kNoData;
}

CopyResult CopyBlock(HANDLE data, std::string& bytes) {
  const SIZE_T size = GlobalSize(data);
  const void* source = size == 0 ? nullptr : GlobalLock(data);
  if (!source) return CopyResult::kNoData;
  const CopyResult result = Fill(bytes, size, [&](char* target) {
    std::memcpy(target, source, size);
    return true;
  });
  GlobalUnlock(data);
  return result;
}

CopyResult CopyEnhancedMetafile(HANDLE data, std::string& bytes) {
  auto* metafile = static_cast<HENHMETAFILE>(data);
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  if (size == 0) return CopyResult::kNoData;
  return Fill(bytes, size, [&](char* target) {
    return GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(target)) == size;
  });
}

CopyResult CopyMetafilePicture(HANDLE data, std::string& bytes) {
  const auto* picture = GlobalSize(data) < sizeof(METAFILEPICT) ? nullptr : static_cast<METAFILEPICT*>(GlobalLock(data));
  if (!picture) return CopyResult::kNoData;
  const PictureExtents extents{picture->mm, picture->xExt, picture->yExt};
  const HMETAFILE metafile = picture->hMF;
  GlobalUnlock(data);
  const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
  if (size == 0) return CopyResult::kNoData;
  return Fill(bytes, sizeof extents + size, [&](char* target) {
    std::memcpy(target, &extents, sizeof extents);
    return GetMetaFileBitsEx(metafile, size, target + sizeof extents) == size;
  });
}

HANDLE MakeBlock(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

HANDLE MakeMetafilePicture(const std::string& bytes) {
  PictureExtents extents;
  if (bytes.size() <= sizeof extents) return nullptr;
  std::memcpy(&extents, bytes.data(), sizeof extents);
  const auto* bits = reinterpret_cast<const BYTE*>(bytes.data() + sizeof extents);
  HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - sizeof extents), bits);
  if (!metafile) return nullptr;
  const METAFILEPICT picture{extents.mapping_mode, extents.width, extents.height, metafile};
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof picture);
  void* target = block ? GlobalLock(block) : nullptr;
  if (!target) {
    if (block) GlobalFree(block);
    DeleteMetaFile(metafile);
    return nullptr;
  }
  std::memcpy(target, &picture, sizeof picture);
  GlobalUnlock(block);
  return block;
}

}  // namespace

CopyResult CopyClipboardData(unsigned format, HANDLE data, std::string& bytes) {
  if (!data) return CopyResult::kNoData;
  switch (format) {
    case kFormatEnhancedMetafile:
      return CopyEnhancedMetafile(data, bytes);
    case kFormatMetafilePicture:
      return CopyMetafilePicture(data, bytes);
    default:
      return CopyBlock(data, bytes);
  }
}

HANDLE MakeClipboardData(unsigned format, const std::string& bytes) {
  // The metafile calls count their bits in UINT.
  if (format != kFormatEnhancedMetafile && format != kFormatMetafilePicture) return MakeBlock(bytes);
  if (bytes.size() > UINT_MAX) return nullptr;
  switch (format) {
    case kFormatEnhancedMetafile:
      return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    default:
      return MakeMetafilePicture(bytes);
  }
}

void FreeClipboardData(unsigned format, HANDLE data) {
  if (!data) return;
  switch (format) {
    case kFormatEnhancedMetafile:
      DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
      return;
    case kFormatMetafilePicture:
      if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(data))) {
        DeleteMetaFile(picture->hMF);
        GlobalUnlock(data);
      }
      GlobalFree(data);
      return;
    default:
      GlobalFree(data);
  }
}

}  // namespace zrnx
