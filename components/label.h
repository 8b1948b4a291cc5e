#pragma once
// TLabel: a text label in its own small window on a parent window, painting
// its caption in the parent's font and its own colour. The window itself is
// the platform's (LabelWindow); the label keeps the state and reacts to the
// mouse notifications the window passes on.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/component.h"

namespace zrnx {

// A colour: red in the low byte, then green, then blue.
using Color = std::uint32_t;
constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (green << 8) | (static_cast<Color>(blue) << 16);
}

// A stored colour: an integer from 0 to 0xFFFFFFFF; anything else raises Error.
Color PropertyColor(std::string_view name, const PropertyValue& value);

enum TCursor : std::uint8_t { crDefault, crArrow, crHandPoint };

enum class MouseButton { Left, Right, Middle };

// Modifier keys and buttons held during a mouse event (the MK_ flags).
using ShiftState = unsigned;

class TLabel;

// The platform's side of a label: its window.
class LabelWindow {
 public:
  virtual ~LabelWindow() = default;
  // Invalidates the window so it is painted again.
  virtual void Repaint() = 0;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  // Whether the pointer is now within the label's rectangle.
  virtual bool CursorInside() = 0;
  // The colour of window text, which a label starts with.
  virtual Color SystemTextColor() = 0;
  // The window's handle as an integer.
  virtual std::uintptr_t Handle() const = 0;
};

// Makes the window that shows a label; called once, by the label's constructor.
using LabelWindowFactory = std::function<std::unique_ptr<LabelWindow>(TLabel&)>;

class TLabel : public TComponent {
 public:
  TLabel(TComponent* owner, const LabelWindowFactory& make_window);
  ~TLabel() override;

  std::uintptr_t WindowHandle() const override { return window_->Handle(); }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  // Handlers of the application, run first by each notification.
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
  std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseUp;

  // Notifications from the window; positions are client coordinates.
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);

 protected:
  bool SetPublished(std::string_view name, const PropertyValue& value) override;
  LabelWindow& Window() { return *window_; }
  // Sets the text colour and repaints, whether or not it changed.
  void ShowFontColor(Color value) {
    font_color_ = value;
    window_->Repaint();
  }

 private:
  std::unique_ptr<LabelWindow> window_;
  std::string caption_;
  Color font_color_ = 0;
  TCursor cursor_ = crDefault;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace zrnx
