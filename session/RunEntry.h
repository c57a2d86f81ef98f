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
    // It was asked to stop (see StopToken) and ended early; it said nothing.
    bool stopped = false;
};

// Runs the operation of `entry` on the source's pixels, which it does not
// change. This is where the source's sides are checked against its pixels,
// once for every operation: sides that do not describe them throw
// std::invalid_argument (see CheckedPixelCount). Running out of memory is
// reported as NotEnoughMemory(), never thrown; nor is a stop. The result record has the
// result's size and pixels and no title.
EntryRun RunEntry(const OperationEntry& entry, const ImageRecord& source, const OperationArguments& arguments,
                  const Reporter& report);
// The same on pixels the record does not own (a Python caller's array).
EntryRun RunEntry(const OperationEntry& entry, ImageView source, const OperationArguments& arguments,
                  const Reporter& report);

}  // namespace lumagrove::session
