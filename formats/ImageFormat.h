#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>

#include "base/Reporter.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

// One image file format, as a row of a format table: how a file of it is
// recognised (by name, or by its first bytes when there is no name, as on
// standard input), read and written. The reader takes the file name from the
// record's title and returns 1, or 0 after reporting why not. The writer puts
// the whole file into a stream and says whether the stream took it; saving
// it under a name follows the rules of SaveFile (formats/SafeSave.h).
struct ImageFormat {
    const char* name;                            // "PGM", as messages and help name it
    bool (*namedBy)(std::string_view fileName);  // whether a file of this name is read (or written) this way
    int (*read)(ImageRecord& record, const Reporter& report);
    // Whether content starting with these bytes is in this format, and the
    // reader for such content held in memory; the record's title names it in
    // messages. Both nullptr when nothing in the content tells.
    bool (*announcedBy)(std::span<const std::uint8_t> head);
    int (*readBytes)(std::span<const std::uint8_t> bytes, ImageRecord& record, const Reporter& report);
    // For formats the program writes: what --format calls it, which is also
    // the ending batch results get ("pgm"), and the writer. Both nullptr for
    // formats only read.
    const char* writtenAs;
    bool (*write)(const ImageRecord& record, std::FILE* stream);
};

}  // namespace lumagrove
