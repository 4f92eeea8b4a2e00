#include "gui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/focus_highlight.h"
#include "gui/form_widget.h"
#include "gui/mnemonics.h"
#include "gui/page_navigator.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_text.h"
#include "gui/qt_ui_services.h"
#include "gui/radio_group_binding.h"
#include "gui/report_printer.h"
#include "gui/system_memory_window.h"
#include "gui/window_placement.h"
#include "session/configuration_document.h"
#include "pages/setting_search.h"
#include "session/workbench.h"
#include "ui/dialogs/about_dlg.h"

namespace tw::gui {
namespace {

const QString kIdleText = QStringLiteral("Ready");

QAction* AddAction(QMenu* menu, const QString& text, const QString& prompt, std::function<void()> run,
                   const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(text);
  action->setStatusTip(prompt);
  action->setShortcut(shortcut);
  QObject::connect(action, &QAction::triggered, menu, [run = std::move(run)] { run(); });
  return action;
}

QFrame* Line(QFrame::Shape shape) {
  auto* line = new QFrame;
  line->setFrameShape(shape);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

// A scroll area that shows its content whole when there is room and scrolls only on a
// screen too small for it.
QScrollArea* Scrolling(QWidget* content) {
  auto* scroll = new QScrollArea;
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  return scroll;
}

}  // namespace

MainWindow::MainWindow(session::Workbench& bench, session::ConfigurationDocument& document, QtUiServices& ui,
                       QtDialogHost& dialogs)
    : bench_(bench), document_(document), ui_(ui), dialogs_(dialogs), comparison_(bench, ui, dialogs) {
  setObjectName(QStringLiteral("mainWindow"));
  ui_.setOwner(this);
  dialogs_.setOwner(this);
  buildMenus();
  buildCentralArea();
  bindStatusBar();
  systemMemory_ = new SystemMemoryWindow(bench_.memoryPage(), this);
  document_.onTitleChanged = [this] { updateTitle(); };
  comparison_.onDifferingPages = [this](const std::set<std::string>& captions) { navigator_->markDiffering(captions); };
  bench_.view().onPortChosen = [this] { updateTitle(); };
  // An upload (or its failure) changes the settings without the user's input.
  bench_.onCommandsFinished = [this](comm::ListResult result) {
    document_.CheckModified();
    comparison_.CommandsFinished(result);
  };
  qApp->installEventFilter(this);
  updateTitle();
  placeWindow();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  bench_.onCommandsFinished = nullptr;
  bench_.view().statusBarMessage().setListener({});
  bench_.view().onPortChosen = nullptr;
  bench_.sheet().onActiveChanged = nullptr;
  document_.onTitleChanged = nullptr;
  comparison_.onDifferingPages = nullptr;
}

// The full menu bar, trimmed as the working mode says: Help keeps only About; in Real Time
// Mode File holds only Compare with Receiver and Exit, and there is no Tool menu.
void MainWindow::buildMenus() {
  const bool realTime = bench_.app().isRealTime();
  session::ConfigurationDocument& document = document_;

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  if (!realTime) {
    AddAction(file, "&Open...", "Open an existing document", [&document] { document.Open(); }, QKeySequence::Open);
    AddAction(file, "&Save", "Save the active document", [&document] { document.Save(); }, QKeySequence::Save);
    AddAction(file, "Save &As...", "Save the active document with a new name", [&document] { document.SaveAs(); },
              QKeySequence::SaveAs);
    file->addSeparator();
    AddAction(file, "&Print...", "Print the active document", [this] { print(); }, QKeySequence::Print);
    file->addSeparator();
  }
  if (realTime) {
    AddAction(file, "&Compare with Receiver...",
              "Show where the receiver differs from a configuration file, and send only the differences",
              [this] { comparison_.Start(); });
    file->addSeparator();
  }
  AddAction(file, "E&xit", "Quit the application; prompts to save documents", [this] { close(); },
            QKeySequence::Quit);

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
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ui::MainView& view = bench_.view();
  connectionBar_ = new FormWidget(view.form(), view.connectionBar(), FormStyle::Bar);
  connectionBar_->setObjectName(QStringLiteral("connectionBar"));
  auto* bar = new QWidget;
  auto* barLayout = new QHBoxLayout(bar);
  const int gap = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
  barLayout->setContentsMargins(2 * std::max(gap, 4), std::max(gap, 4), 2 * std::max(gap, 4), std::max(gap, 4));
  barLayout->addWidget(connectionBar_);
  layout->addWidget(bar);
  layout->addWidget(Line(QFrame::HLine));

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  navigator_ = new PageNavigator(bench_);
  const int navigatorWidth = std::max(navigator_->sizeHint().width(), fontMetrics().averageCharWidth() * 28);
  navigator_->setFixedWidth(navigatorWidth);
  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(8, 8, 0, 8);
  leftLayout->addWidget(navigator_);
  body->addWidget(left);
  body->addWidget(buildPageArea(), 1);
  if (QWidget* panel = buildBasicPanel()) {
    body->addWidget(Line(QFrame::VLine));
    body->addWidget(panel);
  }
  layout->addLayout(body, 1);
  setCentralWidget(central);
  highlight_ = new FocusHighlight(central);

  navigator_->onPageChosen = [this](int tab) { bench_.sheet().setActive(tab); };
  navigator_->onSettingChosen = [this](const pages::SettingMatch& match) { goToSetting(match); };
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, [this] {
    navigator_->searchField().setFocus(Qt::ShortcutFocusReason);
    navigator_->searchField().selectAll();
  });
  addAction(find);

