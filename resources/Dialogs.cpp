#include "resources/ControlIds.h"
#include "resources/Resources.h"

namespace lumagrove::resources {

namespace {

constexpr unsigned ModalDialogFrame = frame::Caption | frame::SystemMenu | frame::ModalFrame;
constexpr const char* DialogFontFace = "MS Sans Serif";
constexpr int DialogFontPoints = 8;

ControlTemplate Label(const char* text, DialogRect rect) {
    return ControlTemplate{ControlKind::StaticText, NoControlId, text, rect, 0};
}

ControlTemplate Button(int id, const char* text, DialogRect rect, unsigned style = 0) {
    return ControlTemplate{ControlKind::PushButton, id, text, rect, style};
}

ControlTemplate DefaultButton(int id, const char* text, DialogRect rect) {
    return ControlTemplate{ControlKind::DefaultPushButton, id, text, rect, 0};
}

ControlTemplate Edit(int id, DialogRect rect, unsigned style = style::Border) {
    return ControlTemplate{ControlKind::Edit, id, "", rect, style};
}

ControlTemplate ListBox(int id, DialogRect rect, unsigned style) {
    return ControlTemplate{ControlKind::ListBox, id, "", rect, style};
}

}  // namespace

// The dialogs are laid out one field and one control per line, as their
// designer lists them; the formatter would pack them.
// clang-format off
const DialogTemplate& ControlWindowTemplate() {
    static const DialogTemplate dialog{
        ControlWindowDialog,
        "Lumagrove",
        "Lumagrove",
        {200, 200, 186, 102},
        true,
        ModalDialogFrame | frame::VisibleAtCreation,
        DialogFontFace,
        DialogFontPoints,
        {
            DefaultButton(control::LoadImage, "Load Image", {7, 81, 54, 14}),
            Button(control::CloseAll, "Close All", {65, 81, 54, 14}, style::Disabled),
            Button(control::Exit, "Exit", {123, 81, 54, 14}),
            Label("Drop files here:", {7, 11, 48, 8}),
            ListBox(control::DropList, {7, 20, 53, 51},
                    style::Sorted | style::Notify | style::VerticalScroll | style::Border | style::AcceptsFiles),
            Label("Performance data:", {73, 11, 59, 8}),
            ListBox(control::PerformanceList, {68, 20, 111, 52},
                    style::Notify | style::VerticalScroll | style::Border),
        }};
    return dialog;
}

const DialogTemplate& ParametersTemplate() {
    static const DialogTemplate dialog{
        ParametersDialog,
        "Parameters",
        "",
        {0, 0, 160, 105},
        false,
        ModalDialogFrame,
        DialogFontFace,
        DialogFontPoints,
        {
            Label("Window Size:", {7, 14, 44, 8}),
            Edit(control::WindowSize, {56, 12, 26, 12}, style::Border | style::AutoHorizontalScroll),
            ControlTemplate{ControlKind::UpDown, control::WindowSizeSpin, "Spin1", {81, 13, 7, 11},
                            style::AttachToPrevious | style::AlignRight | style::KeepsBuddyInteger |
                                style::ArrowKeys | style::NoThousands},
            Label("Gaussian Smoothing", {7, 35, 66, 8}),
            Label("Sigma:", {46, 48, 22, 8}),
            Edit(control::Sigma, {73, 47, 26, 12}),
            Label("Threshold:", {35, 65, 34, 8}),
            Edit(control::Threshold, {73, 63, 26, 12}),
            Button(control::Cancel, "Cancel", {22, 84, 50, 14}),
            DefaultButton(control::Ok, "OK", {85, 84, 50, 14}),
        }};
    return dialog;
}

const DialogTemplate& EdgeParametersTemplate() {
    static const DialogTemplate dialog{
        EdgeParametersDialog,
        "Edge Detector Parameters",
        "",
        {0, 0, 168, 79},
        false,
        ModalDialogFrame,
        DialogFontFace,
        DialogFontPoints,
        {
            DefaultButton(control::Ok, "OK", {111, 58, 50, 14}),
            Button(control::Cancel, "Cancel", {57, 58, 50, 14}),
            Label("Gradient threshold:", {7, 16, 60, 8}),
            Label("Direction (in degress):", {7, 33, 69, 8}),
            Edit(control::GradientThreshold, {96, 13, 46, 12}),
            Edit(control::GradientDirection, {96, 31, 46, 12}),
        }};
    return dialog;
}

// clang-format on

}  // namespace lumagrove::resources
