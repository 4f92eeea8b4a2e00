#include "gui_test_support.h"

#include <QPushButton>

#include <QMessageBox>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace tw::gui::test {
namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF local(at);
  QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// Every test builds widgets, so the application exists before the first one runs.
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { App(); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

// The offscreen platform warns on every top-level window that it cannot pass size hints on.
QtMessageHandler standardHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  if (standardHandler) standardHandler(type, context, message);
}

}  // namespace

QApplication& App() {
  static int argc = 1;
  static char name[] = "tw_test_gui";
  static char* argv[] = {name, nullptr};
  // Never deleted: widgets of a failed test may still exist at exit.
  static QApplication* app = [] {
    standardHandler = qInstallMessageHandler(QuietHandler);
    return new QApplication(argc, argv);
  }();
  return *app;
}

void ShowAndWait(QWidget& window) {
  App();
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
}

void Press(QWidget& widget, QPoint at) {
  SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void MoveHeld(QWidget& widget, QPoint to) {
  SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

void Release(QWidget& widget, QPoint at) {
  SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

namespace {

void PollForModal(std::shared_ptr<std::function<void(QWidget&)>> act, QElapsedTimer started) {
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
    (*act)(*modal);
    return;
  }
  if (started.elapsed() > 5000) {
    ADD_FAILURE() << "no modal window opened";
    return;
  }
  QTimer::singleShot(5, [act, started] { PollForModal(act, started); });
}

}  // namespace

void WhenModal(std::function<void(QWidget& modal)> act) {
  QElapsedTimer started;
  started.start();
  auto shared = std::make_shared<std::function<void(QWidget&)>>(std::move(act));
  QTimer::singleShot(0, [shared, started] { PollForModal(shared, started); });
}

void TakeNextMessage(QString& text) {
  WhenModal([&text](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr);
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
}

bool ClickButton(QWidget& window, const QString& caption) {
  QPushButton* found = nullptr;
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text().remove(QLatin1Char('&')) == caption) found = button;
  }
  // The click may close the window, and its buttons with it: nothing is read after it.
  if (found != nullptr) QTest::mouseClick(found, Qt::LeftButton);
  return found != nullptr;
}

void Flush() { QCoreApplication::processEvents(); }

}  // namespace tw::gui::test

// Fontconfig keeps its caches until the process ends (the system library, not ours); the
// leak checker of the sanitizer build is told so instead of failing every widget test.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
