#include "shell/FileDialogs.h"

#include <mutex>

#include "pictures/Pictures.h"
#include "platform/FileDialog.h"
#include "session/ImageFiles.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using platform::FileDialogRequest;
using platform::FileFilter;

const FileFilter kPgmFiles{"PGM Files (*.PGM)", "*.pgm"};
const FileFilter kAllFiles{"All Files (*.*)", "*.*"};
// Every picture the program reads, then the two it writes.
const FileFilter kPictures{"Pictures (*.PNG;*.JPG;*.JPEG;*.TIF;*.TIFF;*.BMP;*.WEBP)",
                           "*.png;*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.webp"};
const FileFilter kPngFiles{"PNG Files (*.PNG)", "*.png"};
const FileFilter kTiffFiles{"TIFF Files (*.TIF;*.TIFF)", "*.tif;*.tiff"};

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

}  // namespace

std::optional<std::string> AskOpenFileName(platform::Window owner) {
    FileDialogRequest request = RequestFor(owner, {kPgmFiles,
                                                   kPictures,
                                                   {"XYZ Files (*.XYZ)", "*.xyz"},
                                                   {"Intensity Files (*.INTENSITY)", "*.intensity"},
                                                   kAllFiles});
    request.hideReadOnly = true;
    request.confirmCreate = true;
    return Remembered(platform::AskOpenFileName(request));
}

std::optional<std::string> AskSaveFileName(platform::Window owner) {
    FileDialogRequest request = RequestFor(owner, {kPgmFiles, kPngFiles, kTiffFiles, kAllFiles});
    request.confirmOverwrite = true;
    return Remembered(platform::AskSaveFileName(request));
}

void SaveImageAs(platform::Window owner, const ImageRecord& image) {
    if (const std::optional<std::string> name = AskSaveFileName(owner)) {
        session::WriteImageFile(image, *name, MessageBoxReporter(), ImageFormatsWithPictures());
    }
}

}  // namespace lumagrove::shell
