#include "cli/StandardStreams.h"

#include <cstdio>
#include <new>

#include "formats/BrokenPipeGuard.h"
#include "formats/FileMessages.h"
#include "session/Messages.h"

namespace lumagrove::cli {
namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;

ssize_t WriteToOstream(void* cookie, const char* bytes, std::size_t size) {
    std::ostream& out = *static_cast<std::ostream*>(cookie);
    out.write(bytes, static_cast<std::streamsize>(size));
    // A C stream's writer says "nothing written" for a failure.
    return out ? static_cast<ssize_t>(size) : 0;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeStream(std::istream& in, const Reporter& report) {
    std::vector<std::uint8_t> bytes;
    try {
        while (in) {
            const std::size_t had = bytes.size();
            bytes.resize(had + kReadChunk);
            in.read(reinterpret_cast<char*>(bytes.data() + had), static_cast<std::streamsize>(kReadChunk));
            bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        }
    } catch (const std::bad_alloc&) {
        report(session::NotEnoughMemory());
        return std::nullopt;
    }
    if (in.bad()) {
        report(CannotOpenForReading(kStandardInputName));
        return std::nullopt;
    }
    bytes.shrink_to_fit();
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
