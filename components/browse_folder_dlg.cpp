#include "components/browse_folder_dlg.h"

namespace zrnx {
namespace {

struct ModuleSettings {
  std::string title{kBrowseFolderCaption};
  bool shows_status = true;
};

ModuleSettings& Module() {
  static ModuleSettings settings;
  return settings;
}

}  // namespace

const std::string& BrowseTitle() { return Module().title; }
bool BrowseShowsStatus() { return Module().shows_status; }

TBrowseFolderDlg::TBrowseFolderDlg(TComponent* owner, FolderBrowser& browser)
    : TComponent(owner), browser_(browser) {
  Module() = ModuleSettings{};
}

void TBrowseFolderDlg::SetCaption(std::string value) {
  caption_ = std::move(value);
  Module().title = caption_;
}

void TBrowseFolderDlg::SetShowSelectDir(bool value) {
  show_select_dir_ = value;
  Module().shows_status = value;
}

bool TBrowseFolderDlg::Execute() {
  const BrowseRequest request{
      Owner() ? Owner()->WindowHandle() : 0,
      InstructionText(text_line1_, text_line2_),
      kBrowseOnlyFileSystem | (show_select_dir_ ? kBrowseStatusText : 0u),
      directory_,
  };
  std::optional<std::string> chosen = browser_.Browse(request);
  if (!chosen) return false;
  directory_ = std::move(*chosen);
  return true;
}

bool TBrowseFolderDlg::SetPublished(std::string_view name, const PropertyValue& value) {
  if (name == "Caption") {
    SetCaption(PropertyText(name, value));
  } else if (name == "TextLine1") {
    SetTextLine1(PropertyText(name, value));
  } else if (name == "TextLine2") {
    SetTextLine2(PropertyText(name, value));
  } else if (name == "Directory") {
    SetDirectory(PropertyText(name, value));
  } else if (name == "ShowSelectDir") {
    SetShowSelectDir(PropertyFlag(name, value));
  } else {
    return TComponent::SetPublished(name, value);
  }
  return true;
}

std::string InstructionText(std::string_view line1, std::string_view line2) {
  std::string text(line1);
  if (!line2.empty()) {
    text += '\n';
    text += line2;
  }
  return text;
}

Point CentredPosition(int screen_width, int screen_height, int window_width, int window_height) {
  return {(screen_width - window_width) / 2, (screen_height - window_height) / 2};
}

}  // namespace zrnx
