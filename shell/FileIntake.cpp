#include "shell/FileIntake.h"

#include <chrono>
#include <memory>

#include "pictures/Pictures.h"
#include "platform/Threads.h"
#include "session/ImageFiles.h"
#include "shell/ImageWindow.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

// Opens the image's window and returns once it is on screen, so that the
// next file's window opens after it.
void OpenImage(ImageRecord image) {
    const platform::ManualResetEvent opened;
    StartImageWindow(std::make_unique<ImageRecord>(std::move(image)), opened);
    while (!opened.wait(std::chrono::seconds(1))) {}
}

void LoadOneFile(const std::string& name) {
    const Reporter report = MessageBoxReporter();
    if (session::NamesCoordinateFile(name)) {
        session::ReadCoordinateFile(name, report);  // its sample point is all there is to show
        return;
    }
    if (std::optional<ImageRecord> image = session::ReadImageFile(name, report, ImageFormatsWithPictures())) {
        OpenImage(std::move(*image));
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

void LoadImageFile(const std::string& name) { LoadImageFiles({name}); }

}  // namespace lumagrove::shell
