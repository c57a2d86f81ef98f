#pragma once

#include <optional>

#include "base/Reporter.h"
#include "formats/ImageRecord.h"
#include "operations/OperationTable.h"

namespace lumagrove::session {

// What running an operation came to.
struct EntryRun {
    // It ran to its end, so its time counts. A refusal or a lack of memory
    // does not; the user has been told why.
    bool finished = false;
    // The image it made; nothing when it made none (it said why).
    std::optional<ImageRecord> result;
};

// Runs the operation of `entry` on a copy of the source's pixels; the source
// is not changed. Running out of memory is reported as NotEnoughMemory(),
// never thrown. The result record has the result's size and pixels and no
// title.
EntryRun RunEntry(const OperationEntry& entry, const ImageRecord& source, const OperationArguments& arguments,
                  const Reporter& report);
// The same on pixels the record does not own (a Python caller's array).
EntryRun RunEntry(const OperationEntry& entry, const SourceImage& source, const OperationArguments& arguments,
                  const Reporter& report);

}  // namespace lumagrove::session
