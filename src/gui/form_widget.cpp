#include "gui/form_widget.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>

#include "gui/navigation_keys.h"
#include "gui/qt_text.h"
#include "gui/simple_bindings.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/slider.h"

namespace tw::gui {
namespace {

using Kind = ui::LayoutNode::Kind;

bool IsVerticalSlider(const ui::Control* control) {
  if (control == nullptr) return false;
  if (control->kind() != ui::ControlKind::LevelSlider && control->kind() != ui::ControlKind::StepSlider) {
    return false;
  }
  return static_cast<const ui::Slider*>(control)->orientation() == ui::Orientation::Vertical;
}

// Controls whose content is as wide as the room they get (text areas, lists, bars); every
// other control keeps its natural width.
bool FillsWidth(const ui::Control* control) {
  if (control == nullptr) return false;
  switch (control->kind()) {
    case ui::ControlKind::EditBox:
      return static_cast<const ui::EditBox*>(control)->isMultiLine();
    case ui::ControlKind::ListBox:
    case ui::ControlKind::ListView:
    case ui::ControlKind::ProgressBar:
      return true;
    case ui::ControlKind::LevelSlider:
    case ui::ControlKind::StepSlider:
      return !IsVerticalSlider(control);
    default:
      return false;
  }
}

// One line of a form: a captioned control whose caption can stand in a column of captions.
bool IsFormLine(const ui::LayoutNode& node) {
  return node.kind == Kind::Control && !node.caption.empty() && !IsVerticalSlider(node.control);
}

// A row whose every part is a column: strips that line up with each other.
bool IsStrips(const ui::LayoutNode& node) {
  if (node.kind != Kind::Row || node.children.size() < 2) return false;
  for (const ui::LayoutNode& child : node.children) {
    if (child.kind != Kind::Column || child.children.empty()) return false;
  }
  return true;
}

// Controls drawn as a frame or a box of their own: in a row they line up at the top.
bool IsFramed(const ui::Control* control) {
  if (control == nullptr) return false;
  switch (control->kind()) {
    case ui::ControlKind::RadioGroup:
    case ui::ControlKind::ListBox:
    case ui::ControlKind::ListView:
    case ui::ControlKind::GroupBox:
      return true;
    case ui::ControlKind::EditBox:
      return static_cast<const ui::EditBox*>(control)->isMultiLine();
    default:
      return false;
  }
}

bool OnlyButtons(const ui::LayoutNode& node) {
  if (node.kind != Kind::Row || node.children.empty()) return false;
  for (const ui::LayoutNode& child : node.children) {
    if (child.kind != Kind::Control || child.control == nullptr ||
        child.control->kind() != ui::ControlKind::Button) {
      return false;
    }
  }
  return true;
}

// A row of simple controls, not only buttons, with a caption at most before its first: one
// line of a table, whose cells line up with those of the lines above and below.
bool IsTableLine(const ui::LayoutNode& node) {
  if (node.kind != Kind::Row || node.children.empty() || OnlyButtons(node)) return false;
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    const ui::LayoutNode& cell = node.children[i];
    if (cell.kind != Kind::Control || IsVerticalSlider(cell.control) || (i > 0 && !cell.caption.empty())) return false;
  }
  return true;
}

// The number of table lines that start at `first`; a table has three lines or more, two of
// them with several cells.
std::size_t TableLength(const std::vector<ui::LayoutNode>& lines, std::size_t first) {
  std::size_t count = 0;
  std::size_t wide = 0;
  for (; first + count < lines.size() && IsTableLine(lines[first + count]); ++count) {
    if (lines[first + count].children.size() > 1) ++wide;
  }
  return count >= 3 && wide >= 2 ? count : 0;
}

QBoxLayout* BareLayout(QBoxLayout* layout) {
  layout->setContentsMargins(0, 0, 0, 0);
  return layout;
}

QFrame* Separator() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

// A vertical slider is tall enough to set a level by eye and grows with a taller window,
// up to a height where a pixel is still a step of a fine slider.
void SizeVerticalSlider(QWidget& slider) {
  const int line = slider.fontMetrics().lineSpacing();
  slider.setMinimumHeight(std::max(slider.minimumHeight(), 8 * line));
  slider.setMaximumHeight(22 * line);
  slider.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

}  // namespace

FormWidget::FormWidget(const ui::Form& form, QWidget* parent)
    : FormWidget(form, form.root(), FormStyle::Panel, parent) {}

FormWidget::FormWidget(const ui::Form& form, const ui::LayoutNode& root, FormStyle style, QWidget* parent)
    : QWidget(parent), form_(form), style_(style) {
  auto* layout = BareLayout(new QVBoxLayout(this));
  layout->addWidget(build(root));
  if (style_ != FormStyle::Bar) layout->addStretch();
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

std::vector<ControlBinding*> FormWidget::bindings() const {
  std::vector<ControlBinding*> all;
  for (const auto& binding : bindings_) all.push_back(binding.get());
  return all;
}

QWidget* FormWidget::build(const ui::LayoutNode& node) {
  switch (node.kind) {
    case Kind::Control:
      return buildControl(node);
    case Kind::Row:
      return IsStrips(node) && style_ != FormStyle::Bar ? buildStrips(node) : buildRow(node);
    case Kind::Column:
      return buildColumn(node);
    case Kind::Group:
      return style_ == FormStyle::Bar ? buildInlineGroup(node) : buildGroup(node);
  }
  return new QWidget;
}

// A control appears once; a second place in the layout would steal its listener.
ControlBinding* FormWidget::bind(ui::Control& control) {
  if (byControl_.count(&control) != 0) return nullptr;
  bindings_.push_back(control.kind() == ui::ControlKind::GroupBox && style_ == FormStyle::Bar
                          ? std::make_unique<InlineGroupBinding>(static_cast<ui::GroupBox&>(control))
                          : BindControl(control));
  ControlBinding* binding = bindings_.back().get();
  byControl_[&control] = binding;
  for (QWidget* keyWidget : binding->keyWidgets()) {
    byKeyWidget_[keyWidget] = binding;
    keyWidget->installEventFilter(this);
  }
  if (IsVerticalSlider(&control)) SizeVerticalSlider(*binding->widget());
  return binding;
}

QLabel* FormWidget::captionFor(const ui::LayoutNode& node, ControlBinding& binding) {
  auto* caption = new QLabel(ToQt(node.caption));
  caption->setTextFormat(Qt::PlainText);
  caption->setBuddy(binding.widget());
  return caption;
}

QWidget* FormWidget::buildControl(const ui::LayoutNode& node) {
  ControlBinding* binding = node.control != nullptr ? bind(*node.control) : nullptr;
  if (binding == nullptr) return new QWidget;
  if (node.caption.empty()) return binding->widget();

  // A vertical slider has its caption above it; anything else has it before it.
  const bool above = IsVerticalSlider(node.control);
  auto* box = new QWidget;
  QBoxLayout* layout = BareLayout(above ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                        : static_cast<QBoxLayout*>(new QHBoxLayout(box)));
  layout->addWidget(captionFor(node, *binding), 0, above ? Qt::AlignHCenter : Qt::Alignment());
  layout->addWidget(binding->widget(), FillsWidth(node.control) ? 1 : 0, above ? Qt::AlignHCenter : Qt::Alignment());
  binding->setOuter(box);
  return box;
}

QWidget* FormWidget::buildRow(const ui::LayoutNode& node) {
  auto* box = new QWidget;
  QBoxLayout* layout = BareLayout(new QHBoxLayout(box));
  const bool buttons = OnlyButtons(node);
  // A dialog's buttons stand at its right edge, as the platform's dialogs have them.
  if (buttons && style_ == FormStyle::Dialog) layout->addStretch();
  bool first = true;
  for (const ui::LayoutNode& child : node.children) {
    QFrame* separator = nullptr;
    if (style_ == FormStyle::Bar && child.kind == Kind::Group && !first) {
      separator = Separator();
      layout->addWidget(separator);
    }
    first = false;
    QWidget* widget = build(child);
    // A group's line comes and goes with the group.
    if (ControlBinding* group = separator != nullptr && child.control != nullptr ? bindingFor(*child.control) : nullptr) {
      group->addCompanion(separator);
    }
    // Simple controls sit on the row's middle line, frames line up at its top; nested rows,
    // columns and group boxes take its height.
    Qt::Alignment alignment;
    if (child.kind == Kind::Control && !IsVerticalSlider(child.control)) {
      alignment = IsFramed(child.control) ? Qt::AlignTop : Qt::AlignVCenter;
    }
    layout->addWidget(widget, 0, alignment);
  }
  if (!(buttons && style_ == FormStyle::Dialog)) layout->addStretch();
  return box;
}

void FormWidget::addToColumn(QBoxLayout& layout, const ui::LayoutNode& node) {
  QWidget* widget = build(node);
  if (node.kind != Kind::Control) {
    layout.addWidget(widget);  // rows, columns and frames take the column's width
  } else if (IsVerticalSlider(node.control)) {
    layout.addWidget(widget, 1, Qt::AlignHCenter);
  } else {
    // At the top of its cell: room the column has to spare stays below its last part.
    layout.addWidget(widget, 0, FillsWidth(node.control) ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignTop);
  }
}

// Captions in the first column (aligned as the platform's forms align them), controls in
// the second at their natural width.
void FormWidget::addFormRows(QGridLayout& grid, const std::vector<const ui::LayoutNode*>& rows) {
  const auto captionAlignment =
      static_cast<Qt::Alignment>(style()->styleHint(QStyle::SH_FormLayoutLabelAlignment)) | Qt::AlignVCenter;
  for (const ui::LayoutNode* row : rows) {
    ControlBinding* binding = bind(*row->control);
    if (binding == nullptr) continue;
    const int line = grid.rowCount();
    QLabel* caption = captionFor(*row, *binding);
    binding->addCompanion(caption);
    grid.addWidget(caption, line, 0, captionAlignment);
    grid.addWidget(binding->widget(), line, 1, FillsWidth(row->control) ? Qt::Alignment() : Qt::AlignLeft);
  }
}

// The first cell's caption in column 0, each cell in a column of its own after it.
void FormWidget::addTableRows(QGridLayout& grid, std::span<const ui::LayoutNode> lines) {
  for (const ui::LayoutNode& line : lines) {
    const int row = grid.rowCount();
    for (std::size_t i = 0; i < line.children.size(); ++i) {
      const ui::LayoutNode& cell = line.children[i];
      ControlBinding* binding = bind(*cell.control);
      if (binding == nullptr) continue;
      if (!cell.caption.empty()) {
        QLabel* caption = captionFor(cell, *binding);
        binding->addCompanion(caption);
        grid.addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
      }
      grid.addWidget(binding->widget(), row, static_cast<int>(i) + 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
  }
}

QWidget* FormWidget::buildColumn(const ui::LayoutNode& node) {
  auto* box = new QWidget;
  QBoxLayout* layout = BareLayout(new QVBoxLayout(box));
  const auto& children = node.children;
  for (std::size_t i = 0; i < children.size();) {
    if (const std::size_t tableLines = style_ == FormStyle::Bar ? 0 : TableLength(children, i)) {
      auto* grid = new QGridLayout;
      addTableRows(*grid, std::span(children).subspan(i, tableLines));
      grid->setColumnStretch(grid->columnCount(), 1);
      layout->addLayout(grid);
      i += tableLines;
      continue;
    }
    std::vector<const ui::LayoutNode*> formLines;
    while (i + formLines.size() < children.size() && IsFormLine(children[i + formLines.size()])) {
      formLines.push_back(&children[i + formLines.size()]);
    }
    if (formLines.size() >= 2) {
      auto* grid = new QGridLayout;
      grid->setColumnStretch(2, 1);
      addFormRows(*grid, formLines);
      layout->addLayout(grid);
      i += formLines.size();
    } else {
      addToColumn(*layout, children[i]);
      ++i;
    }
  }
  return box;
}

QWidget* FormWidget::buildGroup(const ui::LayoutNode& node) {
  ControlBinding* binding = node.control != nullptr ? bind(*node.control) : nullptr;
  if (binding == nullptr) return buildColumn(node);
  auto* layout = new QVBoxLayout(binding->widget());
  layout->addWidget(buildColumn(node));
  return binding->widget();
}

QWidget* FormWidget::buildInlineGroup(const ui::LayoutNode& node) {
  ControlBinding* binding = node.control != nullptr ? bind(*node.control) : nullptr;
  if (binding == nullptr) return buildRow(node);
  auto* row = static_cast<QBoxLayout*>(binding->widget()->layout());
  for (const ui::LayoutNode& child : node.children) row->addWidget(build(child), 0, Qt::AlignVCenter);
  return binding->widget();
}

// Each column's parts, one per grid row; a vertical slider's caption takes the row above
// it, so that every channel's caption, slider and value are level with the others'.
QWidget* FormWidget::buildStrips(const ui::LayoutNode& node) {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(grid->horizontalSpacing() + fontMetrics().averageCharWidth() * 2);
  int columnCount = 0;
  for (const ui::LayoutNode& column : node.children) {
    int row = 0;
    for (const ui::LayoutNode& part : column.children) {
      if (part.kind == Kind::Control && IsVerticalSlider(part.control) && !part.caption.empty()) {
        ControlBinding* binding = bind(*part.control);
        if (binding == nullptr) continue;
        QLabel* caption = captionFor(part, *binding);
        binding->addCompanion(caption);
        grid->addWidget(caption, row++, columnCount, Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(binding->widget(), row, columnCount, Qt::AlignHCenter);
        grid->setRowStretch(row++, 1);
      } else {
        const bool grows = part.kind == Kind::Control && IsVerticalSlider(part.control);
        grid->addWidget(build(part), row, columnCount, part.kind == Kind::Control ? Qt::AlignHCenter : Qt::Alignment());
        if (grows) grid->setRowStretch(row, 1);
        ++row;
      }
    }
    ++columnCount;
  }
  grid->setColumnStretch(columnCount, 1);
  // The strips grow only as far as their sliders do; any more room stays below the page.
  int growth = 0;
  for (QWidget* child : box->findChildren<QWidget*>()) {
    if (child->sizePolicy().verticalPolicy() == QSizePolicy::Expanding && child->maximumHeight() < QWIDGETSIZE_MAX) {
      growth = std::max(growth, child->maximumHeight() - std::max(child->minimumHeight(), child->sizeHint().height()));
    }
  }
  box->setMaximumHeight(box->sizeHint().height() + growth);
  return box;
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
