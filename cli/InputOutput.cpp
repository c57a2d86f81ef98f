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
        report({name + " holds XYZ coordinates, not an image (see the xyz command)", kProgram, MessageIcon::None});
        return std::nullopt;
    }
    return session::ReadImageFile(name, report, ImageFormatsWithPictures());
}

bool WriteResult(const ImageRecord& image, const std::string& name, const ImageFormat* format, std::ostream& out,
                 const Reporter& report) {
    if (NamesStandardStream(name)) {
        // No name to go by: PGM, the format of a name no other claims.
        const ImageFormat& written = format != nullptr ? *format : session::FormatForWriting(name);
        return WriteIntoStream(
            out, [&](std::FILE* stream) { return written.write(image, stream); }, report);
    }
    if (format != nullptr) return session::WriteImageFile(image, name, *format, report);
    return session::WriteImageFile(image, name, report, ImageFormatsWithPictures());
}

}  // namespace lumagrove::cli
