#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

#include <gtest/gtest.h>

#include "formats/SafeSave.h"
#include "support/FifoReader.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove {
namespace {

namespace fs = std::filesystem;
using testing::FifoReader;
using testing::MessageLog;
using testing::TemporaryFolder;

struct Saved {
    int result = -1;
    std::string message;  // the first one, if any
};

ContentWriter Bytes(const std::string& content) {
    return
        [content](std::FILE* file) { return std::fwrite(content.data(), 1, content.size(), file) == content.size(); };
}

Saved Save(const std::string& name, const ContentWriter& write) {
    MessageLog log;
    Saved saved;
    saved.result = SaveFile(name, log.reporter(), write);
    if (!log.messages.empty()) saved.message = log.messages[0].text;
    EXPECT_LE(log.messages.size(), 1u);
    return saved;
}

Saved Save(const std::string& name, const std::string& content) { return Save(name, Bytes(content)); }

// The messages, and the reason after them where one is known.
std::string CannotOpen(const std::string& name, const std::string& reason = "") {
    return "File: " + name + " could not be opened for writing." + reason;
}
std::string CannotWrite(const std::string& name, const std::string& reason = "") {
    return "File: " + name + " could not be written." + reason;
}

// Every name in the folder and its subfolders, so a stray temporary shows.
std::set<std::string> NamesIn(const TemporaryFolder& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.path()))
        names.insert(entry.path().lexically_relative(folder.path()).string());
    return names;
}

struct stat StatusOf(const std::string& name) {
    struct stat status {};
    EXPECT_EQ(lstat(name.c_str(), &status), 0) << name;
    return status;
}

mode_t ModeOf(const std::string& name) { return StatusOf(name).st_mode & 07777; }

std::string WriteFile(const TemporaryFolder& folder, const std::string& name, const std::string& content, mode_t mode) {
    const std::string path = folder.write(name, content);
    chmod(path.c_str(), mode);
    return path;
}

bool FolderHasUnnamedFiles(const TemporaryFolder& folder) {
    const int probe = open(folder.path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0) return false;
    close(probe);
    return true;
}

// Permission bits do not stop root, and this suite often runs as root (CI
// does). There the save runs in a child process that has become an ordinary
// user who owns the folder and what is in it; otherwise it runs as it is.
// Empty if root cannot become someone else here.
std::optional<Saved> SaveAsOrdinaryUser(const TemporaryFolder& folder, const std::string& name,
                                        const std::string& content) {
    if (geteuid() != 0) return Save(name, content);
    constexpr uid_t kOrdinary = 65534;
    EXPECT_EQ(lchown(folder.path().c_str(), kOrdinary, kOrdinary), 0);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.path()))
        EXPECT_EQ(lchown(entry.path().c_str(), kOrdinary, kOrdinary), 0);

    int channel[2];
    if (pipe(channel) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (setgroups(0, nullptr) != 0 || setresgid(kOrdinary, kOrdinary, kOrdinary) != 0 ||
            setresuid(kOrdinary, kOrdinary, kOrdinary) != 0)
            _exit(2);
        const Saved saved = Save(name, content);
        const std::string answer = std::to_string(saved.result) + "\n" + saved.message;
        _exit(write(channel[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size()) ? 0 : 3);
    }
    close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    const std::size_t newline = answer.find('\n');
    return Saved{std::stoi(answer.substr(0, newline)), answer.substr(newline + 1)};
}

TEST(SafeSave, ReplacesAPlainFileKeepingItsModeOwnerAndGroup) {
    for (const mode_t mode : {0600, 0640, 0604, 0755}) {
        TemporaryFolder folder;
        const std::string name = WriteFile(folder, "keep.pgm", "old content, longer than the new", mode);
        // As root the owner and group can be anyone's, and must stay theirs.
        if (geteuid() == 0) {
            ASSERT_EQ(chown(name.c_str(), 4321, 8765), 0);
        }
        const struct stat before = StatusOf(name);
        // A reader of the old file is not disturbed: it keeps the old content.
        const int oldReader = open(name.c_str(), O_RDONLY | O_CLOEXEC);

        const Saved saved = Save(name, "new");
        EXPECT_EQ(saved.result, 1) << saved.message;
        EXPECT_EQ(TemporaryFolder::read(name), "new");
        const struct stat after = StatusOf(name);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        char old[3] = {};
        EXPECT_EQ(read(oldReader, old, sizeof old), 3);
        EXPECT_EQ(std::string(old, 3), "old");
        close(oldReader);
        EXPECT_EQ(NamesIn(folder), std::set<std::string>{"keep.pgm"});
    }
}

