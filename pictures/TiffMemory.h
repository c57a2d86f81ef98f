#pragma once

#include <tiffio.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "pictures/Decoders.h"

namespace lumagrove::pictures {

// libtiff over memory rather than a file. Reading: the picture is already
// in memory. Writing: a TIFF's directory is written last and the header
// points back to it, so the file is built in memory and then goes out in
// one piece to a stream that need not seek (a pipe, standard output).
// libtiff's messages are dropped; its return values say what happened.

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// The bytes a TIFF handle works on, with a position. Must outlive the handle.
struct TiffMemory {
    std::vector<std::uint8_t> written;  // the file being written
    Bytes reading;                      // the file being read
    std::uint64_t at = 0;
};

// Opens the first page of a TIFF in `memory.reading`; null if it is none.
// No single allocation of libtiff's may exceed `allocationLimit` bytes.
TiffHandle OpenTiffForReading(TiffMemory& memory, std::uint64_t allocationLimit);

// Opens an empty TIFF that fills `memory.written`.
TiffHandle OpenTiffForWriting(TiffMemory& memory);

}  // namespace lumagrove::pictures
