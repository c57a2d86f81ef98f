#pragma once

#include "operations/Options.h"

namespace lumagrove {

// The gray-level threshold binarize and gaussian share: one option, so that
// the two commands and every list of options name it once.
inline constexpr OptionDescriptor kThreshold{
    .flag = "--threshold",
    .valueName = "N",
    .field = IntegerField{&OperationArguments::threshold},
    .help = "gray level; binarize whitens what lies above it, gaussian keeps pixels that smoothing moves further"};

}  // namespace lumagrove
