#pragma once
// The box that asks an item's questions before the paste: a standard dialog
// built in memory, one edit box under each label, OK and Cancel.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zrnx {

// Shows the labels (UTF-8; empty: the unnamed question) and, when `unshown`
// is not 0, a line saying how many were left out. The answers (UTF-8) in the
// labels' order, or nullopt when the user cancelled or the box could not be
// made.
std::optional<std::vector<std::string>> AskInQuestionBox(const std::vector<std::string>& labels,
                                                         std::size_t unshown);

}  // namespace zrnx
