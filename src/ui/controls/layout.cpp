#include "ui/controls/layout.h"

namespace tw::ui {
namespace {

void PlaceInside(GroupBox& box, LayoutNode& node) {
  if (node.control != nullptr && node.control != &box && node.control->container() == nullptr) {
    node.control->setContainer(&box);
  }
  // A nested group keeps its own children; only its frame sits inside `box`.
  if (node.kind == LayoutNode::Kind::Group) return;
  for (LayoutNode& child : node.children) PlaceInside(box, child);
}

void Collect(const LayoutNode& node, std::vector<Control*>& out) {
  if (node.control != nullptr) out.push_back(node.control);
  for (const LayoutNode& child : node.children) Collect(child, out);
}

bool IsArrow(Key key) { return key == Key::Left || key == Key::Up || key == Key::Right || key == Key::Down; }

}  // namespace

LayoutNode Item(Control& control) { return LayoutNode{LayoutNode::Kind::Control, &control, {}, {}}; }

LayoutNode Item(std::string caption, Control& control) {
  return LayoutNode{LayoutNode::Kind::Control, &control, std::move(caption), {}};
}

LayoutNode Row(std::vector<LayoutNode> children) {
  return LayoutNode{LayoutNode::Kind::Row, nullptr, {}, std::move(children)};
}

LayoutNode Column(std::vector<LayoutNode> children) {
  return LayoutNode{LayoutNode::Kind::Column, nullptr, {}, std::move(children)};
}

LayoutNode Group(GroupBox& box, std::vector<LayoutNode> children) {
  LayoutNode group{LayoutNode::Kind::Group, &box, {}, std::move(children)};
  for (LayoutNode& child : group.children) PlaceInside(box, child);
  return group;
}

Form::Form(std::string title, LayoutNode root, bool consumesArrowKeys)
    : title_(std::move(title)), root_(std::move(root)), consumesArrowKeys_(consumesArrowKeys) {}

std::vector<Control*> Form::controls() const {
  std::vector<Control*> out;
  Collect(root_, out);
  return out;
}

Control* Form::find(int id) const {
  if (id == 0) return nullptr;
  for (Control* control : controls()) {
    if (control->id() == id) return control;
  }
  return nullptr;
}

bool Form::pressKey(Control& focused, Key key) {
  if (consumesArrowKeys_ && IsArrow(key)) return true;
  return focused.keyDown(key);
}

}  // namespace tw::ui
