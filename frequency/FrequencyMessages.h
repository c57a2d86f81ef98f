#pragma once

#include "base/Reporter.h"

namespace lumagrove {

// Shown when FFTW cannot make a plan; the only message the frequency
// operations give, under an empty caption.
inline Message CannotCreatePlan() { return {"Error Creating Plan", "", MessageIcon::None}; }

}  // namespace lumagrove
