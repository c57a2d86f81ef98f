#pragma once

#include <cstdint>

namespace lumagrove::platform {

// A window by number. Numbers are never reused, so a handle of a window that
// has gone stays harmless: every call on it fails quietly.
struct Window {
    std::uint32_t id = 0;

    explicit operator bool() const { return id != 0; }
    friend bool operator==(Window, Window) = default;
};

using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;
using Result = std::intptr_t;

enum class Msg : std::uint32_t {
    Create = 0x0001,
    Destroy = 0x0002,
    Paint = 0x000F,
    Close = 0x0010,
    Quit = 0x0012,  // only ever seen in the message NextMessage fills when it returns false
    InitDialog = 0x0110,
    Command = 0x0111,
    // While the left button is held down after a press in the client area:
    // the word parameter holds LeftButtonHeld. Once more with 0 when the
    // button goes up outside the window, which then sees no LeftUp.
    MouseMove = 0x0200,
    LeftDown = 0x0201,
    LeftUp = 0x0202,
    RightUp = 0x0205,
    DropFiles = 0x0233,
    // The first number free for a program's own messages.
    FirstPrivate = 0x0400,
};

// The program's own message number `n`.
constexpr Msg PrivateMessage(std::uint32_t n) {
    return static_cast<Msg>(static_cast<std::uint32_t>(Msg::FirstPrivate) + n);
}

struct Message {
    Window window;
    Msg id = Msg::Create;
    WordParam word = 0;
    LongParam data = 0;
};

// The word parameter of MouseMove while the left button is down.
inline constexpr WordParam LeftButtonHeld = 0x0001;

// Client coordinates travel in one parameter: x in the low 32 bits, y in the
// high 32 bits. (Classic programs had 16 bits for each; a side of an image
// here may be far longer than 65535 pixels.)
static_assert(sizeof(LongParam) == 8, "points need a 64-bit parameter");
constexpr LongParam PackPoint(int x, int y) {
    return static_cast<LongParam>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 32) |
                                  static_cast<std::uint32_t>(x));
}
constexpr int PointX(LongParam data) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(data)));
}
constexpr int PointY(LongParam data) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(data) >> 32));
}
constexpr unsigned LowWord(std::uintptr_t value) { return static_cast<unsigned>(value & 0xFFFFu); }
constexpr unsigned HighWord(std::uintptr_t value) { return static_cast<unsigned>((value >> 16) & 0xFFFFu); }

// What a control reports with its identifier in a Command message.
enum class Notification : unsigned {
    Clicked = 0,           // buttons and menu entries
    SelectionChanged = 1,  // list boxes with the notify style
    DoubleClicked = 2,
};

// The word parameter of a Command: the identifier in the low 16 bits, the
// notification in the high 16 bits.
constexpr WordParam CommandWord(int id, Notification notification = Notification::Clicked) {
    return (static_cast<WordParam>(notification) << 16) | (static_cast<WordParam>(id) & 0xFFFFu);
}

}  // namespace lumagrove::platform
