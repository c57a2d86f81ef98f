#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "formats/FileMessages.h"
#include "formats/Readers.h"

namespace lumagrove {
namespace {

constexpr char kHeaderStart[] = "P5\n# File created by Tavrinel's Lumagrove\n";

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return name.substr(0, slash);
}

// The mode a freshly created file would get (0666 less the umask). The umask
// is read, not set, because setting it would race with other threads.
mode_t NewFileMode() {
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

bool WriteImage(std::FILE* file, const ImageRecord& record) {
    const std::size_t bytes = static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height);
    if (record.width < 0 || record.height < 0 || record.pixels.size() < bytes) return false;
    if (std::fputs(kHeaderStart, file) < 0) return false;
    if (std::fprintf(file, "%d %d\n255\n", record.width, record.height) < 0) return false;
    return std::fwrite(record.pixels.data(), 1, bytes, file) == bytes;
}

}  // namespace

int WritePgm(const ImageRecord& record, const std::string& name, const Reporter& report) {
    // The image goes to a temporary file next to the target, which is renamed
    // over the target only once it is complete.
    std::string temporary = FolderOf(name) + "/.lumagrove-save-XXXXXX";
    const int descriptor = name.empty() ? -1 : mkstemp(temporary.data());
    if (descriptor < 0) {
        report(CannotOpenForWriting(name));
        return 0;
    }
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
        unlink(temporary.c_str());
        report(CannotOpenForWriting(name));
        return 0;
    }
    bool written = WriteImage(file, record);
    written = fchmod(descriptor, NewFileMode()) == 0 && written;
    written = std::fclose(file) == 0 && written;
    written = written && std::rename(temporary.c_str(), name.c_str()) == 0;
    if (!written) {
        unlink(temporary.c_str());
        report(CannotWrite(name));
        return 0;
    }
    return 1;
}

}  // namespace lumagrove
