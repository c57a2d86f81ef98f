#include "shell/MenuOperation.h"

#include <string>

#include "platform/Dialog.h"
#include "platform/Threads.h"
#include "resources/ControlIds.h"
#include "session/Messages.h"
#include "session/RunEntry.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ParameterDialogs.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using namespace platform;

OperationArguments ArgumentsFor(const ImageRecord& source) {
    OperationArguments arguments;
    static_cast<Settings&>(arguments) = TheSettings().snapshot();
    arguments.downX = source.downX;
    arguments.downY = source.downY;
    arguments.upX = source.upX;
    arguments.upY = source.upY;
    return arguments;
}

// The counter is 32 bits wide; the unsigned difference stays right across a
// wrap.
void ReportTime(std::uint32_t start) {
    const std::uint32_t elapsed = TickCount() - start;
    const std::string line = session::CompletedIn(static_cast<std::int32_t>(elapsed));
    const Window control = TheShellState().controlWindow;
    const int index = AddListLine(control, resources::control::PerformanceList, line);
    SelectListLine(control, resources::control::PerformanceList, index);
}

}  // namespace

std::unique_ptr<ImageRecord> RunMenuOperation(Window window, const OperationEntry& entry, const ImageRecord& source) {
    // Taken first, so that the time includes a dialog's time on screen.
    const std::uint32_t start = TickCount();
    if (!ShowParameterDialog(window, entry.dialog)) return nullptr;
    session::EntryRun run = session::RunEntry(entry, source, ArgumentsFor(source), MessageBoxReporter());
    if (!run.finished) return nullptr;
    ReportTime(start);
    if (!run.result) return nullptr;
    auto processed = std::make_unique<ImageRecord>(std::move(*run.result));
    processed->title = "Processed Image";
    return processed;
}

}  // namespace lumagrove::shell
