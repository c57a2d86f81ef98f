#pragma once

#include <optional>
#include <string>

#include "formats/ImageRecord.h"
#include "platform/Message.h"

namespace lumagrove::shell {

// The file dialogs, owned by `owner`. Both start from, and update, the name
// last chosen in either. Nothing on cancel.
std::optional<std::string> AskOpenFileName(platform::Window owner);
std::optional<std::string> AskSaveFileName(platform::Window owner);

// "Save As...": asks for a name and writes the image there in the format the
// name calls for (binary PGM for every name today).
void SaveImageAs(platform::Window owner, const ImageRecord& image);

}  // namespace lumagrove::shell