  // Mnemonics for what stays in view; each page gets its own on top of them.
  QString taken = ReservedMnemonics(menuBar());
  taken += AssignMnemonics(connectionBar_, taken);
  if (basicPanel_ != nullptr) taken += AssignMnemonics(basicPanel_, taken);
  for (FormWidget* page : pageForms_) AssignMnemonics(page, taken);
}

QWidget* MainWindow::buildPageArea() {
  pageStack_ = new QStackedWidget;
  pageStack_->setObjectName(QStringLiteral("pageStack"));
  for (pages::BasePage* page : bench_.sheet().tabs()) {
    auto* form = new FormWidget(page->form());
    form->setObjectName(ToQt(page->caption()));
    form->setContentsMargins(12, 10, 12, 10);
    QScrollArea* scroll = Scrolling(form);
    pageStack_->addWidget(scroll);
    pageForms_.push_back(form);
    pageScrolls_.push_back(scroll);
  }
  pages::Sheet& sheet = bench_.sheet();
  sheet.onActiveChanged = [this](int index) { showPage(index); };
  showPage(sheet.activeIndex());
  // Until the first page exists there is nothing to navigate.
  navigator_->setVisible(!pageForms_.empty());
  return pageStack_;
}

QWidget* MainWindow::buildBasicPanel() {
  const ui::LayoutNode* group = bench_.view().basicPanel();
  if (group == nullptr) return nullptr;
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("basicControlPanel"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(10, 8, 10, 8);
  auto* title = new QLabel(QStringLiteral("Basic Control"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);
  basicPanel_ = new FormWidget(bench_.view().form(), *group, FormStyle::Panel);
  layout->addWidget(basicPanel_, 1);
  QScrollArea* scroll = Scrolling(panel);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFixedWidth(panel->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
  return scroll;
}

// Where the user left the window; the first time, as large as a laptop screen allows and
// no larger than a page and its panels need on a big one.
void MainWindow::placeWindow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
  const QSize wanted = QSize(1280, 820).boundedTo(available.size());
  resize(wanted);
  move(available.center() - rect().center());
  RestoreWindowPlacement(*this, bench_.app().settingsFile());
}

void MainWindow::showPage(int index) {
  navigator_->showPage(index);
  if (index >= 0 && index < pageStack_->count()) pageStack_->setCurrentIndex(index);
}

FormWidget* MainWindow::pageForm(int index) const {
  return index >= 0 && index < pageCount() ? pageForms_[static_cast<std::size_t>(index)] : nullptr;
}

QScrollArea* MainWindow::pageScroll(int index) const {
  return index >= 0 && index < pageCount() ? pageScrolls_[static_cast<std::size_t>(index)] : nullptr;
}

QWidget* MainWindow::widgetFor(const ui::Control& control) const {
  if (QWidget* widget = connectionBar_->widgetFor(control)) return widget;
  if (basicPanel_ != nullptr) {
    if (QWidget* widget = basicPanel_->widgetFor(control)) return widget;
  }
  for (FormWidget* page : pageForms_) {
    if (QWidget* widget = page->widgetFor(control)) return widget;
  }
  return nullptr;
}

void MainWindow::goToSetting(const pages::SettingMatch& match) {
  FormWidget* form = basicPanel_;
  const ui::Control* control = match.control;
  if (match.tab != pages::SettingMatch::kBasicControl) {
    bench_.sheet().setActive(match.tab);
    form = pageForm(match.tab);
    pages::BasePage* page = bench_.sheet().tabs()[static_cast<std::size_t>(match.tab)];
    if (const ui::Control* shown = page->BringIntoView(match.number, match.subIndex)) control = shown;
  }
  ControlBinding* binding = form != nullptr && control != nullptr ? form->bindingFor(*control) : nullptr;
  QWidget* focus = binding != nullptr ? binding->widget() : form;
  QWidget* frame = binding != nullptr ? binding->outer() : form;
  // A radio group takes the focus on its checked button, as Tab would give it.
  if (auto* radios = dynamic_cast<RadioGroupBinding*>(binding)) {
    const auto& group = static_cast<const ui::RadioGroup&>(radios->control());
    if (QRadioButton* checked = radios->button(std::max(group.selected(), 0))) focus = checked;
  }
  if (focus == nullptr) return;
  for (QWidget* up = focus->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
      scroll->ensureWidgetVisible(frame);
      break;
    }
  }
  focus->setFocus(Qt::OtherFocusReason);
  highlight_->highlight(frame, binding != nullptr ? binding->companions() : std::vector<QWidget*>{});
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
  virtualMark_ = new QLabel;
  virtualMark_->setObjectName(QStringLiteral("virtualReceiverMark"));
  virtualMark_->setText(QStringLiteral("Virtual receiver: no hardware is reached"));
  virtualMark_->setToolTip(
      QStringLiteral("The port list has the built-in virtual receiver selected: connections and transfers "
                     "reach it, not a TQ-N4400 on a serial line."));
  QFont bold = virtualMark_->font();
  bold.setBold(true);
  virtualMark_->setFont(bold);
  statusBar()->addPermanentWidget(virtualMark_);
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

void MainWindow::updateTitle() {
  setWindowTitle(ToQt(bench_.view().windowTitle()));
  if (virtualMark_ != nullptr) virtualMark_->setVisible(bench_.view().virtualReceiverSelected());
}

void MainWindow::print() { PrintReportWithDialog(this, document_.BuildReport()); }

void MainWindow::about() {
  if (about_ && about_->isOpen()) return;
  about_ = std::make_unique<ui::AboutDialog>(bench_.app().log().folder().string());
  about_->DoModal(dialogs_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool input = type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::Wheel;
  if (input && !modifiedCheckPosted_) {
    // Once the input's handlers have run; one check for a burst of events.
    modifiedCheckPosted_ = true;
    QTimer::singleShot(0, this, [this] {
      modifiedCheckPosted_ = false;
      document_.CheckModified();
    });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!document_.SaveModified(session::ConfigurationDocument::Occasion::Close)) {
    event->ignore();
    return;
  }
  SaveWindowPlacement(*this, bench_.app().settingsFile());
  bench_.view().OnDestroy();
  event->accept();
}

}  // namespace tw::gui
