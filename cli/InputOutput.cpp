#include "cli/InputOutput.h"

#include <vector>

#include "cli/StandardStreams.h"
#include "cli/StreamReporter.h"
#include "pictures/Pictures.h"
#include "session/ImageFiles.h"

namespace lumagrove::cli {

std::optional<ImageRecord> ReadInput(const std::string& name, std::istream& in, const Reporter& report) {
    if (NamesStandardStream(name)) {
        const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeStream(in, report);
        if (!bytes) return std::nullopt;
        return session::ReadImageBytes(*bytes, kStandardInputName, report, ImageFormatsWithPictures());
    }
    if (session::NamesCoordinateFile(name)) {
        report({name + " holds XYZ coordinates, not an image (see the xyz command)", "Error", MessageIcon::None});
        return std::nullopt;
    }
    return session::ReadImageFile(name, report, ImageFormatsWithPictures());
}

const ImageFormat& OutputFormat(const std::string& name, const ImageFormat* format) {
    if (format != nullptr) return *format;
    // No name to go by: PGM, the format of a name no other claims.
    if (NamesStandardStream(name)) return session::FormatForWriting("");
    return session::FormatForWriting(name, ImageFormatsWithPictures());
}

std::optional<std::string> QualityProblem(const ImageFormat& format, const std::optional<int>& quality) {
    if (!quality || format.takesQuality) return std::nullopt;
    return "--quality applies to JPEG results (OUTPUT ending in .jpg or .jpeg, or --format jpg), not " +
           std::string(format.name);
}

bool WriteResult(const ImageRecord& image, const std::string& name, const ImageFormat* format,
                 const WriteSettings& settings, std::ostream& out, const Reporter& report) {
    const ImageFormat& written = OutputFormat(name, format);
    if (NamesStandardStream(name)) {
        return WriteIntoStream(
            out, [&](std::FILE* stream) { return written.write(image, settings, stream); }, report);
    }
    return session::WriteImageFile(image, name, written, report, settings);
}

}  // namespace lumagrove::cli
