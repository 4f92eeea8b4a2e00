#include "gui/list_view_binding.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include "gui/picking_view.h"
#include "gui/qt_text.h"

namespace tw::gui {

ListViewBinding::ListViewBinding(ui::ListView& list)
    : ControlBinding(list, new PickingView<QTreeWidget>),
      list_(list),
      view_(static_cast<QTreeWidget*>(widget())) {
  view_->setRootIsDecorated(false);
  view_->setUniformRowHeights(true);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setAllColumnsShowFocus(true);
  static_cast<PickingView<QTreeWidget>*>(view_)->onPick = [this](int row) {
    if (attached() && !list_.select(row)) {
      const QSignalBlocker block(view_);
      showValue();
    }
  };
  connect(view_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item) list_.activate(view_->indexOfTopLevelItem(item));
  });
  connect(view_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (!attached() || item == nullptr || column != 0 || !list_.checkable()) return;
    const int row = view_->indexOfTopLevelItem(item);
    if (!list_.check(row, item->checkState(0) == Qt::Checked)) {
      const QSignalBlocker block(view_);
      item->setCheckState(0, list_.isChecked(row) ? Qt::Checked : Qt::Unchecked);
    }
  });
}

void ListViewBinding::showItems() {
  view_->clear();
  const auto& columns = list_.columns();
  QStringList titles;
  for (const ui::ListViewColumn& column : columns) titles << ToQt(column.title);
  view_->setColumnCount(static_cast<int>(titles.size()));
  view_->setHeaderLabels(titles);
  const QFontMetrics metrics(view_->font());
  const int charWidth = metrics.averageCharWidth();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const int width = columns[static_cast<std::size_t>(c)].width;
    if (width > 0) view_->setColumnWidth(c, width * charWidth);
  }
  // A list that asks for a number of rows shows them, and every column whole.
  if (list_.visibleRows() > 0) {
    int width = 0;
    for (const ui::ListViewColumn& column : columns) width += column.width * charWidth;
    const int frame = 2 * view_->frameWidth() + view_->verticalScrollBar()->sizeHint().width();
    view_->setMinimumSize(width + frame,
                          view_->header()->sizeHint().height() + list_.visibleRows() * (metrics.height() + 4) + frame);
  }
  const QSignalBlocker block(view_);
  for (int row = 0; row < list_.rowCount(); ++row) {
    auto* item = new QTreeWidgetItem(view_);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) item->setText(c, ToQt(list_.cell(row, c)));
    if (list_.checkable()) item->setCheckState(0, list_.isChecked(row) ? Qt::Checked : Qt::Unchecked);
  }
}

void ListViewBinding::showValue() {
  QTreeWidgetItem* item = view_->topLevelItem(list_.selectedRow());
  view_->setCurrentItem(item);
  if (!item) view_->clearSelection();
}

}  // namespace tw::gui
