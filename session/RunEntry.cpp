#include "session/RunEntry.h"

#include <new>

#include "base/Bands.h"
#include "base/ImageSize.h"
#include "session/Messages.h"

namespace lumagrove::session {

EntryRun RunEntry(const OperationEntry& entry, const ImageRecord& source, const OperationArguments& arguments,
                  const Reporter& report) {
    return RunEntry(entry, ImageView{source.pixels, source.width, source.height}, arguments, report);
}

EntryRun RunEntry(const OperationEntry& entry, ImageView source, const OperationArguments& arguments,
                  const Reporter& report) {
    CheckedPixelCount(source.pixels, source.width, source.height);
    OperationResult result;
    try {
        result = entry.run(source, arguments, report);
    } catch (const std::bad_alloc&) {
        report(NotEnoughMemory());
        return {};
    } catch (const Stopped&) {
        return {false, std::nullopt, true};
    }
    switch (result.outcome) {
        case OperationOutcome::Refused: return {};
        case OperationOutcome::NoImage: return {true, std::nullopt, false};
        case OperationOutcome::Image: break;
    }
    ImageRecord image;
    image.width = result.width;
    image.height = result.height;
    image.pixels = std::move(result.pixels);
    return {true, std::move(image), false};
}

}  // namespace lumagrove::session
