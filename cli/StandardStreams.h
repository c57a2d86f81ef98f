#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "base/Reporter.h"
#include "formats/SafeSave.h"

// "-" as INPUT or OUTPUT: standard input and output, so that the tool sits in
// a pipe.
namespace lumagrove::cli {

inline bool NamesStandardStream(std::string_view fileName) { return fileName == "-"; }

// How messages name the two streams ("File: standard input ...").
inline constexpr char kStandardInputName[] = "standard input";
inline constexpr char kStandardOutputName[] = "standard output";

// What `in` holds, up to the length its first bytes declare (BoundedRead.h):
// a picture or a gray map as long as its header says, of anything else only
// those first bytes, so that an endless stream ends. Nothing, after
// reporting, when it could not be read or does not fit in memory.
std::optional<std::vector<std::uint8_t>> ReadWholeStream(std::istream& in, const Reporter& report);

// Hands `write` a C stream whose bytes go into `out` (writers take a FILE*)
// and flushes them there. False, after reporting, when `write` failed or
// `out` refused a byte, as standard output does once the reader of its pipe
// has gone; that ends the write instead of the process.
bool WriteIntoStream(std::ostream& out, const ContentWriter& write, const Reporter& report);

}  // namespace lumagrove::cli
