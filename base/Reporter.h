#pragma once

#include <functional>
#include <string>

namespace lumagrove {

enum class MessageIcon { None, Error };

// A problem to explain, or a value read from a file that the user asked to
// see (an XYZ file's sample point, the two samples of an intensity file), or
// something the user should know of a file that was still read (a short
// file, filled with white).
enum class MessageKind { Problem, Readout, Notice };

// A message for the user, in the program's own words. The core never shows
// anything itself: the desktop turns every message into a message box, the
// command-line tool prints problems and notices to standard error and readouts to
// standard output, and tests record them.
struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageKind kind = MessageKind::Problem;
    // The errno behind a file's failure, 0 when there is none: the Python
    // module raises the matching OSError subclass from it.
    int systemError = 0;
};

using Reporter = std::function<void(const Message&)>;

}  // namespace lumagrove