TEST(SafeSave, RefusesAReadOnlyFileOfItsOwn) {
    TemporaryFolder folder;
    const std::string name = WriteFile(folder, "locked.pgm", "old", 0444);
    const ino_t inode = StatusOf(name).st_ino;

    const std::optional<Saved> saved = SaveAsOrdinaryUser(folder, name, "new");
    if (!saved) GTEST_SKIP() << "running as root, which cannot become an ordinary user here";
    EXPECT_EQ(saved->result, 0);
    EXPECT_EQ(saved->message, CannotOpen(name, " Permission denied."));
    EXPECT_EQ(TemporaryFolder::read(name), "old");
    EXPECT_EQ(ModeOf(name), 0444u);
    EXPECT_EQ(StatusOf(name).st_ino, inode);
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"locked.pgm"});
}

TEST(SafeSave, RefusesTargetsThatCannotBeWrittenAsFiles) {
    TemporaryFolder folder;
    const std::string plain = folder.write("plain.txt", "x");
    fs::create_directories(folder.file("taken/inside"));
    fs::create_symlink("loop-b", folder.file("loop-a"));
    fs::create_symlink("loop-a", folder.file("loop-b"));
    fs::create_symlink("no/such/folder/out.pgm", folder.file("nowhere"));
    fs::create_symlink("taken", folder.file("to-folder"));
    const std::set<std::string> before = NamesIn(folder);

    const std::map<std::string, std::string> reasons = {
        {folder.file("taken"), " It is a folder."},
        {folder.file("to-folder"), " It is a folder."},
        {folder.file("no/such/out.pgm"), " The folder does not exist."},
        {plain + "/out.pgm", " A part of the path is not a folder."},
        {folder.file("loop-a"), " Too many levels of symbolic links."},
        {folder.file("nowhere"), " The folder does not exist."},
        {"", ""},
    };
    for (const auto& [name, reason] : reasons) {
        const Saved saved = Save(name, "new");
        EXPECT_EQ(saved.result, 0) << name;
        EXPECT_EQ(saved.message, CannotOpen(name, reason));
    }
    EXPECT_EQ(NamesIn(folder), before);
    EXPECT_EQ(TemporaryFolder::read(plain), "x");
}

TEST(SafeSave, FollowsLinksToTheFileTheyNameAndLeavesThemLinks) {
    TemporaryFolder folder;
    fs::create_directories(folder.file("sub"));
    const std::string real = WriteFile(folder, "real.pgm", "old", 0640);
    const std::map<std::string, std::string> links = {
        {"direct", "real.pgm"}, {"sub/up", "../real.pgm"}, {"chain", "sub/up"}, {"absolute", real}};
    for (const auto& [link, text] : links) fs::create_symlink(text, folder.file(link));
    const std::set<std::string> before = NamesIn(folder);

    for (const auto& [link, text] : links) {
        const Saved saved = Save(folder.file(link), "through " + link);
        EXPECT_EQ(saved.result, 1) << saved.message;
        EXPECT_EQ(TemporaryFolder::read(real), "through " + link);
        EXPECT_EQ(ModeOf(real), 0640u);
        EXPECT_TRUE(fs::is_symlink(folder.file(link)));
        EXPECT_EQ(fs::read_symlink(folder.file(link)).string(), text);
    }
    EXPECT_EQ(NamesIn(folder), before);
}

TEST(SafeSave, ADanglingLinkCreatesTheFileItNames) {
    TemporaryFolder folder;
    fs::create_directories(folder.file("made"));
    fs::create_symlink("made/new.pgm", folder.file("later"));
    const Saved saved = Save(folder.file("later"), "new");
    EXPECT_EQ(saved.result, 1) << saved.message;
    EXPECT_TRUE(fs::is_symlink(folder.file("later")));
    EXPECT_EQ(TemporaryFolder::read(folder.file("made/new.pgm")), "new");
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"later", "made", "made/new.pgm"}));
}

TEST(SafeSave, ANewFileGetsTheModeOfNewFiles) {
    for (const mode_t mask : {022, 077}) {
        TemporaryFolder folder;
        const mode_t previous = umask(mask);
        const Saved saved = Save(folder.file("new.pgm"), "new");
        umask(previous);
        EXPECT_EQ(saved.result, 1) << saved.message;
        EXPECT_EQ(ModeOf(folder.file("new.pgm")), 0666u & ~mask);
    }
}

