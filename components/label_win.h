#pragma once
// Labels on Windows: a small window class of our own that paints the caption
// in the parent's font and the label's colour, shows the label's cursor and
// passes the mouse on (hover tracked with TrackMouseEvent; the mouse is held
// while a button is down, so a release off the label still arrives).

#include <windows.h>

#include "components/label.h"

namespace zrnx {

// Labels made with this factory live in child windows of `parent`.
LabelWindowFactory LabelWindowsOn(HWND parent);

}  // namespace zrnx
