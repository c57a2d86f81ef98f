#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Reporter.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

// The choices a writer that has them makes: JPEG's quality.
struct WriteSettings {
    static constexpr int kDefaultQuality = 95;
    int quality = kDefaultQuality;  // 1 to 100
};

using StreamWriter = bool (*)(const ImageRecord& record, const WriteSettings& settings, std::FILE* stream);

// A writer that has no choices to make, as a row's writer.
template <bool (*write)(const ImageRecord&, std::FILE*)>
bool WithoutSettings(const ImageRecord& record, const WriteSettings&, std::FILE* stream) {
    return write(record, stream);
}

// One image file format, as a row of a format table: how a file of it is
// recognised (by name, or by its first bytes when there is no name, as on
// standard input), read and written, and how the help, the manual pages, the
// file dialogs and file managers name it. The reader returns the image of
// the file it is given, or nothing after reporting why not. The writer
// puts the whole file into a stream and says whether the stream took it;
// saving it under a name follows the rules of SaveFile (formats/SafeSave.h).
struct ImageFormat {
    const char* name;  // "PNG", as messages and help name it
    // Whether a file of this name is read (or written) this way, for a format
    // with a rule of its own; nullptr: a name with one of `endings`, in any
    // letter case.
    bool (*namedBy)(std::string_view fileName);
    std::optional<ImageRecord> (*read)(const std::string& fileName, const Reporter& report);
    // Whether content starting with these bytes is in this format, and the
    // reader for such content held in memory; the record's title names it in
    // messages. Both nullptr when nothing in the content tells.
    bool (*announcedBy)(std::span<const std::uint8_t> head);
    std::optional<ImageRecord> (*readBytes)(std::span<const std::uint8_t> bytes, const std::string& title,
                                            const Reporter& report);
    // For formats the program writes: what --format calls it, which is also
    // the ending batch results get ("pgm"), and the writer. Both nullptr for
    // formats only read.
    const char* writtenAs;
    StreamWriter write;
    std::string_view endings = {};  // ".tif .tiff": the names the dialogs offer, lower case
    // "image/tiff", for file managers, several separated by spaces; nullptr
    // when it has none.
    const char* mimeType = nullptr;
    const char* dialogName = nullptr;  // "Intensity Files"; nullptr: the name and " Files"
    bool takesQuality = false;         // its writer heeds WriteSettings::quality

    bool names(std::string_view fileName) const;
};

// The format's endings one by one.
std::vector<std::string_view> EndingsOf(const ImageFormat& format);
// The same of a list such as ".tif .tiff".
std::vector<std::string_view> SplitEndings(std::string_view list);
// Whether the name ends in one of the listed endings, in any letter case.
bool EndsInOneOf(std::string_view fileName, std::string_view endings);

// ".png, .jpg or .jpeg": the endings of every format given (or only of those
// written), for help texts.
std::string ListOfEndings(std::span<const ImageFormat> formats, bool writtenOnly = false);

}  // namespace lumagrove
