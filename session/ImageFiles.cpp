#include "session/ImageFiles.h"

#include "formats/Readers.h"
#include "formats/SafeSave.h"

namespace lumagrove::session {
namespace {

// Only the last three characters count, as they always have: "scan.apgm" is
// PGM and "scan.PGM" raw intensity.
bool EndsIn(std::string_view fileName, std::string_view ending) { return fileName.ends_with(ending); }

bool NamesPgm(std::string_view fileName) { return EndsIn(fileName, "pgm"); }
bool AnyName(std::string_view) { return true; }

constexpr ImageFormat kFormats[] = {
    {"PGM", NamesPgm, ReadPgm, WritePgmStream},
    {"raw 640 x 480 intensity", AnyName, ReadIntensity, nullptr},
};

}  // namespace

std::span<const ImageFormat> ImageFormats() { return kFormats; }

const ImageFormat& FormatForReading(std::string_view fileName) {
    for (const ImageFormat& format : kFormats) {
        if (format.namedBy(fileName)) return format;
    }
    return kFormats[std::size(kFormats) - 1];
}

const ImageFormat& FormatForWriting(std::string_view fileName) {
    for (const ImageFormat& format : kFormats) {
        if (format.write != nullptr && format.namedBy(fileName)) return format;
    }
    return kFormats[0];
}

bool NamesCoordinateFile(std::string_view fileName) { return EndsIn(fileName, "xyz"); }

std::optional<ImageRecord> ReadImageFile(const std::string& fileName, const Reporter& report) {
    ImageRecord record;
    record.title = fileName;
    if (!FormatForReading(fileName).read(record, report)) return std::nullopt;
    return record;
}

std::optional<CoordinateRecord> ReadCoordinateFile(const std::string& fileName, const Reporter& report) {
    CoordinateRecord record;
    record.path = fileName;
    if (!ReadXyz(record, report)) return std::nullopt;
    return record;
}

bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const Reporter& report) {
    const ImageFormat& format = FormatForWriting(fileName);
    return SaveFile(fileName, report, [&](std::FILE* stream) { return format.write(record, stream); }) != 0;
}

}  // namespace lumagrove::session
