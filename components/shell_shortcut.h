#pragma once
// TShellShortCut: a non-visual component that writes a shell link into one
// of the user's special folders with the routines of shell_link.h.

#include <cstdint>
#include <string>

#include "components/component.h"
#include "components/shell_link.h"

namespace zrnx {

class TShellShortCut : public TComponent {
 public:
  explicit TShellShortCut(TComponent* owner, ShellLinkApi& api = DefaultShellLinkApi());

  // Path of the link relative to the special folder, with its own leading
  // backslash: "\Zarnik NX.lnk".
  const std::string& ShortCutName() const { return short_cut_name_; }
  void SetShortCutName(std::string value) { short_cut_name_ = std::move(value); }
  const std::string& LinkPath() const { return link_path_; }
  void SetLinkPath(std::string value) { link_path_ = std::move(value); }
  const std::string& Description() const { return description_; }
  void SetDescription(std::string value) { description_ = std::move(value); }
  const std::string& WorksDir() const { return works_dir_; }
  void SetWorksDir(std::string value) { works_dir_ = std::move(value); }
  TSCDirectoryType SCDirectoryType() const { return directory_type_; }
  void SetSCDirectoryType(TSCDirectoryType value) { directory_type_ = value; }

  // Version always reads 100; assigning it only records in VersionCheck
  // whether the value asked for is one this component satisfies.
  std::uint8_t Version() const { return kVersion; }
  void SetVersion(std::uint8_t value) { version_check_ = value <= kVersion; }
  bool VersionCheck() const { return version_check_; }
  void SetVersionCheck(bool value) { version_check_ = value; }

  // Writes the link for the current properties, replacing one of that name.
  // True whenever it returns; failures the shell reports arrive as Error.
  bool MakeShortCut();

  static constexpr std::uint8_t kVersion = 100;

 protected:
  bool SetPublished(std::string_view name, const PropertyValue& value) override;

 private:
  ShellLinkApi& api_;
  std::string short_cut_name_;
  std::string link_path_;
  std::string description_;
  std::string works_dir_;
  TSCDirectoryType directory_type_ = scDeskTop;
  bool version_check_ = true;
};

}  // namespace zrnx