TEST(SafeSave, WritesIntoAFifoInPlace) {
    TemporaryFolder folder;
    const std::string name = folder.file("pipe");
    ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    // Far more than a pipe holds, so the save must really stream to the reader.
    std::string content(16 << 20, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 4096);

    FifoReader reader(name);
    const Saved saved = Save(name, content);
    EXPECT_EQ(saved.result, 1) << saved.message;
    EXPECT_TRUE(reader.Finish() == content);
    EXPECT_TRUE(fs::is_fifo(name));
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"pipe"});
}

TEST(SafeSave, AFifoWhoseReaderQuitsEarlyIsAFailedWriteNotADeadProcess) {
    TemporaryFolder folder;
    const std::string name = folder.file("pipe");
    ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    sigset_t maskBefore;
    pthread_sigmask(SIG_SETMASK, nullptr, &maskBefore);

    FifoReader reader(name, 1);
    const Saved saved = Save(name, std::string(4 << 20, 'x'));  // SIGPIPE would end this test program here
    EXPECT_EQ(reader.Finish(), "x");
    EXPECT_EQ(saved.result, 0);
    EXPECT_EQ(saved.message, CannotWrite(name, " Its reader has closed it."));
    EXPECT_TRUE(fs::is_fifo(name));

    sigset_t pending;
    sigpending(&pending);
    EXPECT_FALSE(sigismember(&pending, SIGPIPE));
    sigset_t maskAfter;
    pthread_sigmask(SIG_SETMASK, nullptr, &maskAfter);
    EXPECT_EQ(sigismember(&maskAfter, SIGPIPE), sigismember(&maskBefore, SIGPIPE));
}

TEST(SafeSave, WritesAFileWithSeveralNamesInPlace) {
    TemporaryFolder folder;
    const std::string first = WriteFile(folder, "first.pgm", "old content, longer than the new", 0640);
    const std::string second = folder.file("second.pgm");
    fs::create_hard_link(first, second);
    const ino_t inode = StatusOf(first).st_ino;

    const Saved saved = Save(first, "new");
    EXPECT_EQ(saved.result, 1) << saved.message;
    EXPECT_EQ(TemporaryFolder::read(first), "new");
    EXPECT_EQ(TemporaryFolder::read(second), "new");
    EXPECT_EQ(StatusOf(first).st_ino, inode);
    EXPECT_EQ(StatusOf(second).st_nlink, 2u);
    EXPECT_EQ(ModeOf(first), 0640u);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"first.pgm", "second.pgm"}));
}

// "/dev/stdout" redirected into a file ends at a link in /proc. Replacing the
// file would leave the shell writing into a nameless one, losing everything
// a loop writes after the first save.
TEST(SafeSave, WritesAFileHeldOpenBehindAProcLinkInPlace) {
    TemporaryFolder folder;
    const std::string name = WriteFile(folder, "redirected.pgm", "old content, longer than the new", 0600);
    const int held = open(name.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    fs::create_symlink("/proc/self/fd/" + std::to_string(held), folder.file("stdout"));

    const Saved saved = Save(folder.file("stdout"), "new");
    EXPECT_EQ(saved.result, 1) << saved.message;
    EXPECT_EQ(TemporaryFolder::read(name), "new");
    struct stat heldStatus {};
    fstat(held, &heldStatus);
    EXPECT_EQ(heldStatus.st_nlink, 1u);
    EXPECT_EQ(heldStatus.st_ino, StatusOf(name).st_ino);
    close(held);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"redirected.pgm", "stdout"}));
}

TEST(SafeSave, AFailedWriteLeavesTheTargetAsItWasAndNoTemporary) {
    TemporaryFolder folder;
    const std::string existing = WriteFile(folder, "keep.pgm", "old", 0600);
    const std::string linked = WriteFile(folder, "linked.pgm", "old", 0600);
    fs::create_hard_link(linked, folder.file("other-name.pgm"));
    const ContentWriter halfThenFail = [](std::FILE* file) { return std::fputs("half", file) >= 0 && false; };

    for (const std::string& name : {existing, linked, folder.file("new.pgm")}) {
        const Saved saved = Save(name, halfThenFail);
        EXPECT_EQ(saved.result, 0);
        EXPECT_EQ(saved.message, CannotWrite(name));
    }
    for (const std::string name : {"keep.pgm", "linked.pgm", "other-name.pgm"}) {
        EXPECT_EQ(TemporaryFolder::read(folder.file(name)), "old") << name;
    }
    EXPECT_EQ(ModeOf(existing), 0600u);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"keep.pgm", "linked.pgm", "other-name.pgm"}));
}

