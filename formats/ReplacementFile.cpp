#include "formats/ReplacementFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace lumagrove {
namespace {

// Offers fresh hidden names in `folder` to `claim` until one is not taken.
// Returns the name claimed, or an empty string with errno set.
template <typename Claim>
std::string ClaimFreshName(const std::string& folder, Claim claim) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = folder + "/.lumagrove-save-";
        for (int letter = 0; letter < 6; ++letter) name += kLetters[entropy() % (sizeof(kLetters) - 1)];
        if (claim(name)) return name;
        if (errno != EEXIST) break;
    }
    return {};
}

// Gives the unnamed file behind `descriptor` the name `name`. The way through
// /proc needs no privilege; AT_EMPTY_PATH serves where /proc is not mounted.
bool LinkUnnamed(int descriptor, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != ENOENT) return false;
    return linkat(descriptor, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

}  // namespace

ReplacementFile::~ReplacementFile() {
    if (!name_.empty()) unlink(name_.c_str());
    if (descriptor_ >= 0) close(descriptor_);
}

bool ReplacementFile::Open(const std::string& folder, mode_t mode) {
    folder_ = folder;
    descriptor_ = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (descriptor_ >= 0) return true;
    // This is how filesystems (and kernels) without unnamed files answer.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    return OpenNamed(folder, mode);
}

bool ReplacementFile::OpenNamed(const std::string& folder, mode_t mode) {
    folder_ = folder;
    name_ = ClaimFreshName(folder, [&](const std::string& name) {
        descriptor_ = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, mode);
        return descriptor_ >= 0;
    });
    return !name_.empty();
}

bool ReplacementFile::Replace(const std::string& target) {
    // Some filesystems write the rename before the content; without the flush
    // a power cut soon after could leave an empty file where the old one was.
    if (fsync(descriptor_) != 0 && errno != EINVAL) return false;
    if (name_.empty()) {
        name_ = ClaimFreshName(folder_, [&](const std::string& name) { return LinkUnnamed(descriptor_, name); });
        if (name_.empty()) return false;
    }
    if (std::rename(name_.c_str(), target.c_str()) != 0) return false;
    name_.clear();
    return true;
}

}  // namespace lumagrove
