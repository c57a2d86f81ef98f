#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Window.h"
#include "platform/qt/SessionObserver.h"

// Hooks for tests that drive the program through this layer on the real
// toolkit (the offscreen platform does fine). Unless said otherwise they must
// be called on the main thread. They live in a library of their own that only
// test programs link.
namespace lumagrove::platform::testing {

// Runs the main thread's loop (its windows' messages and the toolkit's events)
// until `done` holds; false when the time ran out first.
bool RunMainLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Pixels as the screen shows them, row after row, each 0xffRRGGBB.
struct PresentedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    static constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
        return 0xff000000u | red << 16 | green << 8 | blue;
    }

    bool valid(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

struct WindowSnapshot {
    Window window;
    bool isDialog = false;
    bool visible = false;
    std::string title;         // as the widget shows it
    Size outerSize;            // the view of the client area plus the nominal frame
    Size clientSize;           // the part of the view that shows the client area, scroll bars aside
    PresentedImage presented;  // that part as the widget draws it on screen
    double zoom = 1.0;         // view pixels per client pixel
    Point scroll;              // where that part starts in the zoomed client area
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
using backend::DialogAnswer;
void AnswerNextDialog(DialogAnswer answer);
void AnswerNextPopup(int commandId);

// What was shown, oldest first (any thread may read these).
using backend::ShownFileDialog;
using backend::ShownMessageBox;
using backend::ShownPopup;
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
// The mouse at a point of the view of the client area, as presented.
enum class Mouse { LeftPress, LeftDrag, LeftRelease, RightRelease };
bool MouseOnClient(Window window, Mouse action, Point at);
// Keys pressed in a window, such as "Ctrl++" or "Ctrl+0".
bool PressKeys(Window window, std::string_view keys);
// Turns the wheel over a point of the view by whole notches, away from the
// user when positive, with Ctrl held or not.
bool TurnWheel(Window window, Point at, int notches, bool control);
// Moves the view's scroll bars so that the view starts at `scroll`.
bool ScrollViewTo(Window window, Point scroll);
// Resizes the window by its frame, as a user does.
bool ResizeByUser(Window window, Size outer);
// True when all of the window's menu bar shows: every entry, none hidden
// behind the bar's overflow button.
bool WholeMenuBarShows(Window window);
// The primary screen's area for windows.
Rect AvailableScreenArea();
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
