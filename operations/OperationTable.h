#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "operations/Operation.h"

namespace lumagrove {

// How a menu entry is handled.
enum class EntryKind {
    Operation,  // runs an image operation and opens its result
    SaveAs,     // writes the window's image
    WindowOnly, // handled by the image window itself (close, the option dialogs)
    NoAction,   // offered by the menu, does nothing
};

// The dialog shown before an operation runs; cancelling it runs nothing.
enum class DialogFirst { None, Parameters, EdgeParameters };

// A value the command line can set, each with one flag.
enum class OptionField {
    None,
    Threshold,          // --threshold, binarization and the Gaussian's edge test
    GradientThreshold,  // --threshold, the edge maps
    GradientDirection,  // --direction
    Sigma,              // --sigma
    UniformWindow,      // --window
    Cutoff,             // --cutoff X,Y
    SelectionFrom,      // --from X,Y
    SelectionTo,        // --to X,Y
    CircleRadius,       // --radius
};

struct OptionDescription {
    OptionField field;
    const char* flag;
    const char* valueName;
};

// One row serves the desktop's menu dispatch, the command-line tool and the
// README's list of commands, so the three cannot drift apart.
struct OperationEntry {
    std::uint16_t menuId;
    const char* menuPath;     // where the entry sits in the menu
    const char* command;      // command-line name, or nullptr for menu-only entries
    const char* summary;      // one line for --help and the README
    EntryKind kind;
    DialogFirst dialog;
    OptionField options[2];
    OperationRunner run;      // for operations; nullptr for the other kinds
};

std::span<const OperationEntry> OperationTable();
const OperationEntry* FindOperationByMenuId(std::uint16_t menuId);
const OperationEntry* FindOperationByCommand(std::string_view command);

const OptionDescription& DescribeOption(OptionField field);

}  // namespace lumagrove
