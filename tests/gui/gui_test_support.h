#pragma once

#include <QApplication>
#include <QPoint>

class QWidget;

namespace tw::gui::test {

// The one application object of the test program (created on first use; kept for the
// whole run so that widgets of every test share it).
QApplication& App();

// Shows a top-level widget and waits until the platform has put it on screen.
void ShowAndWait(QWidget& window);

// Mouse input as the window system delivers it: press, moves with the button held, release.
void Press(QWidget& widget, QPoint at);
void MoveHeld(QWidget& widget, QPoint to);
void Release(QWidget& widget, QPoint at);

// Runs queued events (posted calls, deferred deletes) without waiting.
void Flush();

}  // namespace tw::gui::test
