#include "formats/InPlaceSave.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace lumagrove {
namespace {

struct FreeBytes {
    void operator()(char* bytes) const { std::free(bytes); }
};

struct Content {
    std::unique_ptr<char, FreeBytes> bytes;
    std::size_t size = 0;
};

bool MakeContent(const ContentWriter& write, Content& content) {
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&bytes, &size);
    if (file == nullptr) return false;
    errno = 0;
    bool made = write(file);
    int error = std::ferror(file) != 0 ? errno : 0;  // memory ran out
    made = made && error == 0;
    if (std::fclose(file) != 0 && made) {
        made = false;
        error = errno;
    }
    content.bytes.reset(bytes);
    content.size = size;
    errno = error;
    return made;
}

// Where the file system cannot reserve space, its free space says whether the
// content fits; the blocks the file holds already count as its own.
bool EnoughFreeSpace(int descriptor, off_t size) {
    struct stat file {};
    struct statvfs space {};
    if (fstat(descriptor, &file) != 0 || fstatvfs(descriptor, &space) != 0) return true;  // nothing to judge by
    const off_t held = file.st_blocks * 512;
    const auto available = static_cast<unsigned long long>(space.f_bavail) * space.f_frsize;
    if (size <= held || static_cast<unsigned long long>(size - held) <= available) return true;
    errno = ENOSPC;
    return false;
}

bool WithinFileSizeLimit(off_t size) {
    rlimit limit{};
    return getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           static_cast<rlim_t>(size) <= limit.rlim_cur;
}

// Claims the blocks for `size` bytes without changing the file's size, so
// that a failed claim leaves nothing visible changed. Truncating would give
// the blocks back, which is why the new content goes over the old and the file
// is cut to its new length only at the end.
bool ReserveSpace(int descriptor, off_t size) {
    if (!WithinFileSizeLimit(size)) {
        errno = EFBIG;
        return false;
    }
    if (size == 0 || fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS) return false;
    return EnoughFreeSpace(descriptor, size);
}

bool WriteOver(int descriptor, const Content& content) {
    for (std::size_t done = 0; done < content.size;) {
        const ssize_t wrote =
            pwrite(descriptor, content.bytes.get() + done, content.size - done, static_cast<off_t>(done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return ftruncate(descriptor, static_cast<off_t>(content.size)) == 0;
}

}  // namespace

bool OverwriteInPlace(int descriptor, const ContentWriter& write) {
    Content content;
    return MakeContent(write, content) && ReserveSpace(descriptor, static_cast<off_t>(content.size)) &&
           WriteOver(descriptor, content);
}

}  // namespace lumagrove
