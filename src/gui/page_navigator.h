#pragma once

#include <QWidget>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "pages/setting_search.h"

class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw::session {
class Workbench;
}

namespace tw::gui {

// The column at the window's left: a search field over the list of pages. The pages stand
// in their families (Speakers, Sound, ...), each family in sheet order. While the field
// holds text the list gives way to the settings found, each with its page; choosing one
// (click, Return) takes the user there.
class PageNavigator final : public QWidget {
 public:
  explicit PageNavigator(session::Workbench& bench, QWidget* parent = nullptr);

  QLineEdit& searchField() const { return *search_; }
  QTreeWidget& pageTree() const { return *tree_; }
  QListWidget& results() const { return *results_; }
  // What the results list shows, in its order.
  const std::vector<pages::SettingMatch>& matches() const { return matches_; }

  // Marks sheet tab `tab` as the page shown (no notification).
  void showPage(int tab);
  // Runs the search for `text` now, as typing it would.
  void search(const QString& text);
  // Chooses result `row`, as a click would.
  void choose(int row);
  // Marks the pages captioned `captions` as differing from the file last compared with the
  // receiver; every other page loses its mark.
  void markDiffering(const std::set<std::string>& captions);

  std::function<void(int tab)> onPageChosen;
  std::function<void(const pages::SettingMatch& match)> onSettingChosen;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildTree();
  QTreeWidgetItem* itemOfTab(int tab) const;

  session::Workbench& bench_;
  QLineEdit* search_;
  QStackedWidget* stack_;
  QTreeWidget* tree_;
  QListWidget* results_;
  std::vector<pages::SettingMatch> matches_;
};

}  // namespace tw::gui
