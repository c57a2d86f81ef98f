#pragma once

#include <functional>

#include "base/Reporter.h"

class QDialog;
class QString;
class QWidget;

namespace lumagrove::shell {

// Dialogs and message boxes that an image window's thread or a file loader
// asks for. Widgets live on the GUI thread, so the dialog is made and opened
// there, never with a nested event loop: one window's dialog never waits for
// another's. The asking thread waits for the answer; its own window is
// blocked by the dialog meanwhile, so it has nothing else to do.
//
// `build` runs on the GUI thread and returns the dialog, unopened; a dialog
// with a parent is window-modal to it. Whatever the dialog needs to hand
// back, `build` connects to its `finished` signal, which runs before the
// answer returns. The answer is the dialog's result; 0 (rejected) when it was
// cancelled, when its parent window has closed, or when the program is
// shutting down. `window` is the window it is asked for, when the dialog
// has no parent of its own (an image window's message boxes have no owner):
// closing that window cancels it too. Never call this on the GUI thread.
int AskAndWait(const std::function<QDialog*()>& build, const QWidget* window = nullptr);

// Rejects the open dialogs of `window`, or asked for it (all of them for
// nullptr), on the GUI thread; their askers get 0.
void CancelDialogs(const QWidget* window);
// While refusing, every request is answered 0 at once, and open ones are
// rejected when refusing starts: the program is ending.
void SetRefusingDialogs(bool refuse);

// Shows the core's messages as message boxes without an owner, each waiting
// for its OK on the asking thread; closing `window` cancels them.
Reporter MessageBoxReporter(const QWidget* window = nullptr);

// A message box as every one of ours looks: the caption whole in its title
// bar, and no minimise or maximise button.
void DressMessageBox(QDialog& box, const QString& caption);

}  // namespace lumagrove::shell
