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
bool RunMainLoopUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));

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
    std::string title;  // as the widget shows it
    Size outerSize;     // client area plus the nominal frame
    Size clientSize;    // as the widget has it
    PresentedImage presented;  // the client area as the widget draws it on screen
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
