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

// Plain (P2) and binary (P5) gray maps, always one byte per sample.
std::optional<ImageRecord> ReadPgm(const std::string& fileName, const Reporter& report);
// Whether content starting with these bytes is a gray map ("P2" or "P5").
bool LooksLikePgm(std::span<const std::uint8_t> head);
// A gray map held in memory, such as standard input; `title` names it in
// messages.
std::optional<ImageRecord> ReadPgmBytes(std::span<const std::uint8_t> bytes, const std::string& title,
                                        const Reporter& report);
// The most bytes a gray map starting with `head` can hold: its header and its
// samples (plain ones as text, a few bytes each). 0 while `head` does not yet
// hold a whole header with a valid size.
std::uint64_t PgmLengthDeclared(std::span<const std::uint8_t> head);

// Raw 640 x 480 samples without a header.
std::optional<ImageRecord> ReadIntensity(const std::string& fileName, const Reporter& report);

// Three 640 x 480 planes of little-endian 32-bit floats; reports one sample
// point under the caption "Coordinates".
std::optional<CoordinateRecord> ReadXyz(const std::string& fileName, const Reporter& report);

// Writes a binary P5 file by the saving rules of SaveFile (SafeSave.h).
int WritePgm(const ImageRecord& record, const std::string& name, const Reporter& report);

// The same bytes to an open stream; false if the stream refused any.
bool WritePgmStream(const ImageRecord& record, std::FILE* file);

}  // namespace lumagrove
