#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/Message.h"

namespace lumagrove::platform {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A window's client area is the program's drawing area, in its own pixels:
// painting, mouse coordinates (kept within the area, its right and bottom
// edges included) and ClientSize are in those pixels, however the screen shows
// them. The screen shows the client area in a view: at its own size when that
// fits the screen area windows may take, otherwise capped to that area and
// reduced to fit it. The user may zoom the view (Ctrl with the wheel, "+",
// "-", "0" to fit the window, "1" for actual pixels) and scroll it; neither
// concerns the program. Where the view is larger than the client area, the
// window's white background shows. A view is never narrower than the window's
// menu bar, so that all of the bar shows.
//
// The outer size of a window is its client area plus a fixed nominal frame.
// The real decoration belongs to the desktop's window manager and differs from
// one to the next; a fixed frame keeps outer sizes the program computes
// meaningful everywhere.
inline constexpr int FrameBorder = 3;
inline constexpr int CaptionHeight = 19;
inline constexpr int MenuBarHeight = 20;

// Runs on the thread that created the window, for every message it receives.
using WindowProcedure = std::function<Result(Window, Msg, WordParam, LongParam)>;

// Close destroys the window, Paint validates it, DropFiles discards the names.
Result DefaultWindowProcedure(Window window, Msg message, WordParam word, LongParam data);

struct WindowClass {
    std::string name;
    WindowProcedure procedure;
    int menuResource = 0;  // 0: no menu bar
};

// False when a class of that name exists; the first registration stays.
bool RegisterWindowClass(const WindowClass& windowClass);

// Creates a hidden top-level window owned by the calling thread and runs its
// Create message before returning. New windows cascade from the top left of
// the screen area windows may take, and start over there before one would
// leave it. A procedure
// that answers Create with -1 refuses the window: the result is then empty, as
// it is for an unknown class.
Window CreateWindowOfClass(std::string_view className, std::string_view title, Size outerSize);

// Only the owning thread may destroy a window. Windows it owns (dialogs) go
// first, then the window receives Destroy and is gone.
bool DestroyWindow(Window window);
bool WindowExists(Window window);

void SetWindowTitle(Window window, std::string_view title);
std::string WindowTitle(Window window);

// Outer rectangle in screen coordinates: the view plus the nominal frame.
// All zero for a window that is gone.
Rect WindowFrame(Window window);
Size ClientSize(Window window);
// Moves the window and gives it a client area of the outer size less the
// frame, shown as described above.
void PlaceWindow(Window window, const Rect& outer, bool repaint);
// Moves the window to the top right corner of the screen and keeps the strip
// it takes there: windows placed from then on leave it free. Best called
// before the window first shows, as for a dialog just made: the frame then
// goes to the corner, where otherwise the caption could end up off the top.
void DockAtRightEdge(Window window);
void ShowWindow(Window window);
void BringToFront(Window window);

// One value the program attaches to a window; 0 until set.
void SetUserData(Window window, LongParam value);
LongParam UserData(Window window);

// Marks the client area for repainting: a Paint message follows once the
// owning thread's queue holds nothing else.
void Invalidate(Window window);
// Delivers a pending Paint at once; only on the owning thread.
void PaintNow(Window window);

}  // namespace lumagrove::platform
