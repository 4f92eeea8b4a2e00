#pragma once

#include "ui/controls/control.h"
#include "ui/controls/group_box.h"

#include <string>
#include <vector>

namespace tw::ui {

// One node of a form's layout: a control (optionally with a caption shown before it), a row
// or a column of nodes, or a group box around nodes. Renderers walk this tree and build one
// widget per control; they never need to know which page they draw.
struct LayoutNode {
  enum class Kind { Control, Row, Column, Group };

  Kind kind = Kind::Column;
  Control* control = nullptr;  // the control (Kind::Control) or the frame (Kind::Group)
  std::string caption;         // Kind::Control: a label before the control; it is shown and
                               // enabled together with the control
  std::vector<LayoutNode> children;
};

LayoutNode Item(Control& control);
LayoutNode Item(std::string caption, Control& control);
LayoutNode Row(std::vector<LayoutNode> children);
LayoutNode Column(std::vector<LayoutNode> children);
// A frame around `children`; every control inside counts as inside `box` (hidden or
// disabled with it).
LayoutNode Group(GroupBox& box, std::vector<LayoutNode> children);

// A page, the main form's group or a dialog as a renderer sees it: a title and a layout.
// Pages, the main view and the start-up dialogs consume the arrow keys, so arrows never
// move a slider, a radio selection or a list selection there.
class Form {
 public:
  Form(std::string title, LayoutNode root, bool consumesArrowKeys = true);

  const std::string& title() const { return title_; }
  const LayoutNode& root() const { return root_; }
  bool consumesArrowKeys() const { return consumesArrowKeys_; }

  // Every control of the layout (group boxes included), in declaration order.
  std::vector<Control*> controls() const;
  // The control with template id `id`, or null (ids of 0 are never found).
  Control* find(int id) const;

  // A navigation key pressed while `focused` has the focus: true when the key was used,
  // either consumed by the form (arrows, when it consumes them) or by the control.
  bool pressKey(Control& focused, Key key);

 private:
  std::string title_;
  LayoutNode root_;
  bool consumesArrowKeys_;
};

}  // namespace tw::ui
