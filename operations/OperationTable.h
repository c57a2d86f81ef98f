#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "operations/Operation.h"
#include "operations/Options.h"

namespace lumagrove {

// What choosing a menu entry does.
enum class EntryKind {
    Operation,      // runs an image operation and opens its result
    SaveAs,         // writes the window's image
    Close,          // closes the window
    EditSettings,   // shows the entry's parameter dialog and keeps what the user enters
    CopyCommand,    // copies the command line (and the Python line) that makes the window's image
    ShowHistogram,  // shows the histogram of the image, or of its selection, in a window of its own
    NoAction,       // offered by the menu, does nothing
};

// The desktop's two parameter dialogs. An operation that names one shows it
// first, and cancelling it runs nothing.
enum class ParameterDialog { None, Parameters, EdgeParameters };

// The options a command takes, in the order its help lists them.
using OptionList = std::span<const OptionDescriptor* const>;

// One row per entry of the image windows' menu. It is the only place that
// names an entry's id, its place in the menu, its command-line name and what
// runs it: the menu bar and popup, the window's routing, the command-line tool
// and its help are all built from these rows.
struct OperationEntry {
    std::uint16_t menuId = 0;
    const char* menuPath = "";             // "&File > &Close": popups, then the entry; '&' marks the mnemonic letter
    const char* menuSummary = "";          // what the entry does, in the desktop's words (the README's menu list)
    const char* command = nullptr;         // command-line name, or nullptr for menu-only entries
    const char* commandSummary = nullptr;  // one line for the command-line help
    EntryKind kind = EntryKind::NoAction;
    ParameterDialog dialog = ParameterDialog::None;
    OptionList options{};            // what the command line may set
    OperationRunner run = nullptr;   // for operations; nullptr for the other kinds
    const char* shortcut = nullptr;  // the desktop's key for the entry, "Ctrl+S"
};

// The rows in menu order.
std::span<const OperationEntry> OperationTable();
const OperationEntry* FindOperationByMenuId(std::uint16_t menuId);
const OperationEntry* FindOperationByCommand(std::string_view command);
// By the path as the README writes it, without mnemonic marks.
const OperationEntry* FindOperationByMenuPath(std::string_view path);

// The entry's path without its mnemonic marks: "File > Close".
std::string PlainMenuPath(const OperationEntry& entry);

const OptionDescriptor* FindOption(const OperationEntry& entry, std::string_view flag);
// Every option some command takes, each once, in the order the table first names it.
std::vector<const OptionDescriptor*> AllOptions();

}  // namespace lumagrove
