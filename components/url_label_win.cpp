#include <windows.h>
#include <shellapi.h>

#include "components/url_label.h"

namespace zrnx {
namespace {

class ShellExecuteLauncher final : public ShellLauncher {
 public:
  // The outcome is not examined: a caption the shell cannot open changes nothing.
  void Open(const std::string& file) override {
    ShellExecuteA(nullptr, "OPEN", file.c_str(), "", "", SW_SHOW);
  }
};

}  // namespace

ShellLauncher& DefaultShellLauncher() {
  static ShellExecuteLauncher launcher;
  return launcher;
}

}  // namespace zrnx
