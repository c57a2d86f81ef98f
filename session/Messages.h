#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "base/Reporter.h"

// The texts the front ends show around running an operation and reading files.
namespace lumagrove::session {

inline Message NotEnoughMemory() {
    return {"Not enough memory to complete the operation.", "Error", MessageIcon::None};
}

// The desktop's "Performance data:" line and the command line's --time line.
inline std::string CompletedIn(std::int64_t milliseconds) {
    return "Completed in " + std::to_string(milliseconds) + " ms";
}

// Reports through `report`, with "NAME: " in front of every problem that does
// not name the file already ("x.pgm: Cannot allocate memory to read in image"). A
// message printed or raised stands apart from the file it came from; the
// desktop's box needs no name, since it opens as that file is read.
inline Reporter NamingFile(const std::string& name, Reporter report) {
    return [name, report = std::move(report)](const Message& message) {
        if (message.kind != MessageKind::Problem || message.text.find(name) != std::string::npos) {
            report(message);
            return;
        }
        Message named = message;
        named.text = name + ": " + message.text;
        report(named);
    };
}

}  // namespace lumagrove::session
