#pragma once

#include <functional>
#include <string>

#include "formats/ImageRecord.h"

class QWidget;

namespace lumagrove::shell {

// "Load Image", on the GUI thread: asks for a file over `owner` and hands
// the chosen name to `load`; nothing on cancel. A name that does not exist is
// only taken after the user confirms it.
void AskToOpen(QWidget* owner, const std::function<void(const std::string&)>& load);

// "Save As...", on an image window's thread: asks for a name over the window
// (confirming before a file is replaced) and writes the image there in the
// format the name calls for. A name typed without an ending gets the ending
// of the type chosen in the dialog. Both dialogs start from, and update, the
// name last chosen in either.
void SaveImageAs(QWidget* window, const ImageRecord& image);

}  // namespace lumagrove::shell
