#include "gui/item_list_bindings.h"

#include <QComboBox>
#include <QListWidget>

#include "gui/picking_view.h"
#include "gui/qt_text.h"

namespace tw::gui {

ComboBoxBinding::ComboBoxBinding(ui::ComboBox& combo)
    : ControlBinding(combo, new QComboBox), combo_(combo), view_(static_cast<QComboBox*>(widget())) {
  view_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(view_, &QComboBox::activated, this, [this](int index) {
    if (!combo_.select(index)) {
      const QSignalBlocker block(view_);
      showValue();
    }
  });
}

void ComboBoxBinding::showItems() {
  view_->clear();
  for (const ui::ListItem& item : combo_.items()) view_->addItem(ToQt(item.text));
}

void ComboBoxBinding::showValue() { view_->setCurrentIndex(combo_.curSel()); }

ListBoxBinding::ListBoxBinding(ui::ListBox& list)
    : ControlBinding(list, new PickingView<QListWidget>),
      list_(list),
      view_(static_cast<QListWidget*>(widget())) {
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  static_cast<PickingView<QListWidget>*>(view_)->onPick = [this](int row) {
    if (attached() && !list_.select(row)) {
      const QSignalBlocker block(view_);
      showValue();
    }
  };
}

void ListBoxBinding::showItems() {
  view_->clear();
  for (const ui::ListItem& item : list_.items()) view_->addItem(ToQt(item.text));
}

void ListBoxBinding::showValue() {
  view_->setCurrentRow(list_.curSel());
  if (list_.curSel() < 0) view_->clearSelection();
}

}  // namespace tw::gui
