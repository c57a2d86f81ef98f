#pragma once

#include "cli/Chain.h"
#include "cli/CommandLine.h"

namespace lumagrove::cli {

// "COMMAND [OPTIONS] [then ...] --out-dir DIR INPUT...": the whole chain on
// every INPUT, each result written to DIR/<INPUT's name without extension>.
// <format>, in the format --format names (PGM unless it says otherwise). The
// folder is made if missing. A file that fails gets its message and the
// others go on; the exit status is 1 if any failed, and one summary line on
// standard error ends the batch.
int RunBatchCommand(const ChainCommand& chain, const Streams& streams);

}  // namespace lumagrove::cli
