#include "shell/FileIntake.h"

#include <chrono>
#include <memory>

#include "formats/Readers.h"
#include "platform/FileDialog.h"
#include "platform/Threads.h"
#include "shell/ImageWindow.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using platform::FileDialogRequest;
using platform::FileFilter;

const FileFilter kPgmFiles{"PGM Files (*.PGM)", "*.pgm"};
const FileFilter kAllFiles{"All Files (*.*)", "*.*"};

FileDialogRequest RequestFor(platform::Window owner, std::vector<FileFilter> filters) {
    FileDialogRequest request;
    request.owner = owner;
    request.filters = std::move(filters);
    request.defaultExtension = "pgm";
    ShellState& state = TheShellState();
    std::lock_guard lock(state.fileNameMutex);
    request.initialName = state.fileNameBuffer;
    return request;
}

std::optional<std::string> Remembered(std::optional<std::string> chosen) {
    if (chosen) {
        ShellState& state = TheShellState();
        std::lock_guard lock(state.fileNameMutex);
        state.fileNameBuffer = *chosen;
    }
    return chosen;
}

// Opens the image's window and returns once it is on screen, so that the
// next file's window opens after it.
void OpenImage(const std::string& name, int (*read)(ImageRecord&, const Reporter&)) {
    auto record = std::make_unique<ImageRecord>();
    record->title = name;
    if (!read(*record, MessageBoxReporter())) return;
    const platform::ManualResetEvent opened;
    StartImageWindow(std::move(record), opened);
    while (!opened.wait(std::chrono::seconds(1))) {
    }
}

void LoadOneFile(const std::string& name) {
    switch (KindOfFileName(name)) {
        case ImageFileKind::Pgm:
            OpenImage(name, ReadPgm);
            break;
        case ImageFileKind::Xyz: {
            CoordinateRecord coordinates;
            coordinates.path = name;
            ReadXyz(coordinates, MessageBoxReporter());
            break;
        }
        case ImageFileKind::Intensity:
            OpenImage(name, ReadIntensity);
            break;
    }
}

}  // namespace

void LoadImageFiles(std::vector<std::string> names) {
    ShellState& state = TheShellState();
    // Counted from now on, so that shutting down waits for the files still
    // to be read.
    ++state.loadersRunning;
    const bool started = platform::StartThread([names = std::move(names)] {
        ShellState& shell = TheShellState();
        for (const std::string& name : names) {
            if (shell.closeAllEvent.isSet()) break;
            LoadOneFile(name);
        }
        --shell.loadersRunning;
    });
    if (!started) --state.loadersRunning;
}

void LoadImageFile(const std::string& name) {
    LoadImageFiles({name});
}

std::optional<std::string> AskOpenFileName(platform::Window owner) {
    FileDialogRequest request = RequestFor(
        owner, {kPgmFiles, {"XYZ Files (*.XYZ)", "*.xyz"}, {"Intensity Files (*.INTENSITY)", "*.intensity"}, kAllFiles});
    request.hideReadOnly = true;
    request.confirmCreate = true;
    return Remembered(platform::AskOpenFileName(request));
}

std::optional<std::string> AskSaveFileName(platform::Window owner) {
    FileDialogRequest request = RequestFor(owner, {kPgmFiles, kAllFiles});
    request.confirmOverwrite = true;
    return Remembered(platform::AskSaveFileName(request));
}

}  // namespace lumagrove::shell
