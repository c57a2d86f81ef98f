#pragma once

#include "operations/Operation.h"

// Each runner builds the working object its menu entry names, hands it the
// arguments, and returns what the operation produced.
namespace lumagrove::runners {

OperationResult Negate(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult Binarize(const SourceImage&, const OperationArguments&, const Reporter&);

// Smoothing, equalization and edges.

// Spectrum and frequency filters.

// Hough transforms.

// Range-image conversion.

}  // namespace lumagrove::runners
