#pragma once

#include "operations/Operation.h"

// Each runner builds the working object its menu entry names, hands it the
// arguments, and returns what the operation produced.
namespace lumagrove::runners {

OperationResult Negate(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult Binarize(const SourceImage&, const OperationArguments&, const Reporter&);

// Smoothing, equalization and edges.
OperationResult SmoothUniform(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult SmoothGaussian(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EqualizeGlobal(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EqualizeSelectedArea(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EqualizeFourAreas(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EqualizeSixteenAreas(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult GradientImage(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EdgesByGradient(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult EdgesByDirection(const SourceImage&, const OperationArguments&, const Reporter&);

// Spectrum and frequency filters.
OperationResult FourierSpectrum(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult GlobalHighPass(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult GlobalLowPass(const SourceImage&, const OperationArguments&, const Reporter&);

// Hough transforms.
OperationResult LineSpace(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult Lines(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult LinesSuperimposed(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult LinesByDirection(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult CircleSpace(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult Circles(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult CirclesSuperimposed(const SourceImage&, const OperationArguments&, const Reporter&);
OperationResult CirclesByDirection(const SourceImage&, const OperationArguments&, const Reporter&);

// Range-image conversion.
OperationResult ConvertTo3D(const SourceImage&, const OperationArguments&, const Reporter&);

}  // namespace lumagrove::runners
