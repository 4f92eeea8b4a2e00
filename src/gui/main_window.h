#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QStackedWidget;

namespace tw::ui {
class CAboutDlg;
}
namespace tw::pages {
class CQAmpToolDoc;
class Workbench;
}  // namespace tw::pages

namespace tw::gui {

class FormWidget;
class QtDialogHost;
class QtUiServices;
class SystemMemoryWindow;

// The frame: menus trimmed for the working mode, the main form above the page area, the
// status bar with its message pane. Pages are reached through a list of every page caption
// at the left: nineteen captions stand in one column at a glance, in sheet order, where a
// row of tabs would need several rows or scroll buttons.
class MainWindow final : public QMainWindow {
 public:
  // `bench` has its window parts (started), `document` works over it.
  MainWindow(pages::Workbench& bench, pages::CQAmpToolDoc& document, QtUiServices& ui, QtDialogHost& dialogs);
  ~MainWindow() override;

  FormWidget& mainForm() const { return *mainForm_; }
  QListWidget& pageList() const { return *pageList_; }
  QStackedWidget& pageStack() const { return *pageStack_; }
  // The page form of sheet tab `index`, or null.
  FormWidget* pageForm(int index) const;
  // The menus as shown (Tool is absent in Real Time Mode).
  std::vector<QMenu*> menus() const;
  // The System Memory window (hidden until the main form's button shows it).
  SystemMemoryWindow& systemMemoryWindow() const { return *systemMemory_; }
  // The status bar's message pane ("Ready" when idle).
  QString statusMessage() const;

  void updateTitle();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildCentralArea();
  void fitToScreen();
  void bindStatusBar();
  void showPage(int index);
  void showStatusPane();
  void print();
  void about();

  pages::Workbench& bench_;
  pages::CQAmpToolDoc& document_;
  QtUiServices& ui_;
  QtDialogHost& dialogs_;
  FormWidget* mainForm_ = nullptr;
  QListWidget* pageList_ = nullptr;
  QStackedWidget* pageStack_ = nullptr;
  std::vector<FormWidget*> pageForms_;
  std::unique_ptr<ui::CAboutDlg> about_;
  SystemMemoryWindow* systemMemory_ = nullptr;
};

}  // namespace tw::gui
