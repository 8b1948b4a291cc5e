#pragma once
// TURLLabel: a label that behaves like a hyperlink. Its text takes HotColor
// while the pointer is over it and PushedColor while a button is held on it;
// with Executable, any button press hands the caption to the shell to open.

#include <string>

#include "components/label.h"

namespace zrnx {

// Opens a document, address or program the way the shell does.
class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  virtual void Open(const std::string& file) = 0;
};

// ShellExecuteA with the verb "OPEN" (Windows only).
ShellLauncher& DefaultShellLauncher();

inline constexpr Color kAqua = Rgb(0, 255, 255);
inline constexpr Color kRed = Rgb(255, 0, 0);

class TURLLabel : public TLabel {
 public:
  TURLLabel(TComponent* owner, const LabelWindowFactory& make_window,
            ShellLauncher& launcher = DefaultShellLauncher());

  bool Executable() const { return executable_; }
  void SetExecutable(bool value) { executable_ = value; }
  // The setters below repaint only when the value changes.
  bool HotTrack() const { return hot_track_; }
  void SetHotTrack(bool value);
  Color HotColor() const { return hot_color_; }
  void SetHotColor(Color value);
  Color PushedColor() const { return pushed_color_; }
  void SetPushedColor(Color value);

  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;

 protected:
  bool SetPublished(std::string_view name, const PropertyValue& value) override;

 private:
  ShellLauncher& launcher_;
  bool executable_ = false;
  bool hot_track_ = true;
  Color hot_color_ = kAqua;
  Color pushed_color_ = kRed;
  Color saved_color_ = 0;  // the colour before the pointer last came in
};

}  // namespace zrnx
