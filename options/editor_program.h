#pragma once
// What the options window and the set-up switches share about the program
// itself: the files beside the editor, the Send To link's stored settings
// and the shell choices made from the option set.

#include <array>
#include <cstdint>
#include <string>

#include "components/component.h"
#include "options/option_set.h"
#include "options/shell_integration.h"

namespace zrnx {

// Wide, as the wide call gave the editor's own path: its folder may lie
// outside the code page.
struct FormPaths {
  std::wstring settings_path;     // Zrnx.ini beside the editor
  std::wstring item_sender_path;  // Zrnx.exe beside the editor
};

// The two paths beside the editor's own module path.
FormPaths PathsBeside(const std::wstring& module_path);

// The Send To link's stored settings (ShellShortCut1), applied in this order.
// Version before VersionCheck, so VersionCheck ends false.
inline const std::array<StoredProperty, 6> kSendToLinkProperties{{
    {"Name", std::string("ShellShortCut1")},
    {"ShortCutName", std::string("\\Zarnik NX.lnk")},
    {"Description", std::string("Zarnik NX")},
    {"SCDirectoryType", std::string("scSendto")},
    {"Version", std::int64_t{100}},
    {"VersionCheck", false},
}};

// One apply's choices: the two ticks, the options that shape the registry
// (the editor already given its default when empty) and this copy's sender.
ShellChoices MakeShellChoices(bool associate, bool send_to, const OptionSet& options,
                              const std::wstring& item_sender_path);

}  // namespace zrnx
