#include "gui/form_widget.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>

#include "gui/navigation_keys.h"
#include "gui/qt_text.h"

namespace tw::gui {

FormWidget::FormWidget(const ui::Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(build(form.root()));
  layout->addStretch();
  for (const auto& binding : bindings_) binding->syncAll();
}

// The bindings go before the widgets (members die before the QWidget base deletes its
// children), so no widget signal can reach a binding that is gone.
FormWidget::~FormWidget() = default;

void FormWidget::detach() {
  for (QWidget* child : findChildren<QWidget*>()) child->blockSignals(true);
  for (QWidget* keyed : findChildren<QWidget*>()) keyed->removeEventFilter(this);
  for (const auto& binding : bindings_) binding->detach();
  byKeyWidget_.clear();
}

QWidget* FormWidget::widgetFor(const ui::Control& control) const {
  ControlBinding* binding = bindingFor(control);
  return binding ? binding->widget() : nullptr;
}

ControlBinding* FormWidget::bindingFor(const ui::Control& control) const {
  const auto found = byControl_.find(&control);
  return found == byControl_.end() ? nullptr : found->second;
}

QWidget* FormWidget::build(const ui::LayoutNode& node) {
  switch (node.kind) {
    case ui::LayoutNode::Kind::Control:
      return buildControl(node);
    case ui::LayoutNode::Kind::Row:
      return buildBox(node, true);
    case ui::LayoutNode::Kind::Column:
      return buildBox(node, false);
    case ui::LayoutNode::Kind::Group:
      return buildGroup(node);
  }
  return new QWidget;
}

QWidget* FormWidget::buildControl(const ui::LayoutNode& node) {
  // A control appears once; a second place in the layout would steal its listener.
  if (node.control == nullptr || byControl_.count(node.control) != 0) return new QWidget;
  bindings_.push_back(BindControl(*node.control));
  ControlBinding* binding = bindings_.back().get();
  byControl_[node.control] = binding;
  for (QWidget* keyWidget : binding->keyWidgets()) {
    byKeyWidget_[keyWidget] = binding;
    keyWidget->installEventFilter(this);
  }
  if (node.caption.empty()) return binding->widget();

  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(ToQt(node.caption));
  caption->setBuddy(binding->widget());
  layout->addWidget(caption);
  layout->addWidget(binding->widget(), 1);
  binding->setOuter(row);
  return row;
}

QWidget* FormWidget::buildBox(const ui::LayoutNode& node, bool row) {
  auto* box = new QWidget;
  QBoxLayout* layout =
      row ? static_cast<QBoxLayout*>(new QHBoxLayout(box)) : static_cast<QBoxLayout*>(new QVBoxLayout(box));
  layout->setContentsMargins(0, 0, 0, 0);
  for (const ui::LayoutNode& child : node.children) layout->addWidget(build(child));
  layout->addStretch();
  return box;
}

QWidget* FormWidget::buildGroup(const ui::LayoutNode& node) {
  if (node.control == nullptr || byControl_.count(node.control) != 0) return buildBox(node, false);
  bindings_.push_back(BindControl(*node.control));
  ControlBinding* binding = bindings_.back().get();
  byControl_[node.control] = binding;
  auto* layout = new QVBoxLayout(binding->widget());
  for (const ui::LayoutNode& child : node.children) layout->addWidget(build(child));
  layout->addStretch();
  return binding->widget();
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto found = byKeyWidget_.find(watched);
    const auto key = NavigationKey(static_cast<QKeyEvent*>(event)->key());
    // pressKey changes only the focused control, never the form itself.
    if (found != byKeyWidget_.end() && key &&
        const_cast<ui::Form&>(form_).pressKey(found->second->control(), *key)) {
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tw::gui
