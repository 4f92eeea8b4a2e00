#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <QWidget>

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

void Flush() { QCoreApplication::processEvents(); }

}  // namespace tw::gui::test
