#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QImage>

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

// Hooks for tests that drive the program through this layer on the real
// toolkit (the offscreen platform does fine). Unless said otherwise they must
// be called on the main thread.
namespace lumagrove::platform::testing {

// Runs the main thread's loop (its windows' messages and the toolkit's events)
// until `done` holds; false when the time ran out first.
bool RunMainLoopUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));

struct WindowSnapshot {
    Window window;
    bool isDialog = false;
    bool visible = false;
    std::string title;  // as the widget shows it
    Size outerSize;     // client area plus the nominal frame
    Size clientSize;    // as the widget has it
    QImage presented;   // the client area as the widget draws it on screen
};

// Every window whose widget exists, oldest first.
std::vector<WindowSnapshot> TopLevelWindows();
std::optional<WindowSnapshot> Snapshot(Window window);

// Answers for the next requests of each kind, from whatever thread they come,
// in the order given. The message box and the dialog really open and are
// answered through their widgets; the file dialog returns the name as if
// chosen (its own prompts still follow).
void AnswerNextMessageBox(int answer);
void AnswerNextFileDialog(std::optional<std::string> name);
struct DialogAnswer {
    std::vector<std::pair<int, std::string>> typed;  // item, text typed over it
    int pressed = 0;                                 // then this button is clicked
};
void AnswerNextDialog(DialogAnswer answer);
void AnswerNextPopup(int commandId);

// What was shown, oldest first (any thread may read these).
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
std::vector<ShownMessageBox> ShownMessageBoxes();
std::vector<ShownFileDialog> ShownFileDialogs();
std::vector<ShownPopup> ShownPopups();
// Forgets the records and any answer not used yet.
void ResetHooks();

// Acting as the user on what is on screen.
std::vector<Window> OpenDialogs();
bool TypeIntoItem(Window dialog, int itemId, std::string_view text);
bool PressButton(Window dialog, int itemId);
bool ClickSpin(Window dialog, int spinId, bool up);
bool DropFilesOn(Window dialog, int itemId, const std::vector<std::string>& names);
enum class Mouse { LeftPress, LeftRelease, RightRelease };
bool MouseOnClient(Window window, Mouse action, Point client);
bool CloseBoxClicked(Window window);
// Chooses an entry of the window's menu bar; false when it has no such entry.
bool ChooseFromMenuBar(Window window, int commandId);

// What the widgets of a dialog show.
std::string ShownItemText(Window dialog, int itemId);
std::vector<std::string> ShownListLines(Window dialog, int listId);
int ShownListSelection(Window dialog, int listId);
bool ShownItemEnabled(Window dialog, int itemId);
Rect ItemGeometry(Window dialog, int itemId);  // in the dialog's client area

}  // namespace lumagrove::platform::testing
