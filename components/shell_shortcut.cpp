#include "components/shell_shortcut.h"

#include <algorithm>

#include "common/error.h"

namespace zrnx {
namespace {

constexpr std::string_view kUnknownFolder = "ﾌｫﾙﾀﾞの種類 %s はありません";

TSCDirectoryType DirectoryTypeNamed(const std::string& identifier) {
  auto found = std::find_if(kSpecialFolders.begin(), kSpecialFolders.end(),
                            [&](const SpecialFolder& f) { return f.identifier == identifier; });
  if (found == kSpecialFolders.end()) throw Error(WithValue(kUnknownFolder, identifier));
  return static_cast<TSCDirectoryType>(found - kSpecialFolders.begin());
}

}  // namespace

TShellShortCut::TShellShortCut(TComponent* owner, ShellLinkApi& api) : TComponent(owner), api_(api) {}

bool TShellShortCut::MakeShortCut() {
  // The type is a byte: a value past the last folder writes nothing.
  if (directory_type_ < kLinkRoutines.size()) {
    kLinkRoutines[directory_type_](api_, short_cut_name_, LinkFields{link_path_, description_, works_dir_});
  }
  return true;
}

bool TShellShortCut::SetPublished(std::string_view name, const PropertyValue& value) {
  if (name == "ShortCutName") {
    SetShortCutName(PropertyText(name, value));
  } else if (name == "LinkPath") {
    SetLinkPath(PropertyText(name, value));
  } else if (name == "Description") {
    SetDescription(PropertyText(name, value));
  } else if (name == "WorksDir") {
    SetWorksDir(PropertyText(name, value));
  } else if (name == "SCDirectoryType") {
    SetSCDirectoryType(DirectoryTypeNamed(PropertyText(name, value)));
  } else if (name == "Version") {
    // Stored values are 0-255; anything beyond is above this version too.
    std::int64_t version = PropertyInteger(name, value);
    SetVersion(static_cast<std::uint8_t>(std::clamp<std::int64_t>(version, 0, 255)));
  } else if (name == "VersionCheck") {
    SetVersionCheck(PropertyFlag(name, value));
  } else {
    return TComponent::SetPublished(name, value);
  }
  return true;
}

}  // namespace zrnx