// A file with two names (written in place) and one with a single name
// (replaced), both holding "old": saving a larger content over each fails
// with `reason`, and both keep every byte.
void ExpectLargerSavesToFail(const std::string& folder, const std::string& reason) {
    const std::string content(64 << 10, 'n');
    for (const std::string name : {"linked.pgm", "alone.pgm"}) {
        const Saved saved = Save(folder + "/" + name, content);
        EXPECT_EQ(saved.result, 0) << name;
        EXPECT_EQ(saved.message, CannotWrite(folder + "/" + name, reason));
    }
    for (const std::string name : {"linked.pgm", "other-name.pgm", "alone.pgm"}) {
        EXPECT_EQ(TemporaryFolder::read(folder + "/" + name), std::string(8 << 10, 'o')) << name;
    }
}

void MakeSaveTargets(const std::string& folder) {
    for (const std::string name : {"linked.pgm", "alone.pgm"}) {
        std::ofstream(folder + "/" + name, std::ios::binary) << std::string(8 << 10, 'o');
    }
    fs::create_hard_link(folder + "/linked.pgm", folder + "/other-name.pgm");
}

// A small tmpfs of its own, mounted in a mount namespace that this thread
// alone enters, so nothing outside sees it and nothing stays mounted if the
// test dies. Only root can mount (CI runs as root).
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& where, const char* size) : where_(where) {
        fs::create_directories(where);
        mounted_ = geteuid() == 0 && unshare(CLONE_NEWNS) == 0 &&
                   mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   mount("lumagrove-test", where.c_str(), "tmpfs", 0, size) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) umount2(where_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }

    // Takes every block that is left.
    void fill() const {
        const int descriptor = open((where_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const std::string block(4096, 'f');
        while (write(descriptor, block.data(), block.size()) > 0) {}
        close(descriptor);
    }

private:
    std::string where_;
    bool mounted_ = false;
};

TEST(SafeSave, AFullDiskLeavesEveryTargetAsItWas) {
    TemporaryFolder folder;
    const SmallFileSystem disk(folder.file("disk"), "size=1m");
    if (!disk.mounted()) GTEST_SKIP() << "a small file system of its own needs root and a mount namespace";
    MakeSaveTargets(folder.file("disk"));
    disk.fill();

    ExpectLargerSavesToFail(folder.file("disk"), " No space is left on the device.");
    // A content that fits in the blocks the file has needs no more.
    const Saved smaller = Save(folder.file("disk/linked.pgm"), "new");
    EXPECT_EQ(smaller.result, 1) << smaller.message;
    EXPECT_EQ(TemporaryFolder::read(folder.file("disk/other-name.pgm")), "new");
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"disk", "disk/alone.pgm", "disk/filler", "disk/linked.pgm",
                                                      "disk/other-name.pgm"}));
}

// ulimit -f stops a write part way, as a full disk does.
TEST(SafeSave, AFileSizeLimitLeavesEveryTargetAsItWas) {
    TemporaryFolder folder;
    MakeSaveTargets(folder.path().string());
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 16 << 10;
    setrlimit(RLIMIT_FSIZE, &small);
    ExpectLargerSavesToFail(folder.path().string(), " The file would be larger than the file size limit allows.");
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"alone.pgm", "linked.pgm", "other-name.pgm"}));
}

TEST(SafeSave, AKilledSaveLeavesNoStrayFile) {
    TemporaryFolder folder;
    if (!FolderHasUnnamedFiles(folder))
        GTEST_SKIP() << "the filesystem of " << folder.path() << " has no unnamed files";
    const std::string existing = WriteFile(folder, "keep.pgm", "old", 0644);

    for (const std::string& name : {existing, folder.file("new.pgm")}) {
        const pid_t child = fork();
        if (child == 0) {
            SaveFile(
                name, [](const Message&) {},
                [](std::FILE* file) {
                    const std::string part(8 << 20, 'x');
                    std::fwrite(part.data(), 1, part.size(), file);
                    std::fflush(file);
                    raise(SIGKILL);
                    return true;
                });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    EXPECT_EQ(TemporaryFolder::read(existing), "old");
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"keep.pgm"});
}

}  // namespace
}  // namespace lumagrove
