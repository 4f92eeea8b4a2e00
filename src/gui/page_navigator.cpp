#include "gui/page_navigator.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "pages/page_registry.h"
#include "session/workbench.h"

namespace tw::gui {
namespace {

constexpr int kTabRole = Qt::UserRole;
constexpr int kPlaceRole = Qt::UserRole + 1;

// A found setting in two lines: "key: value", and under it its page in the muted colour.
class ResultDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    base.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : nullptr;
    if (style != nullptr) style->drawControl(QStyle::CE_ItemViewItem, &base, painter, view);

    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) ? QPalette::Active : QPalette::Disabled;
    const QRect area = option.rect.adjusted(6, 3, -6, -3);
    const int line = option.fontMetrics.lineSpacing();
    painter->save();
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QString setting = index.data(Qt::DisplayRole).toString();
    painter->drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(setting, Qt::ElideRight, area.width()));
    QColor muted = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::PlaceholderText);
    painter->setPen(muted);
    const QString place = index.data(kPlaceRole).toString();
    painter->drawText(QRect(area.left(), area.top() + line, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(place, Qt::ElideRight, area.width()));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const override {
    return {option.rect.width(), 2 * option.fontMetrics.lineSpacing() + 6};
  }
};

QString SettingText(const pages::SettingMatch& match) {
  return match.value.empty() ? ToQt(match.key) : ToQt(match.key) + QStringLiteral(": ") + ToQt(match.value);
}

}  // namespace

PageNavigator::PageNavigator(session::Workbench& bench, QWidget* parent)
    : QWidget(parent),
      bench_(bench),
      search_(new QLineEdit),
      stack_(new QStackedWidget),
      tree_(new QTreeWidget),
      results_(new QListWidget) {
  setObjectName(QStringLiteral("pageNavigator"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  search_->setObjectName(QStringLiteral("settingSearch"));
  search_->setPlaceholderText(QStringLiteral("Find a setting (Ctrl+F)"));
  search_->setClearButtonEnabled(true);
  search_->setToolTip(QStringLiteral("Finds a setting by any part of its name, its value or its page"));
  search_->installEventFilter(this);
  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) { search(text); });
  layout->addWidget(search_);

  tree_->setObjectName(QStringLiteral("pageList"));
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  tree_->setItemsExpandable(false);
  tree_->setIndentation(fontMetrics().averageCharWidth() * 2);
  tree_->setUniformRowHeights(true);
  buildTree();
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item == nullptr || !item->data(0, kTabRole).isValid()) return;
    if (onPageChosen) onPageChosen(item->data(0, kTabRole).toInt());
  });

  results_->setObjectName(QStringLiteral("searchResults"));
  results_->setItemDelegate(new ResultDelegate(results_));
  results_->setUniformItemSizes(true);
  results_->installEventFilter(this);
  connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { choose(results_->row(item)); });
  connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { choose(results_->row(item)); });

  stack_->addWidget(tree_);
  stack_->addWidget(results_);
  layout->addWidget(stack_, 1);
  setFocusProxy(tree_);
}

void PageNavigator::markDiffering(const std::set<std::string>& captions) {
  const std::vector<pages::BasePage*>& tabs = bench_.sheet().tabs();
  for (std::size_t tab = 0; tab < tabs.size(); ++tab) {
    QTreeWidgetItem* item = itemOfTab(static_cast<int>(tab));
    if (item == nullptr) continue;
    const bool differs = captions.count(tabs[tab]->caption()) > 0;
    item->setText(0, ToQt(tabs[tab]->caption()) + (differs ? QStringLiteral("  \u2260") : QString()));
    item->setToolTip(0, differs ? QStringLiteral("Differs from the file compared with the receiver") : QString());
  }
}

void PageNavigator::buildTree() {
  const auto families = pages::FamilyNames();
  std::vector<QTreeWidgetItem*> heads(families.size(), nullptr);
  const std::vector<pages::BasePage*>& tabs = bench_.sheet().tabs();
  QFont bold = tree_->font();
  bold.setBold(true);
  for (std::size_t family = 0; family < families.size(); ++family) {
    auto* head = new QTreeWidgetItem(QStringList{ToQt(families[family])});
    head->setFlags(Qt::ItemIsEnabled);
    head->setFont(0, bold);
    heads[family] = head;
  }
  for (std::size_t tab = 0; tab < tabs.size(); ++tab) {
    const auto family = static_cast<std::size_t>(pages::FamilyOfPage(tabs[tab]->caption()));
    auto* item = new QTreeWidgetItem(heads[family], QStringList{ToQt(tabs[tab]->caption())});
    item->setData(0, kTabRole, static_cast<int>(tab));
  }
  // A family without pages in this working mode is not listed.
  for (QTreeWidgetItem* head : heads) {
    if (head->childCount() > 0) {
      tree_->addTopLevelItem(head);
    } else {
      delete head;
    }
  }
  tree_->expandAll();
}

QTreeWidgetItem* PageNavigator::itemOfTab(int tab) const {
  for (int family = 0; family < tree_->topLevelItemCount(); ++family) {
    QTreeWidgetItem* head = tree_->topLevelItem(family);
    for (int i = 0; i < head->childCount(); ++i) {
      if (head->child(i)->data(0, kTabRole).toInt() == tab) return head->child(i);
    }
  }
  return nullptr;
}

void PageNavigator::showPage(int tab) {
  const QSignalBlocker block(tree_);
  if (QTreeWidgetItem* item = itemOfTab(tab)) tree_->setCurrentItem(item);
}

void PageNavigator::search(const QString& text) {
  if (search_->text() != text) {
    const QSignalBlocker block(search_);
    search_->setText(text);
  }
  results_->clear();
  matches_.clear();
  if (text.trimmed().isEmpty()) {
    stack_->setCurrentWidget(tree_);
    return;
  }
  matches_ = pages::FindSettings(bench_.sheet(), &bench_.basicControls(), *bench_.link().images().Image(0),
                                 FromQt(text));
  for (const pages::SettingMatch& match : matches_) {
    auto* item = new QListWidgetItem(SettingText(match), results_);
    item->setData(kPlaceRole, ToQt(match.place));
    item->setToolTip(SettingText(match) + QStringLiteral("\n") + ToQt(match.place));
  }
  if (matches_.empty()) {
    auto* none = new QListWidgetItem(QStringLiteral("No setting found"), results_);
    none->setFlags(Qt::NoItemFlags);
  }
  stack_->setCurrentWidget(results_);
}

void PageNavigator::choose(int row) {
  if (row < 0 || row >= static_cast<int>(matches_.size())) return;
  const pages::SettingMatch match = matches_[static_cast<std::size_t>(row)];
  if (onSettingChosen) onSettingChosen(match);
}

bool PageNavigator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == search_) {
    if (key == Qt::Key_Escape && !search_->text().isEmpty()) {
      search_->clear();
      return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !matches_.empty()) {
      choose(results_->currentRow() >= 0 ? results_->currentRow() : 0);
      return true;
    }
    if (key == Qt::Key_Down) {
      QWidget* next = stack_->currentWidget() == results_ ? static_cast<QWidget*>(results_) : tree_;
      if (next == results_ && results_->currentRow() < 0 && !matches_.empty()) results_->setCurrentRow(0);
      next->setFocus(Qt::TabFocusReason);
      return true;
    }
  } else if (watched == results_) {
    if (key == Qt::Key_Escape) {
      search_->setFocus(Qt::ShortcutFocusReason);
      search_->clear();
      return true;
    }
    if (key == Qt::Key_Up && results_->currentRow() <= 0) {
      search_->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tw::gui
