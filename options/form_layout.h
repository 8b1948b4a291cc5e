#pragma once
// The options window as data: every control with its kind, identifier,
// parent, caption, rectangle at 96 DPI, tab order, settings and handler.
// The Win32 layer builds the window from these tables, in their order.

#include <span>
#include <string_view>

#include "components/label.h"

namespace zrnx {

enum class ControlKind {
  PushButton,
  CheckBox,
  Edit,
  DropDownList,
  TabControl,
  Page,
  GroupBox,
  Label,
  ListView,
  UrlLabel,
  HotKey,  // the standard hot-key control
};

struct LayoutRect {
  int left, top, width, height;
  bool operator==(const LayoutRect&) const = default;
};

// Settings of a control, as bits.
enum ControlFlag : unsigned {
  kNoTabStop = 1u << 0,
  kReadOnly = 1u << 1,     // an edit box that shows text but cannot be typed into
  kDefault = 1u << 2,      // the default push button
  kNoHeader = 1u << 3,     // a list view without its header row
  kHeaderStatic = 1u << 4, // a list view whose headers are not buttons
  kOwnFont = 1u << 5,      // Label3: the form's title font
  kVirtualRows = 1u << 6,  // a list view whose rows the window gives on demand, not editable
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  int id;
  int parent;  // identifier of the parent; 0 for the window
  std::string_view caption;
  LayoutRect rect;  // relative to the parent's client area; pages fill the tab control
  int tab_order;    // among the parent's controls; -1 for none
  unsigned flags;
  std::string_view handler;  // click (or double-click for a list view)
};

struct ColumnSpec {
  int list_id;
  std::string_view caption;
  int width;
};

struct FormSpec {
  std::string_view class_name;
  std::string_view caption;
  int client_width, client_height;
  std::string_view font_face;
  int font_height;  // negative: character height
  // The font of the controls flagged kOwnFont (the version page's title), bold.
  std::string_view title_font_face;
  int title_font_height;
  // The hyperlink labels' HotColor (red in the low byte, then green, blue).
  Color link_hot_color;
};

const FormSpec& OptionsFormSpec();

// Parents before their children; within one parent, in tab order. Pages in
// the order of their tabs.
std::span<const ControlSpec> OptionsControls();

std::span<const ColumnSpec> OptionsColumns();

// The items of SendKey_Paste, by index.
std::span<const std::string_view> PasteKeyItems();

// The control of this identifier, or nullptr.
const ControlSpec* FindControl(int id);

// The rectangle relative to the nearest parent that is a window of its own
// (the window, the tab control or a page): group boxes hold their controls
// as siblings, so their offsets are added.
LayoutRect PlacedRect(const ControlSpec& control);

// The parent that is a window of its own, 0 for the form.
int WindowParent(const ControlSpec& control);

}  // namespace zrnx
