#include "shell/DispatchCommand.h"

#include <memory>
#include <new>
#include <string>

#include "formats/Readers.h"
#include "operations/OperationTable.h"
#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "platform/Threads.h"
#include "resources/ControlIds.h"
#include "shell/FileIntake.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ParameterDialogs.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using namespace platform;

constexpr int kFirstCommand = 40001;
constexpr int kLastCommand = 40039;

// Cancelling the dialog abandons the command.
bool ConfirmedByDialog(Window window, DialogFirst dialog) {
    switch (dialog) {
        case DialogFirst::None: return true;
        case DialogFirst::Parameters:
            return RunModalDialog(resources::ParametersDialog, window, ParametersDialogProc) == 1;
        case DialogFirst::EdgeParameters:
            return RunModalDialog(resources::EdgeParametersDialog, window, EdgeParametersDialogProc) == 1;
    }
    return false;
}

OperationArguments ArgumentsFor(const ImageRecord& source) {
    OperationArguments arguments;
    arguments.settings = TheSettings().snapshot();
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
    const std::string line = "Completed in " + std::to_string(static_cast<std::int32_t>(elapsed)) + " ms";
    const Window control = TheShellState().controlWindow;
    const int index = AddListLine(control, resources::control::PerformanceList, line);
    SelectListLine(control, resources::control::PerformanceList, index);
}

void SaveImage(Window window, const ImageRecord& source) {
    if (const std::optional<std::string> name = AskSaveFileName(window)) {
        WritePgm(source, *name, MessageBoxReporter());
    }
}

std::unique_ptr<ImageRecord> RunOperation(Window window, const OperationEntry& entry, const ImageRecord& source,
                                          std::uint32_t start) {
    if (!ConfirmedByDialog(window, entry.dialog)) return nullptr;
    OperationResult result;
    try {
        result = entry.run({source.pixels, source.width, source.height}, ArgumentsFor(source),
                           MessageBoxReporter());
    } catch (const std::bad_alloc&) {
        ShowMessageBox(Window{}, "Not enough memory to complete the operation.", "Error");
        return nullptr;
    }
    if (result.outcome == OperationOutcome::Refused) return nullptr;
    ReportTime(start);
    if (result.outcome != OperationOutcome::Image) return nullptr;

    auto processed = std::make_unique<ImageRecord>();
    processed->width = result.width;
    processed->height = result.height;
    processed->pixels = std::move(result.pixels);
    processed->title = "Processed Image";
    return processed;
}

}  // namespace

std::unique_ptr<ImageRecord> DispatchCommand(Window window, WordParam command, const ImageRecord& source) {
    // Taken first, so that the time includes a dialog's time on screen.
    const std::uint32_t start = TickCount();
    const int id = static_cast<int>(LowWord(command));
    if (id < kFirstCommand || id > kLastCommand) return nullptr;
    const OperationEntry* entry = FindOperationByMenuId(static_cast<std::uint16_t>(id));
    if (entry == nullptr) return nullptr;
    if (entry->kind == EntryKind::SaveAs) {
        SaveImage(window, source);
    } else if (entry->kind == EntryKind::Operation) {
        return RunOperation(window, *entry, source, start);
    }
    return nullptr;
}

}  // namespace lumagrove::shell
