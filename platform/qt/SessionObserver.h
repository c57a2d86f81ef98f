#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace lumagrove::platform::backend {

struct ShownMessageBox {
    Window owner;
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
};
struct ShownFileDialog {
    bool save = false;
    FileDialogRequest request;
};
struct ShownPopup {
    Window owner;
    std::vector<std::string> items;
};
struct DialogAnswer {
    std::vector<std::pair<int, std::string>> typed;  // item, text typed over it
    int pressed = 0;                                 // then this button is clicked
};

// Someone watching the layer from outside, as tests that drive the program on
// the real toolkit do: it hears of every message box, file dialog and popup
// menu as it opens, and may answer in the user's place. A real session has
// none, so the layer then remembers nothing of what it showed. Called from
// whichever thread shows the window.
class SessionObserver {
public:
    virtual ~SessionObserver() = default;

    virtual void messageBoxShown(const ShownMessageBox& shown) = 0;
    virtual void fileDialogShown(const ShownFileDialog& shown) = 0;
    virtual void popupShown(const ShownPopup& shown) = 0;

    // The next answer given in the user's place, if any; each is used once.
    virtual std::optional<int> takeMessageBoxAnswer() = 0;
    // Outer empty: no answer queued; inner empty: the answer is "cancel".
    virtual std::optional<std::optional<std::string>> takeFileDialogAnswer() = 0;
    virtual std::optional<DialogAnswer> takeDialogAnswer() = 0;
    virtual std::optional<int> takePopupAnswer() = 0;
};

// Null unless one was installed; any thread.
SessionObserver* InstalledObserver();
// The observer must outlive every window the layer shows.
void InstallObserver(SessionObserver* observer);

}  // namespace lumagrove::platform::backend
