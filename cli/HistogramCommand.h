#pragma once

#include <span>
#include <string>

#include "cli/CommandLine.h"

namespace lumagrove::cli {

// `lumagrove-cli histogram [--json] INPUT`: the count of every gray level
// and the statistics of the image, on standard output. It makes no image,
// so it has no row in the operation table and cannot be a step of a chain.
int RunHistogramCommand(std::span<const std::string> words, const Streams& streams);

}  // namespace lumagrove::cli
