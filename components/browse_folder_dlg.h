#pragma once
// TBrowseFolderDlg: a non-visual component that lets the user pick a folder
// in the shell's folder browser, centred on the screen, with its own title,
// a pre-selected folder and, optionally, the selected path in the status line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "components/component.h"

namespace zrnx {

inline constexpr std::string_view kBrowseFolderCaption = "フォルダの参照";

// BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT.
inline constexpr unsigned kBrowseOnlyFileSystem = 0x1;
inline constexpr unsigned kBrowseStatusText = 0x4;

// What one run of the browser is given.
struct BrowseRequest {
  std::uintptr_t owner;         // window handle, 0 for none
  std::string instruction;      // the text above the folder tree
  unsigned flags;               // kBrowseOnlyFileSystem, plus kBrowseStatusText
  const std::string& directory; // the folder selected at the start (may be empty)
};

class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;
  // Shows the browser modally; the confirmed folder's path, or nullopt when
  // the user cancelled or no browser could be shown.
  virtual std::optional<std::string> Browse(const BrowseRequest& request) = 0;
};

// The shell's folder browser (Windows only).
FolderBrowser& DefaultFolderBrowser();

class TBrowseFolderDlg : public TComponent {
 public:
  // The owner's window becomes the browser's owner.
  explicit TBrowseFolderDlg(TComponent* owner, FolderBrowser& browser = DefaultFolderBrowser());

  // Caption and ShowSelectDir are also copied to the module-wide settings
  // the browser uses, so the instance last given one decides for all.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  const std::string& TextLine1() const { return text_line1_; }
  void SetTextLine1(std::string value) { text_line1_ = std::move(value); }
  const std::string& TextLine2() const { return text_line2_; }
  void SetTextLine2(std::string value) { text_line2_ = std::move(value); }
  const std::string& Directory() const { return directory_; }
  void SetDirectory(std::string value) { directory_ = std::move(value); }
  bool ShowSelectDir() const { return show_select_dir_; }
  void SetShowSelectDir(bool value);

  // True when the user confirmed a folder, which is then in Directory;
  // false leaves Directory as it was.
  bool Execute();

 protected:
  bool SetPublished(std::string_view name, const PropertyValue& value) override;

 private:
  FolderBrowser& browser_;
  std::string caption_{kBrowseFolderCaption};
  std::string text_line1_;
  std::string text_line2_;
  std::string directory_;
  bool show_select_dir_ = true;
};

// The browser's title and status switch, shared by all instances: the
// browse callback receives only the starting folder.
const std::string& BrowseTitle();
bool BrowseShowsStatus();

// TextLine1, and when TextLine2 is not empty, a line feed and TextLine2.
std::string InstructionText(std::string_view line1, std::string_view line2);

struct Point {
  int x;
  int y;
};

// The top-left corner that centres a window of this size on the screen
// (divisions truncate toward zero, also for a window larger than the screen).
Point CentredPosition(int screen_width, int screen_height, int window_width, int window_height);

}  // namespace zrnx
