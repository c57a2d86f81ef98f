#include "shell/FileDialogs.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <span>

#include "pictures/Pictures.h"
#include "platform/FileDialog.h"
#include "session/ImageFiles.h"
#include "shell/MessageBoxReporter.h"
#include "shell/ShellState.h"

namespace lumagrove::shell {
namespace {

using platform::FileDialogRequest;
using platform::FileFilter;

const FileFilter kAllFiles{"All Files (*.*)", "*.*"};
const FileFilter kXyzFiles{"XYZ Files (*.XYZ)", "*.xyz"};
// What Save As offers first: the grey map every other name is written as.
const FileFilter kPgmFiles{"PGM Files (*.PGM)", "*.pgm"};

// "PNG Files (*.PNG)" and "*.png", from the endings of the formats given.
FileFilter FilterOf(const std::string& description, std::span<const ImageFormat> formats) {
    std::string pattern;
    for (const ImageFormat& format : formats) {
        for (std::string_view ending : EndingsOf(format)) {
            if (!pattern.empty()) pattern += ';';
            pattern.append("*").append(ending);
        }
    }
    std::string shown = pattern;
    std::transform(shown.begin(), shown.end(), shown.begin(), [](unsigned char c) { return std::toupper(c); });
    return {description + " (" + shown + ")", pattern};
}

FileFilter FilterOf(const ImageFormat& format) {
    return FilterOf(format.dialogName != nullptr ? format.dialogName : std::string(format.name) + " Files",
                    std::span(&format, 1));
}

const ImageFormat& Netpbm() { return session::FormatForWriting(""); }
const ImageFormat& RawIntensity() { return session::FormatForReading(""); }

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
    FileDialogRequest request = RequestFor(owner, {FilterOf(Netpbm()), FilterOf("Pictures", PictureFileFormats()),
                                                   kXyzFiles, FilterOf(RawIntensity()), kAllFiles});
    request.hideReadOnly = true;
    request.confirmCreate = true;
    return Remembered(platform::AskOpenFileName(request));
}

std::optional<std::string> AskSaveFileName(platform::Window owner) {
    // PGM first, as it always was, then every picture format written.
    std::vector<FileFilter> filters{kPgmFiles};
    for (const ImageFormat& format : PictureFileFormats()) {
        if (format.write != nullptr) filters.push_back(FilterOf(format));
    }
    filters.push_back(kAllFiles);
    FileDialogRequest request = RequestFor(owner, std::move(filters));
    request.confirmOverwrite = true;
    return Remembered(platform::AskSaveFileName(request));
}

void SaveImageAs(platform::Window owner, const ImageRecord& image) {
    if (const std::optional<std::string> name = AskSaveFileName(owner)) {
        session::WriteImageFile(image, *name, MessageBoxReporter(), ImageFormatsWithPictures());
    }
}

}  // namespace lumagrove::shell
