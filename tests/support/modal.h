#pragma once
// Driving modal windows from a test. Each step runs inside the window's own
// event loop, once the window is open; a guard closes a window still open a
// few seconds later and fails the test, so that a failed check inside a
// step ends the test instead of hanging it.

#include <functional>

class QWidget;

// Runs action; step gets the modal window it opens and should close it.
// True when one opened.
bool whileModal(const std::function<void()> &action, const std::function<void(QWidget *)> &step);

// Runs step on the next modal window, failing the test when none opens:
// for a window that a step opens in turn (a message box over a dialog).
void onNextModal(const std::function<void(QWidget *)> &step);
