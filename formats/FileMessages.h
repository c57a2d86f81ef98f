#pragma once

#include <cstdio>
#include <string>

#include "base/Reporter.h"

namespace lumagrove {

// The readers' and writer's shared texts, in one place so they cannot drift.
// `systemError` is the errno of the failed open or read, where there was one.
inline Message CannotOpenForReading(const std::string& name, int systemError = 0,
                                    MessageIcon icon = MessageIcon::None) {
    return {"File: " + name + " could not be opened for reading.", "Error", icon, MessageKind::Problem, systemError};
}

// Why a save failed, as a sentence to follow the message, from the errno the
// failing call left: " No space is left on the device.", or nothing for 0
// (no reason known, such as content the writer refused).
std::string SaveFailureReason(int error);

inline Message CannotOpenForWriting(const std::string& name, int error = 0) {
    return {"File: " + name + " could not be opened for writing." + SaveFailureReason(error), "Error",
            MessageIcon::None, MessageKind::Problem, error};
}
inline Message CannotWrite(const std::string& name, int error = 0) {
    return {"File: " + name + " could not be written." + SaveFailureReason(error), "Error", MessageIcon::None,
            MessageKind::Problem, error};
}
inline Message NoValidImageSize(const std::string& name) {
    return {"File: " + name + " has no valid image size.", "Error", MessageIcon::None};
}
inline Message CannotAllocateImage() { return {"Cannot allocate memory to read in image", "Error", MessageIcon::None}; }
inline Message CannotAllocateCoordinates() { return {"Unable to allocate memory!", "Error", MessageIcon::Error}; }

// Opens a file for reading in binary mode. Names of any length are used
// whole; the kernel refuses what it cannot resolve.
std::FILE* OpenForReading(const std::string& name);

// Closes the file when the reader leaves, on every path.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace lumagrove
