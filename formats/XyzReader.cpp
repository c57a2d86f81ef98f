#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "formats/FileMessages.h"
#include "formats/Readers.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kPlaneWidth = 640;
constexpr std::int32_t kPlaneHeight = 480;
constexpr std::size_t kPlaneValues = static_cast<std::size_t>(kPlaneWidth) * kPlaneHeight;
constexpr std::size_t kShownElement = 200;  // row 0, column 200

// Reads one plane of little-endian floats. Values a short file does not
// supply are 0.0.
void ReadPlane(std::FILE* file, float* plane) {
    std::vector<std::array<unsigned char, 4>> raw(kPlaneValues);
    const std::size_t read = std::fread(raw.data(), 4, kPlaneValues, file);
    for (std::size_t i = 0; i < kPlaneValues; ++i) {
        if (i >= read) {
            plane[i] = 0.0f;
            continue;
        }
        const auto& b = raw[i];
        const std::uint32_t bits =
            std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
        plane[i] = std::bit_cast<float>(bits);
    }
}

std::string FormatSamplePoint(double x, double y, double z) {
    const char* format = "%f -----  %f ----- %f";
    const int length = std::snprintf(nullptr, 0, format, x, y, z);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, x, y, z);
    return text;
}

}  // namespace

std::optional<CoordinateRecord> ReadXyz(const std::string& fileName, const Reporter& report) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(fileName));
    if (!file) {
        report(CannotOpenForReading(fileName, errno, MessageIcon::Error));
        return std::nullopt;
    }
    CoordinateRecord record;
    record.path = fileName;
    try {
        record.xPlane = std::make_unique_for_overwrite<float[]>(kPlaneValues);
        record.yPlane = std::make_unique_for_overwrite<float[]>(kPlaneValues);
        record.zPlane = std::make_unique_for_overwrite<float[]>(kPlaneValues);
        ReadPlane(file.get(), record.xPlane.get());
        ReadPlane(file.get(), record.yPlane.get());
        ReadPlane(file.get(), record.zPlane.get());
    } catch (const std::bad_alloc&) {
        report(CannotAllocateCoordinates());
        return std::nullopt;
    }
    // A read error (a folder, a failing disk) is no short file. The error
    // stays flagged on the stream, so one check covers all three planes.
    if (std::ferror(file.get())) {
        report(CannotOpenForReading(fileName, errno, MessageIcon::Error));
        return std::nullopt;
    }
    file.reset();
    record.width = kPlaneWidth;
    record.height = kPlaneHeight;

    report({FormatSamplePoint(record.xPlane[kShownElement], record.yPlane[kShownElement], record.zPlane[kShownElement]),
            "Coordinates", MessageIcon::None, MessageKind::Readout});
    return record;
}

}  // namespace lumagrove
