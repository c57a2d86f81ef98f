#pragma once

#include <cstdio>
#include <string>

#include "base/Reporter.h"

namespace lumagrove {

// The readers' and writer's shared texts, in one place so they cannot drift.
inline Message CannotOpenForReading(const std::string& name, MessageIcon icon = MessageIcon::None) {
    return {"File: " + name + " could not be opened for reading.", "Error", icon};
}
inline Message CannotOpenForWriting(const std::string& name) {
    return {"File: " + name + " could not be opened for writing.", "Error", MessageIcon::None};
}
inline Message CannotWrite(const std::string& name) {
    return {"File: " + name + " could not be written.", "Error", MessageIcon::None};
}
inline Message NoValidImageSize(const std::string& name) {
    return {"File: " + name + " has no valid image size.", "Error", MessageIcon::None};
}
inline Message CannotAllocateImage() { return {"Cannot allocate memory to read in image", "Error", MessageIcon::None}; }
inline Message CannotAllocateCoordinates() { return {"Unable to allocate memory!", "Error", MessageIcon::Error}; }

// Opens a file for reading in binary mode, refusing names longer than a
// record can hold instead of truncating them to some other file's name.
std::FILE* OpenForReading(const std::string& name);

// Closes the file when the reader leaves, on every path.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace lumagrove
