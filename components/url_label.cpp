#include "components/url_label.h"

namespace zrnx {

TURLLabel::TURLLabel(TComponent* owner, const LabelWindowFactory& make_window, ShellLauncher& launcher)
    : TLabel(owner, make_window), launcher_(launcher) {
  SetCursor(crHandPoint);
}

void TURLLabel::SetHotTrack(bool value) {
  if (value == hot_track_) return;
  hot_track_ = value;
  Window().Repaint();
}

void TURLLabel::SetHotColor(Color value) {
  if (value == hot_color_) return;
  hot_color_ = value;
  Window().Repaint();
}

void TURLLabel::SetPushedColor(Color value) {
  if (value == pushed_color_) return;
  pushed_color_ = value;
  Window().Repaint();
}

void TURLLabel::MouseEnter() {
  TLabel::MouseEnter();
  if (!hot_track_) return;
  saved_color_ = FontColor();
  ShowFontColor(hot_color_);
}

void TURLLabel::MouseLeave() {
  TLabel::MouseLeave();
  if (hot_track_) ShowFontColor(saved_color_);
}

void TURLLabel::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  TLabel::MouseDown(button, shift, x, y);
  if (hot_track_) ShowFontColor(pushed_color_);
  // On the press, not the release, and whatever the colours do.
  if (executable_) launcher_.Open(Caption());
}

void TURLLabel::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  TLabel::MouseUp(button, shift, x, y);
  // Where the pointer is now, not where the button went up: the label holds
  // the mouse while a button is down, so the release may come from outside.
  if (hot_track_) ShowFontColor(Window().CursorInside() ? hot_color_ : saved_color_);
}

bool TURLLabel::SetPublished(std::string_view name, const PropertyValue& value) {
  if (name == "Executable") {
    SetExecutable(PropertyFlag(name, value));
  } else if (name == "HotTrack") {
    SetHotTrack(PropertyFlag(name, value));
  } else if (name == "HotColor") {
    SetHotColor(PropertyColor(name, value));
  } else if (name == "PushedColor") {
    SetPushedColor(PropertyColor(name, value));
  } else {
    return TLabel::SetPublished(name, value);
  }
  return true;
}

}  // namespace zrnx
