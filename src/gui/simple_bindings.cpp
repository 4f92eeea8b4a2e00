#include "gui/simple_bindings.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>

#include "gui/qt_text.h"

namespace tw::gui {
namespace {

QColor ToColor(ui::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void PaintAsValueLabel(QLabel& label) {
  QPalette palette = label.palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::WindowText, ToColor(ui::ValueLabel::kTextColor));
    palette.setColor(group, QPalette::Window, ToColor(ui::ValueLabel::kBackgroundColor));
  }
  label.setPalette(palette);
  label.setAutoFillBackground(true);
  label.setAlignment(Qt::AlignCenter);
  label.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  // Wide enough for "-10.0dB" and "Mute" so that the row does not move while dragging.
  label.setMinimumWidth(QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("-888.8dB")) + 6);
}

}  // namespace

StaticTextBinding::StaticTextBinding(ui::StaticText& text)
    : ControlBinding(text, new QLabel), text_(text), label_(static_cast<QLabel*>(widget())) {
  label_->setTextFormat(Qt::PlainText);
  if (text.kind() == ui::ControlKind::ValueLabel) PaintAsValueLabel(*label_);
}

void StaticTextBinding::showText() {
  label_->setText(ToQt(text_.text()));
  // A sentence wraps rather than stretching its dialog across the screen; a text broken
  // into lines by its author keeps those lines.
  constexpr qsizetype kLongText = 60;
  if (text_.kind() != ui::ControlKind::ValueLabel) {
    label_->setWordWrap(label_->text().size() > kLongText && !label_->text().contains(u'\n'));
  }
}

ProgressBarBinding::ProgressBarBinding(ui::ProgressBar& bar)
    : ControlBinding(bar, new QProgressBar), bar_(bar), view_(static_cast<QProgressBar*>(widget())) {
  view_->setTextVisible(false);
}

// An empty range would make the bar a busy indicator; it shows an empty bar instead.
void ProgressBarBinding::showItems() {
  view_->setRange(bar_.low(), bar_.high() > bar_.low() ? bar_.high() : bar_.low() + 1);
}

void ProgressBarBinding::showValue() { view_->setValue(bar_.position()); }

GroupBoxBinding::GroupBoxBinding(ui::GroupBox& box)
    : ControlBinding(box, new QGroupBox), box_(box), frame_(static_cast<QGroupBox*>(widget())) {}

void GroupBoxBinding::showText() { frame_->setTitle(ToQt(box_.text())); }

InlineGroupBinding::InlineGroupBinding(ui::GroupBox& box)
    : ControlBinding(box, new QWidget), box_(box), title_(new QLabel) {
  auto* row = new QHBoxLayout(widget());
  row->setContentsMargins(0, 0, 0, 0);
  title_->setTextFormat(Qt::PlainText);
  row->addWidget(title_);
}

void InlineGroupBinding::showText() {
  title_->setText(box_.text().empty() ? QString() : ToQt(box_.text()) + QLatin1Char(':'));
  title_->setHidden(box_.text().empty());
}

}  // namespace tw::gui
