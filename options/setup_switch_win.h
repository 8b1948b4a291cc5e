#pragma once
// The set-up switches on the real system: no window and no box; what goes
// wrong is written to the standard error stream.

#include <string>

#include "options/setup_switch.h"

namespace zrnx {

// Runs `which` for the copy of the editor that is running; the exit code.
// COM must be initialised on the calling thread (the Send To link).
int RunSetupSwitchWin(SetupSwitch which);

// Writes `text` and a line end to the standard error stream: the handle the
// parent gave (a pipe or a file), else the console of the parent.
void WriteErrorStream(const std::string& text);

}  // namespace zrnx
