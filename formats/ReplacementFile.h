#pragma once

#include <sys/types.h>

#include <string>

namespace lumagrove {

// A new file that takes the place of a target only once it is complete, so
// nobody ever sees the target half written. It lives in the target's folder,
// because a rename cannot cross filesystems, and where the filesystem allows
// it has no name at all until just before it replaces the target: a save
// that is killed on the way leaves nothing behind.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Closes the file; a named one that never replaced its target is removed.
    ~ReplacementFile();

    // Creates the file in `folder` with `mode` less the umask: unnamed where
    // the filesystem has unnamed files, otherwise as OpenNamed does. False,
    // with errno set, if the folder cannot take a new file.
    bool Open(const std::string& folder, mode_t mode);
    // Creates the file under a fresh hidden name in `folder`.
    bool OpenNamed(const std::string& folder, mode_t mode);

    int descriptor() const { return descriptor_; }

    // Flushes the content to the disk and renames the file over `target`,
    // which must be in the same folder. False, with errno set, if it could not.
    bool Replace(const std::string& target);

private:
    int descriptor_ = -1;
    std::string folder_;
    std::string name_;  // empty while the file has no name
};

}  // namespace lumagrove
