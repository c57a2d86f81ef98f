#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumagrove::resources {

// Positions and sizes in dialog units: a quarter of the font's average
// character width horizontally, an eighth of its height vertically, so a
// dialog keeps its proportions whatever font the machine substitutes.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Average character width and height of a dialog's font, in pixels.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// a * b / c (c > 0) rounded to nearest, halves away from zero.
int ScaleRounded(int a, int b, int c);
PixelRect ToPixels(const DialogRect& rect, BaseUnits units);

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    StaticText,
    Edit,
    UpDown,
    ListBox,
};

// Style bits of a control; which ones apply depends on its kind.
namespace style {
inline constexpr unsigned Disabled = 1u << 0;
inline constexpr unsigned Border = 1u << 1;
inline constexpr unsigned AutoHorizontalScroll = 1u << 2;
// List boxes.
inline constexpr unsigned Sorted = 1u << 3;
inline constexpr unsigned Notify = 1u << 4;
inline constexpr unsigned VerticalScroll = 1u << 5;
inline constexpr unsigned AcceptsFiles = 1u << 6;
// Up-down controls.
inline constexpr unsigned AttachToPrevious = 1u << 7;
inline constexpr unsigned AlignRight = 1u << 8;
inline constexpr unsigned KeepsBuddyInteger = 1u << 9;
inline constexpr unsigned ArrowKeys = 1u << 10;
inline constexpr unsigned NoThousands = 1u << 11;
}  // namespace style

struct ControlTemplate {
    ControlKind kind = ControlKind::StaticText;
    int id = 0;
    std::string text;
    DialogRect rect;
    unsigned style = 0;

    bool has(unsigned bits) const { return (style & bits) == bits; }
};

// Frame styles of a dialog.
namespace frame {
inline constexpr unsigned Caption = 1u << 0;
inline constexpr unsigned SystemMenu = 1u << 1;
inline constexpr unsigned ModalFrame = 1u << 2;
inline constexpr unsigned VisibleAtCreation = 1u << 3;
}  // namespace frame

struct DialogTemplate {
    int id = 0;
    std::string title;
    // A registered window class whose procedure runs the dialog; empty for
    // dialogs driven by a dialog procedure.
    std::string className;
    // Client area; x and y are only meaningful when hasPosition is set,
    // otherwise the dialog is centred over its owner.
    DialogRect rect;
    bool hasPosition = false;
    unsigned frameStyle = 0;
    std::string fontFace;
    int fontPointSize = 0;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;
};

}  // namespace lumagrove::resources
