#pragma once
// Clipboard data as bytes and back: memory blocks as they are, enhanced
// metafiles as their bits, metafile pictures as their extents and the
// metafile's bits, so that what the user had copied can be kept while the
// item is on the clipboard.

#include <windows.h>

#include <string>

#include "sender/clipboard_restore.h"

namespace zrnx {

// The data of `format` (as GetClipboardData gave it) as bytes.
ClipboardKeepPort::CopyResult CopyClipboardData(unsigned format, HANDLE data, std::string& bytes);

// A handle the clipboard takes for `format` holding these bytes; 0 when it
// cannot be made.
HANDLE MakeClipboardData(unsigned format, const std::string& bytes);

// Frees a handle from MakeClipboardData that the clipboard did not take.
void FreeClipboardData(unsigned format, HANDLE data);

}  // namespace zrnx
