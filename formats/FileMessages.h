#pragma once

#include <cstdint>
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
inline Message NotNetpbm(const std::string& name) {
    return {"File: " + name + " is not a PBM, PGM, PPM or PAM file.", "Error", MessageIcon::None};
}
inline Message NoValidMaximum(const std::string& name) {
    return {"File: " + name + " has no valid maximum value (1 to 65535).", "Error", MessageIcon::None};
}
inline Message UnreadablePamHeader(const std::string& name) {
    return {"File: " + name + " has a PAM header this program cannot read.", "Error", MessageIcon::None};
}
inline Message SampleAboveMaximum(const std::string& name) {
    return {"File: " + name + " has a sample above its maximum value.", "Error", MessageIcon::None};
}
inline Message SampleNotANumber(const std::string& name) {
    return {"File: " + name + " has a sample that is not a number.", "Error", MessageIcon::None};
}
// A file shorter or longer than its image: still read, and the user told.
inline Message ShortFile(const std::string& name, std::uint64_t held, std::int32_t width, std::int32_t height) {
    return {"File: " + name + " holds " + std::to_string(held) + " of " + std::to_string(width) + " x " +
                std::to_string(height) + " samples; the rest is white.",
            "Warning", MessageIcon::None, MessageKind::Notice};
}
inline Message LongFile(const std::string& name, std::uint64_t held, std::uint64_t ignored) {
    return {"File: " + name + " holds " + std::to_string(held) + " samples; the last " + std::to_string(ignored) +
                " were ignored.",
            "Warning", MessageIcon::None, MessageKind::Notice};
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
