#include "components/label.h"

#include <algorithm>
#include <array>
#include <limits>

#include "common/error.h"

namespace zrnx {
namespace {

constexpr std::string_view kUnknownCursor = "ｶｰｿﾙ %s はありません";
constexpr std::array<std::string_view, 3> kCursorNames{"crDefault", "crArrow", "crHandPoint"};

TCursor CursorNamed(const std::string& identifier) {
  auto found = std::find(kCursorNames.begin(), kCursorNames.end(), identifier);
  if (found == kCursorNames.end()) throw Error(WithValue(kUnknownCursor, identifier));
  return static_cast<TCursor>(found - kCursorNames.begin());
}

int PropertyInt(std::string_view name, const PropertyValue& value) {
  return static_cast<int>(std::clamp<std::int64_t>(PropertyInteger(name, value), std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
}

constexpr std::string_view kInvalidColor = "ﾌﾟﾛﾊﾟﾃｨ %s の値が正しくありません";

}  // namespace

Color PropertyColor(std::string_view name, const PropertyValue& value) {
  std::int64_t color = PropertyInteger(name, value);
  if (color < 0 || color > std::numeric_limits<Color>::max()) throw Error(WithValue(kInvalidColor, name));
  return static_cast<Color>(color);
}

TLabel::TLabel(TComponent* owner, const LabelWindowFactory& make_window)
    : TComponent(owner), window_(make_window(*this)), font_color_(window_->SystemTextColor()) {}

// The window goes before the label's state: it may still paint from it.
TLabel::~TLabel() { window_.reset(); }

void TLabel::SetCaption(std::string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  window_->Repaint();
}

void TLabel::SetFontColor(Color value) {
  if (value == font_color_) return;
  font_color_ = value;
  window_->Repaint();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  window_->SetBounds(left, top, width, height);
}

void TLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter();
}

void TLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave();
}

void TLabel::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TLabel::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

bool TLabel::SetPublished(std::string_view name, const PropertyValue& value) {
  if (name == "Caption") {
    SetCaption(PropertyText(name, value));
  } else if (name == "Font.Color") {
    SetFontColor(PropertyColor(name, value));
  } else if (name == "Cursor") {
    SetCursor(CursorNamed(PropertyText(name, value)));
  } else if (name == "Left") {
    SetBounds(PropertyInt(name, value), top_, width_, height_);
  } else if (name == "Top") {
    SetBounds(left_, PropertyInt(name, value), width_, height_);
  } else if (name == "Width") {
    SetBounds(left_, top_, PropertyInt(name, value), height_);
  } else if (name == "Height") {
    SetBounds(left_, top_, width_, PropertyInt(name, value));
  } else {
    return TComponent::SetPublished(name, value);
  }
  return true;
}

}  // namespace zrnx
