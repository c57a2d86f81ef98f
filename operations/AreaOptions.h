#pragma once

#include "operations/Options.h"

namespace lumagrove {

// The rectangle the operations on a selection take: one pair of options, so
// that every such command names it alike.
inline constexpr OptionDescriptor kFrom{.flag = "--from",
                                        .valueName = "X,Y",
                                        .field = PointField{&OperationArguments::downX, &OperationArguments::downY},
                                        .help = "one corner of the rectangle (where the desktop's selection starts)"};
inline constexpr OptionDescriptor kTo{.flag = "--to",
                                      .valueName = "X,Y",
                                      .field = PointField{&OperationArguments::upX, &OperationArguments::upY},
                                      .help = "the opposite corner (where the desktop's selection ends)"};

}  // namespace lumagrove
