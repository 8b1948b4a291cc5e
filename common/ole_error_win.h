#pragma once

#include <windows.h>

#include <string>

namespace zrnx {

// OleErrorText for `status` with the system's message text for it.
std::string OleErrorMessage(HRESULT status);

}  // namespace zrnx
