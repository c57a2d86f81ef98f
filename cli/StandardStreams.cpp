#include "cli/StandardStreams.h"

#include <cstdio>
#include <new>

#include "formats/BrokenPipeGuard.h"
#include "formats/FileMessages.h"
#include "formats/Readers.h"
#include "pictures/BoundedRead.h"
#include "pictures/Pictures.h"
#include "session/Messages.h"

namespace lumagrove::cli {
namespace {

ssize_t WriteToOstream(void* cookie, const char* bytes, std::size_t size) {
    std::ostream& out = *static_cast<std::ostream*>(cookie);
    out.write(bytes, static_cast<std::streamsize>(size));
    // A C stream's writer says "nothing written" for a failure.
    return out ? static_cast<ssize_t>(size) : 0;
}

// What standard input can hold: a picture or a gray map, as long as its
// header declares. Nothing else is read from it (a raw intensity file has no
// header to be told by), so the first bytes are all that is worth reading.
std::uint64_t StandardInputLengthDeclared(std::span<const std::uint8_t> head) {
    if (PictureFormatOfContent(head)) return PictureLengthDeclared(head);
    if (!LooksLikeNetpbm(head)) return head.size();
    const std::uint64_t length = NetpbmLengthDeclared(head);
    return length == 0 ? kLengthNotYetDeclared : length;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeStream(std::istream& in, const Reporter& report) {
    std::vector<std::uint8_t> bytes;
    const auto read = [&in](std::uint8_t* into, std::size_t size) {
        in.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in.gcount());
    };
    BoundedRead outcome = BoundedRead::OutOfMemory;
    try {
        outcome = ReadBounded(read, StandardInputLengthDeclared, bytes);
    } catch (const std::bad_alloc&) {  // the outcome stays OutOfMemory
    }
    if (outcome == BoundedRead::OutOfMemory) {
        report(session::NotEnoughMemory());
        return std::nullopt;
    }
    if (in.bad()) {
        report(CannotOpenForReading(kStandardInputName));
        return std::nullopt;
    }
    return bytes;
}

bool WriteIntoStream(std::ostream& out, const ContentWriter& write, const Reporter& report) {
    const BrokenPipeGuard quietPipe;
    bool written = false;
    if (std::FILE* file = fopencookie(&out, "wb", {nullptr, WriteToOstream, nullptr, nullptr})) {
        written = write(file);
        written = std::fclose(file) == 0 && written;
    }
    written = out.flush() && written;
    if (!written) report(CannotWrite(kStandardOutputName));
    return written;
}

}  // namespace lumagrove::cli
