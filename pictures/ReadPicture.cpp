#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <new>
#include <vector>

#include "formats/FileMessages.h"
#include "pictures/BoundedRead.h"
#include "pictures/Decoders.h"
#include "pictures/MemoryBudget.h"
#include "pictures/Orientation.h"
#include "pictures/PictureMessages.h"
#include "pictures/Pictures.h"

namespace lumagrove {
namespace {

using pictures::DecodedPicture;
using pictures::DecodeOutcome;

enum class FileRead { Done, Failed, OutOfMemory };

// The file up to the length its header declares: the decoders work on
// memory, which also serves pipes and devices that never end. Failed leaves
// errno saying why.
FileRead ReadWholeFile(std::FILE* file, std::vector<std::uint8_t>& bytes) {
    struct stat status {};
    if (fstat(fileno(file), &status) != 0) return FileRead::Failed;
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return FileRead::Failed;
    }
    const std::uint64_t knownSize = S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
    const auto read = [file](std::uint8_t* into, std::size_t size) { return std::fread(into, 1, size, file); };
    if (ReadBounded(read, PictureLengthDeclared, bytes, knownSize) == BoundedRead::OutOfMemory) {
        return FileRead::OutOfMemory;
    }
    return std::ferror(file) ? FileRead::Failed : FileRead::Done;
}

DecodeOutcome Decode(std::span<const std::uint8_t> bytes, DecodedPicture& picture) {
    const PictureFormat* format = PictureFormatOfContent(bytes);
    return format != nullptr ? format->decode(bytes, picture) : DecodeOutcome::NotAPicture;
}

}  // namespace

std::optional<ImageRecord> DecodePicture(std::span<const std::uint8_t> bytes, const std::string& title,
                                         const Reporter& report) {
    DecodedPicture picture;
    DecodeOutcome outcome;
    try {
        outcome = Decode(bytes, picture);
        if (outcome == DecodeOutcome::Done) pictures::ApplyOrientation(picture);
    } catch (const std::bad_alloc&) {
        outcome = DecodeOutcome::OutOfMemory;
    }
    switch (outcome) {
        case DecodeOutcome::Done: break;
        case DecodeOutcome::NotAPicture: report(pictures::NotAPictureWeRead(title)); return std::nullopt;
        case DecodeOutcome::TooLarge: report(pictures::PictureTooLarge(title)); return std::nullopt;
        case DecodeOutcome::OutOfMemory: report(pictures::NotEnoughMemory()); return std::nullopt;
    }
    ImageRecord record;
    record.width = picture.width;
    record.height = picture.height;
    record.pixels = std::move(picture.grey);
    record.title = title;
    return record;
}

std::optional<ImageRecord> ReadPicture(const std::string& name, const Reporter& report) {
    std::vector<std::uint8_t> bytes;
    FileRead read = FileRead::Failed;
    std::unique_ptr<std::FILE, FileCloser> file{OpenForReading(name)};
    if (file) {
        try {
            read = ReadWholeFile(file.get(), bytes);
        } catch (const std::bad_alloc&) {
            read = FileRead::OutOfMemory;
        }
    }
    // Why the open or the read failed, taken before closing can change it.
    const int failure = errno;
    file.reset();
    switch (read) {
        case FileRead::Done: return DecodePicture(bytes, name, report);
        case FileRead::Failed: report(CannotOpenForReading(name, failure)); return std::nullopt;
        case FileRead::OutOfMemory: report(pictures::NotEnoughMemory()); return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace lumagrove
