#include "session/ImageFiles.h"

#include "formats/Readers.h"
#include "formats/SafeSave.h"

namespace lumagrove::session {
namespace {

bool EndsIn(std::string_view fileName, std::string_view ending) { return fileName.ends_with(ending); }

constexpr std::string_view kNetpbmEndings = ".pgm .pnm .ppm .pbm .pam";

// The family's endings in any letter case ("X.PGM", "scan.pnm"), and any
// name whose last three characters are "pgm" ("scan.apgm"), as such names
// have always been read: a grey map they hold stays one.
bool NamesNetpbm(std::string_view fileName) { return EndsIn(fileName, "pgm") || EndsInOneOf(fileName, kNetpbmEndings); }
bool AnyName(std::string_view) { return true; }

constexpr ImageFormat kFormats[] = {
    {"netpbm", NamesNetpbm, ReadNetpbm, LooksLikeNetpbm, ReadNetpbmBytes, "pgm", WithoutSettings<WritePgmStream>,
     kNetpbmEndings,
     "image/x-portable-graymap image/x-portable-anymap image/x-portable-pixmap image/x-portable-bitmap "
     "image/x-portable-arbitrarymap",
     "Netpbm Files"},
    {"raw 640 x 480 intensity", AnyName, ReadIntensity, nullptr, nullptr, nullptr, nullptr, ".intensity", nullptr,
     "Intensity Files"},
};

// "File: standard input is not an image this program can read from its
// content (netpbm)."; the list names every format whose content tells.
Message UnannouncedContent(const std::string& title, std::span<const ImageFormat> formats) {
    std::string names;
    for (const ImageFormat& format : formats) {
        if (format.announcedBy == nullptr) continue;
        names += (names.empty() ? "" : ", ") + std::string(format.name);
    }
    return {"File: " + title + " is not an image this program can read from its content (" + names + ").", "Error",
            MessageIcon::None};
}

}  // namespace

std::span<const ImageFormat> ImageFormats() { return kFormats; }

const ImageFormat& FormatForReading(std::string_view fileName, std::span<const ImageFormat> formats) {
    for (const ImageFormat& format : formats) {
        if (format.names(fileName)) return format;
    }
    return kFormats[std::size(kFormats) - 1];
}

const ImageFormat& FormatForWriting(std::string_view fileName, std::span<const ImageFormat> formats) {
    for (const ImageFormat& format : formats) {
        if (format.write != nullptr && format.names(fileName)) return format;
    }
    return kFormats[0];
}

const ImageFormat* FormatWrittenAs(std::string_view writtenAs, std::span<const ImageFormat> formats) {
    for (const ImageFormat& format : formats) {
        if (format.writtenAs != nullptr && writtenAs == format.writtenAs) return &format;
    }
    return nullptr;
}

bool NamesCoordinateFile(std::string_view fileName) { return EndsIn(fileName, "xyz"); }

std::optional<ImageRecord> ReadImageFile(const std::string& fileName, const Reporter& report,
                                         std::span<const ImageFormat> formats) {
    return FormatForReading(fileName, formats).read(fileName, report);
}

std::optional<ImageRecord> ReadImageBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                          const Reporter& report, std::span<const ImageFormat> formats) {
    for (const ImageFormat& format : formats) {
        if (format.announcedBy != nullptr && format.announcedBy(bytes)) return format.readBytes(bytes, title, report);
    }
    report(UnannouncedContent(title, formats));
    return std::nullopt;
}

std::optional<CoordinateRecord> ReadCoordinateFile(const std::string& fileName, const Reporter& report) {
    return ReadXyz(fileName, report);
}

bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const Reporter& report,
                    std::span<const ImageFormat> formats, const WriteSettings& settings) {
    return WriteImageFile(record, fileName, FormatForWriting(fileName, formats), report, settings);
}

bool WriteImageFile(const ImageRecord& record, const std::string& fileName, const ImageFormat& format,
                    const Reporter& report, const WriteSettings& settings) {
    return SaveFile(fileName, report, [&](std::FILE* stream) { return format.write(record, settings, stream); }) != 0;
}

}  // namespace lumagrove::session
