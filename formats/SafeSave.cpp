#include "formats/SafeSave.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "formats/BrokenPipeGuard.h"
#include "formats/FileMessages.h"
#include "formats/InPlaceSave.h"
#include "formats/ReplacementFile.h"

namespace lumagrove {
namespace {

namespace fs = std::filesystem;

// The kernel gives up after 40 links in a row; so does a save.
constexpr int kMaxLinksFollowed = 40;

// Where a chain of symbolic links ends. A link in /proc stands for a file
// that some process holds open ("/dev/stdout" leads to one): that file has to
// be written where it is, since replacing it would leave the holder writing
// into a file that no longer has a name.
struct LinkEnd {
    fs::path name;  // need not exist yet: a dangling link creates the file it names
    bool heldOpen = false;
};

bool IsInProc(const fs::path& link) {
    struct statfs folder {};
    const fs::path parent = link.has_parent_path() ? link.parent_path() : fs::path(".");
    return statfs(parent.c_str(), &folder) == 0 && folder.f_type == PROC_SUPER_MAGIC;
}

// Only the last part of each name is followed here; the folders on the way
// are resolved by the kernel. Empty, with errno set, if the chain cannot be
// followed.
std::optional<LinkEnd> FollowLinks(fs::path name) {
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        struct stat status {};
        if (lstat(name.c_str(), &status) != 0) {
            return errno == ENOENT ? std::optional(LinkEnd{name}) : std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) return LinkEnd{name};
        if (IsInProc(name)) return LinkEnd{name, true};
        std::error_code error;
        const fs::path target = fs::read_symlink(name, error);
        if (error) {
            errno = error.value();
            return std::nullopt;
        }
        name = target.is_absolute() ? target : name.parent_path() / target;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool IsFile(const fs::path& name, const struct stat& file) {
    struct stat status {};
    return lstat(name.c_str(), &status) == 0 && status.st_dev == file.st_dev && status.st_ino == file.st_ino;
}

// Asks the kernel rather than the permission bits, so that everything that
// would stop a write (an immutable file, a read-only mount, a security module)
// also stops the replacement. Non-blocking in case the file has just become a
// FIFO; truncating nothing.
bool CanOpenForWriting(const std::string& name) {
    const int descriptor = open(name.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

// Owner first: changing it clears the set-user-ID and set-group-ID bits that
// the mode then puts back. Owner and group are kept only where the caller may
// set them: one who may not give the file away may still set its group, and
// one who may do neither simply gets a file of its own, like any it creates.
bool KeepOwnerAndMode(int descriptor, const struct stat& old) {
    if (fchown(descriptor, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const bool groupKept = fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0;
    }
    return fchmod(descriptor, old.st_mode & 07777) == 0;
}

// Writes through a stream of its own, so `descriptor` stays open for the
// caller. The stream's close is checked: some filesystems report write errors
// only there. False, with errno set (0 when the writer failed without one).
bool WriteContent(int descriptor, const ContentWriter& write) {
    const BrokenPipeGuard quietPipe;
    const int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    std::FILE* file = copy < 0 ? nullptr : fdopen(copy, "wb");
    if (file == nullptr) {
        const int error = errno;
        if (copy >= 0) close(copy);
        errno = error;
        return false;
    }
    errno = 0;
    bool written = write(file);
    int error = std::ferror(file) != 0 ? errno : 0;
    written = written && std::ferror(file) == 0;
    if (std::fclose(file) != 0 && error == 0) {
        written = false;
        error = errno;
    }
    errno = error;
    return written;
}

// `old` is the file being replaced, or null for a new file.
int Replace(const std::string& name, const fs::path& target, const struct stat* old, const Reporter& report,
            const ContentWriter& write) {
    ReplacementFile replacement;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A replacement starts private and gets the old file's mode once it is
    // its owner's; a new file gets the usual mode for new files.
    if (!replacement.Open(folder, old != nullptr ? 0600 : 0666)) {
        report(CannotOpenForWriting(name, errno));
        return 0;
    }
    const bool saved = (old == nullptr || KeepOwnerAndMode(replacement.descriptor(), *old)) &&
                       WriteContent(replacement.descriptor(), write) && replacement.Replace(target);
    if (!saved) {
        report(CannotWrite(name, errno));
        return 0;
    }
    return 1;
}

// A regular file keeps its old content unless the new one can be written
// whole; a FIFO or a device gets the content as it is made, since its reader
// may be waiting for the first bytes.
int WriteInPlace(const std::string& name, bool regular, const Reporter& report, const ContentWriter& write) {
    const int descriptor = open(name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        report(CannotOpenForWriting(name, errno));
        return 0;
    }
    bool written = regular ? OverwriteInPlace(descriptor, write) : WriteContent(descriptor, write);
    int error = errno;
    if (close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        report(CannotWrite(name, error));
        return 0;
    }
    return 1;
}

}  // namespace

int SaveFile(const std::string& name, const Reporter& report, const ContentWriter& write) {
    const auto cannotOpen = [&](int error) {
        report(CannotOpenForWriting(name, error));
        return 0;
    };
    if (name.empty()) return cannotOpen(0);
    const std::optional<LinkEnd> end = FollowLinks(name);
    if (!end) return cannotOpen(errno);

    // stat lets the kernel follow every link, those in /proc included, so
    // that "/dev/stdout" on a pipe is seen as the pipe it is.
    struct stat target {};
    if (stat(name.c_str(), &target) != 0) {
        return errno == ENOENT && !end->heldOpen ? Replace(name, end->name, nullptr, report, write) : cannotOpen(errno);
    }
    if (S_ISDIR(target.st_mode)) return cannotOpen(EISDIR);
    if (!S_ISREG(target.st_mode) || target.st_nlink != 1 || end->heldOpen) {
        // Replacing these would cut a FIFO or device off from its readers,
        // split a file's names apart, or orphan a file someone holds open.
        return WriteInPlace(name, S_ISREG(target.st_mode), report, write);
    }
    // The file may have moved since it was looked at; replace nothing else.
    if (!CanOpenForWriting(name)) return cannotOpen(errno);
    if (!IsFile(end->name, target)) return cannotOpen(0);
    return Replace(name, end->name, &target, report, write);
}

}  // namespace lumagrove
