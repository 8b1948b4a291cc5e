#pragma once
// Lets GoogleTest show an ItemText readably when a comparison fails.

#include <ostream>

#include "sender/item_text.h"

namespace zrnx {

inline void PrintTo(const ItemText& text, std::ostream* out) { *out << Describe(text); }

}  // namespace zrnx
