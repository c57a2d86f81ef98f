#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::platform {

// The dialog shows a filter as its description's name followed by the names
// its patterns match, in either case: "PGM Files (*.pgm *.PGM)".
struct FileFilter {
    std::string description;  // "PGM Files (*.PGM)"
    std::string pattern;      // "*.pgm"; several are separated by ';'
};

struct FileDialogRequest {
    Window owner;
    std::vector<FileFilter> filters;
    int initialFilter = 0;
    std::string initialName;        // the name field at the start; may hold a folder
    std::string defaultExtension;   // added to a name typed without one
    std::string title;              // empty: "Open" or "Save As"
    bool confirmOverwrite = false;  // saving: ask before choosing an existing file
    bool confirmCreate = false;     // opening: ask before choosing a missing file (else it is refused)
    bool hideReadOnly = false;      // this toolkit never offers a read-only choice
};

// Show the file dialog modal to the owner and wait for it in a message loop of
// the calling thread. The chosen name, or nothing on cancel (also when the
// owner goes or an interrupting event is set).
std::optional<std::string> AskOpenFileName(const FileDialogRequest& request);
std::optional<std::string> AskSaveFileName(const FileDialogRequest& request);

}  // namespace lumagrove::platform
