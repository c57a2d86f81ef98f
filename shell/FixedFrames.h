#pragma once

class QWidget;

namespace lumagrove::shell {

// Asks the window manager to offer neither minimise nor maximise on a window
// of fixed size (the control window, dialogs, message boxes). Call before the
// window is first shown.
//
// The toolkit already says so in the Motif hints that most window managers
// read. Openbox draws both buttons regardless for ordinary windows and
// dialogs, and leaves them off only for toolbar-like windows, so under
// Openbox (and only there) such a window is also given that type.
void OfferNoMinimiseOrMaximise(QWidget& window);

}  // namespace lumagrove::shell
