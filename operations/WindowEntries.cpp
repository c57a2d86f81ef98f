#include "operations/OperationTable.h"

// The entries that act on the window or the settings rather than on the image.
namespace lumagrove::rows {
namespace {

constexpr OperationEntry kFileRows[] = {
    {.menuId = 40001,
     .menuPath = "&File > Save As...",
     .menuSummary = "save the image: a grey picture for a picture's name, else binary PGM",
     .kind = EntryKind::SaveAs,
     .shortcut = "Ctrl+S"},
    {.menuId = 40040,
     .menuPath = "&File > Copy Command",
     .menuSummary = "copy the command line and the Python line that make this image from its file",
     .kind = EntryKind::CopyCommand},
    {.menuId = 40002,
     .menuPath = "&File > &Close",
     .menuSummary = "close the window",
     .kind = EntryKind::Close,
     .shortcut = "Ctrl+W"},
};

constexpr OperationEntry kSettingsRows[] = {
    {.menuId = 40014,
     .menuPath = "&Options > Set Threshold...",
     .menuSummary = "edit window size, sigma and threshold",
     .kind = EntryKind::EditSettings,
     .dialog = ParameterDialog::Parameters},
    {.menuId = 40025,
     .menuPath = "&Options > Set Gradient and Gradient Direction Thresholds...",
     .menuSummary = "edit the edge detector's threshold and direction",
     .kind = EntryKind::EditSettings,
     .dialog = ParameterDialog::EdgeParameters},
};

}  // namespace

std::span<const OperationEntry> FileMenu() { return kFileRows; }
std::span<const OperationEntry> SettingsMenu() { return kSettingsRows; }

}  // namespace lumagrove::rows
