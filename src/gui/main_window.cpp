#include "gui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/form_widget.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_services.h"
#include "gui/report_printer.h"
#include "gui/system_memory_window.h"
#include "pages/qamp_tool_doc.h"
#include "pages/workbench.h"
#include "ui/dialogs/about_dlg.h"

namespace tw::gui {
namespace {

const QString kIdleText = QStringLiteral("Ready");

QAction* AddAction(QMenu* menu, const QString& text, const QString& prompt, std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setStatusTip(prompt);
  QObject::connect(action, &QAction::triggered, menu, [run = std::move(run)] { run(); });
  return action;
}

}  // namespace

MainWindow::MainWindow(pages::Workbench& bench, pages::CQAmpToolDoc& document, QtUiServices& ui,
                       QtDialogHost& dialogs)
    : bench_(bench), document_(document), ui_(ui), dialogs_(dialogs) {
  setObjectName(QStringLiteral("mainWindow"));
  ui_.setOwner(this);
  dialogs_.setOwner(this);
  buildMenus();
  buildCentralArea();
  bindStatusBar();
  systemMemory_ = new SystemMemoryWindow(bench_.memoryPage(), this);
  document_.onTitleChanged = [this] { updateTitle(); };
  updateTitle();
}

MainWindow::~MainWindow() {
  bench_.view().statusBarMessage().setListener({});
  bench_.sheetView().onActiveChanged = nullptr;
  document_.onTitleChanged = nullptr;
}

// The full menu bar, trimmed as the working mode says: Help keeps only About; in Real Time
// Mode File keeps only Exit and there is no Tool menu.
void MainWindow::buildMenus() {
  const bool realTime = bench_.app().isRealTime();
  pages::CQAmpToolDoc& document = document_;

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  if (!realTime) {
    AddAction(file, "&Open...", "Open an existing document", [&document] { document.Open(); });
    AddAction(file, "&Save", "Save the active document", [&document] { document.Save(); });
    AddAction(file, "Save &As...", "Save the active document with a new name", [&document] { document.SaveAs(); });
    file->addSeparator();
    AddAction(file, "&Print...", "Print the active document", [this] { print(); });
    file->addSeparator();
  }
  AddAction(file, "E&xit", "Quit the application; prompts to save documents", [this] { close(); });

  if (!realTime) {
    QMenu* tool = menuBar()->addMenu(QStringLiteral("&Tool"));
    AddAction(tool, "&User Memo", "Input User Memo", [&document] { document.UserMemo(); });
    AddAction(tool, "&Make Report", "Make Report", [&document] { document.MakeReport(); });
  }

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  AddAction(help, "&About Tunewright...", "Display program information, version number and copyright",
            [this] { about(); });
}

void MainWindow::buildCentralArea() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  mainForm_ = new FormWidget(bench_.view().form());
  layout->addWidget(mainForm_);

  auto* pageArea = new QHBoxLayout;
  pageList_ = new QListWidget;
  pageList_->setObjectName(QStringLiteral("pageList"));
  pageStack_ = new QStackedWidget;
  pages::SheetView& sheet = bench_.sheetView();
  for (pages::CBasePage* page : bench_.sheet().tabs()) {
    pageList_->addItem(ToQt(page->caption()));
    auto* form = new FormWidget(page->form());
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    pageStack_->addWidget(scroll);
    pageForms_.push_back(form);
  }
  pageList_->setFixedWidth(pageList_->sizeHintForColumn(0) + 2 * pageList_->frameWidth() + 12);
  connect(pageList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row != bench_.sheetView().activeIndex()) bench_.sheetView().setActive(row);
    pageStack_->setCurrentIndex(row);
  });
  sheet.onActiveChanged = [this](int index) { showPage(index); };
  showPage(sheet.activeIndex());
  pageArea->addWidget(pageList_);
  pageArea->addWidget(pageStack_, 1);
  // Until the first page exists there is nothing to navigate.
  pageList_->setVisible(pageList_->count() > 0);
  pageStack_->setVisible(pageList_->count() > 0);
  layout->addLayout(pageArea, 1);
  setCentralWidget(central);
  fitToScreen();
}

// Room for the whole main form and a page below it (the level sliders are tall), within the
// screen; the page area scrolls when the screen is smaller.
void MainWindow::fitToScreen() {
  constexpr int kPageHeight = 480;
  constexpr int kMinimumWidth = 960;
  QSize wanted(std::max(kMinimumWidth, sizeHint().width()),
               mainForm_->sizeHint().height() + menuBar()->sizeHint().height() + kPageHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  resize(wanted);
}

void MainWindow::showPage(int index) {
  const QSignalBlocker block(pageList_);
  pageList_->setCurrentRow(index);
  if (index >= 0) pageStack_->setCurrentIndex(index);
}

FormWidget* MainWindow::pageForm(int index) const {
  return index >= 0 && index < static_cast<int>(pageForms_.size())
             ? pageForms_[static_cast<std::size_t>(index)]
             : nullptr;
}

std::vector<QMenu*> MainWindow::menus() const {
  std::vector<QMenu*> shown;
  for (QAction* action : menuBar()->actions()) {
    if (action->menu() != nullptr) shown.push_back(action->menu());
  }
  return shown;
}

// The message pane shows what the link puts there ("GUARD", "ERROR"), a menu prompt while
// the pointer is on a command, and "Ready" otherwise.
void MainWindow::bindStatusBar() {
  bench_.view().statusBarMessage().setListener([this](ui::Change change) {
    if (change == ui::Change::Text) showStatusPane();
  });
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) showStatusPane();
  });
  showStatusPane();
}

void MainWindow::showStatusPane() {
  const std::string& text = bench_.view().statusBarMessage().text();
  statusBar()->showMessage(text.empty() ? kIdleText : ToQt(text));
}

QString MainWindow::statusMessage() const { return statusBar()->currentMessage(); }

void MainWindow::updateTitle() { setWindowTitle(ToQt(bench_.view().windowTitle())); }

void MainWindow::print() {
  PrintReportWithDialog(this, document_.BuildReport());
}

void MainWindow::about() {
  if (about_ && about_->isOpen()) return;
  about_ = std::make_unique<ui::CAboutDlg>();
  about_->DoModal(dialogs_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bench_.view().OnDestroy();
  event->accept();
}

}  // namespace tw::gui
