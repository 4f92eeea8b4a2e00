#pragma once

#include <QApplication>
#include <QPoint>
#include <functional>

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

// Runs `act` on the modal window as soon as one is open (a message box, a file dialog), from
// inside the event loop of whatever opened it. Gives up after a few seconds, so that a
// test of a box that never opens fails instead of hanging.
void WhenModal(std::function<void(QWidget& modal)> act);
// Answers the next message box with OK, its text put into `text`.
void TakeNextMessage(QString& text);
// Clicks the push button of `window` captioned `caption` (its mnemonic aside); false when
// there is none.
bool ClickButton(QWidget& window, const QString& caption);

// Runs queued events (posted calls, deferred deletes) without waiting.
void Flush();

}  // namespace tw::gui::test
