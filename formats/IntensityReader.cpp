#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "formats/FileMessages.h"
#include "formats/Readers.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kIntensityWidth = 640;
constexpr std::int32_t kIntensityHeight = 480;
// The two samples the reader has always shown: (100, 170) and (400, 180).
constexpr std::size_t kFirstShownSample = 170 * 640 + 100;
constexpr std::size_t kSecondShownSample = 180 * 640 + 400;

// The size of a regular file; 0 for anything else (a FIFO, a device), whose
// rest could only be counted by reading it, perhaps without end.
std::uint64_t RegularFileSize(std::FILE* file) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace

std::optional<ImageRecord> ReadIntensity(const std::string& name, const Reporter& report) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(name));
    if (!file) {
        report(CannotOpenForReading(name, errno));
        return std::nullopt;
    }

    PixelArray pixels;
    try {
        pixels = PixelArray(static_cast<std::size_t>(kIntensityWidth) * kIntensityHeight);
    } catch (const std::bad_alloc&) {
        report(CannotAllocateImage());
        return std::nullopt;
    }
    const std::size_t read = std::fread(pixels.data(), 1, pixels.size(), file.get());
    // A read error (a folder, a failing disk) is no short file.
    if (std::ferror(file.get())) {
        report(CannotOpenForReading(name, errno));
        return std::nullopt;
    }
    if (read < pixels.size()) {
        std::memset(pixels.data() + read, 255, pixels.size() - read);  // a short file ends in white
        report(ShortFile(name, read, kIntensityWidth, kIntensityHeight));
    } else if (const std::uint64_t size = RegularFileSize(file.get()); size > read) {
        report(LongFile(name, size, size - read));
    }

    report({std::to_string(pixels[kFirstShownSample]) + " " + std::to_string(pixels[kSecondShownSample]), "Error",
            MessageIcon::None, MessageKind::Readout});

    ImageRecord record;
    record.width = kIntensityWidth;
    record.height = kIntensityHeight;
    record.pixels = std::move(pixels);
    record.title = name;
    return record;
}

}  // namespace lumagrove
