#pragma once
// Texts of failed COM calls.

#include <cstdint>
#include <string>
#include <string_view>

namespace zrnx {

// The system's text for a failed status (its trailing line ends dropped), or
// "OLE ｴﾗｰ" with the status as eight hexadecimal digits when it has none.
std::string OleErrorText(std::uint32_t status, std::string_view system_text);

}  // namespace zrnx
