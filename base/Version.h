#pragma once

#include <string_view>

namespace lumagrove {

// The release this build belongs to, as both programs print it for
// --version: "0.1", or "0.1 (git 1a2b3c4d5e6f)" when built from a Git
// checkout, with ", modified" when that checkout had uncommitted changes.
std::string_view VersionText();

}  // namespace lumagrove
