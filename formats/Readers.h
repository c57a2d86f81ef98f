#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

#include "base/Reporter.h"
#include "formats/CoordinateRecord.h"
#include "formats/ImageRecord.h"

namespace lumagrove {

// Each reader opens the file of the name it is given and returns what it
// holds, titled with that name, or nothing after reporting why not.

// The netpbm family: bitmaps (P1, P4), grey maps (P2, P5), colour maps (P3,
// P6) and PAM (P7), made 8-bit grey. A file that ends before its last sample
// is read with the rest white, and the user told.
std::optional<ImageRecord> ReadNetpbm(const std::string& fileName, const Reporter& report);
// Whether content starting with these bytes is of the family ("P1" to "P7").
bool LooksLikeNetpbm(std::span<const std::uint8_t> head);
// A file of the family held in memory, such as standard input; `title` names
// it in messages.
std::optional<ImageRecord> ReadNetpbmBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                           const Reporter& report);
// The most bytes a file of the family starting with `head` can hold: its
// header and its samples (plain ones as text, a few bytes each). 0 while
// `head` does not yet hold a whole header; the length of `head` when its
// header is wrong, as nothing more is worth reading.
std::uint64_t NetpbmLengthDeclared(std::span<const std::uint8_t> head);

// Raw 640 x 480 samples without a header. A file of another length is read
// as far as it goes (the rest white), and the user told.
std::optional<ImageRecord> ReadIntensity(const std::string& fileName, const Reporter& report);

// Three 640 x 480 planes of little-endian 32-bit floats; reports one sample
// point under the caption "Coordinates".
std::optional<CoordinateRecord> ReadXyz(const std::string& fileName, const Reporter& report);

// Writes a binary P5 file by the saving rules of SaveFile (SafeSave.h).
int WritePgm(const ImageRecord& record, const std::string& name, const Reporter& report);

// The same bytes to an open stream; false if the stream refused any.
bool WritePgmStream(const ImageRecord& record, std::FILE* file);

}  // namespace lumagrove
