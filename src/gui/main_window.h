#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

#include "session/receiver_comparison.h"

class QLabel;
class QMenu;
class QScrollArea;
class QStackedWidget;

namespace tw::ui {
class AboutDialog;
class Control;
}  // namespace tw::ui
namespace tw::pages {
struct SettingMatch;
}  // namespace tw::pages
namespace tw::session {
class ConfigurationDocument;
class Workbench;
}  // namespace tw::session

namespace tw::gui {

class FocusHighlight;
class FormWidget;
class PageNavigator;
class QtDialogHost;
class QtUiServices;
class SystemMemoryWindow;

// The frame. The page being edited is the main area; around it:
// - a bar along the top with the connection controls (port, Open/Close or Upload/Download,
//   Reload, the working mode, System Memory, the connection state);
// - at the left, a search field over the pages grouped by family;
// - at the right, the Basic Control group as a narrow panel;
// - the menus trimmed for the working mode, and the status bar with its message pane and,
//   while the virtual receiver is the port in use, a mark that says so.
// The window keeps its size and position in the settings file.
class MainWindow final : public QMainWindow {
 public:
  // `bench` has its window parts (started), `document` works over it.
  MainWindow(session::Workbench& bench, session::ConfigurationDocument& document, QtUiServices& ui, QtDialogHost& dialogs);
  ~MainWindow() override;

  FormWidget& connectionBar() const { return *connectionBar_; }
  // The Basic Control panel (null when the view has no Basic Control group).
  FormWidget* basicPanel() const { return basicPanel_; }
  PageNavigator& navigator() const { return *navigator_; }
  QStackedWidget& pageStack() const { return *pageStack_; }
  // The page form of sheet tab `index` and the scroll area around it, or null.
  FormWidget* pageForm(int index) const;
  QScrollArea* pageScroll(int index) const;
  int pageCount() const { return static_cast<int>(pageForms_.size()); }
  // The widget of any control of the window: the bar, the panel or a page; null if none.
  QWidget* widgetFor(const ui::Control& control) const;
  // The menus as shown (Tool is absent in Real Time Mode).
  std::vector<QMenu*> menus() const;
  // The System Memory window (hidden until the main form's button shows it).
  SystemMemoryWindow& systemMemoryWindow() const { return *systemMemory_; }
  // The status bar's message pane ("Ready" when idle).
  QString statusMessage() const;
  // Shown while the virtual receiver is the port in use.
  QLabel& virtualReceiverMark() const { return *virtualMark_; }
  FocusHighlight& highlight() const { return *highlight_; }
  // File > Compare with Receiver... (Real Time Mode).
  session::ReceiverComparison& comparison() { return comparison_; }

  // The title from the view; the virtual receiver's mark follows the port list.
  void updateTitle();
  // Shows the setting's page, gives its control the focus and frames it for a moment.
  void goToSetting(const pages::SettingMatch& match);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Watches the user's input anywhere in the program: after it, the title says whether the
  // settings hold unsaved changes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void buildCentralArea();
  QWidget* buildPageArea();
  QWidget* buildBasicPanel();
  void placeWindow();
  void bindStatusBar();
  void showPage(int index);
  void showStatusPane();
  void print();
  void about();

  session::Workbench& bench_;
  session::ConfigurationDocument& document_;
  QtUiServices& ui_;
  QtDialogHost& dialogs_;
  session::ReceiverComparison comparison_;
  FormWidget* connectionBar_ = nullptr;
  FormWidget* basicPanel_ = nullptr;
  PageNavigator* navigator_ = nullptr;
  QStackedWidget* pageStack_ = nullptr;
  std::vector<FormWidget*> pageForms_;
  std::vector<QScrollArea*> pageScrolls_;
  QLabel* virtualMark_ = nullptr;
  FocusHighlight* highlight_ = nullptr;
  std::unique_ptr<ui::AboutDialog> about_;
  SystemMemoryWindow* systemMemory_ = nullptr;
  bool modifiedCheckPosted_ = false;
};

}  // namespace tw::gui
