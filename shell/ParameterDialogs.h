#pragma once

#include "platform/Message.h"

namespace lumagrove::shell {

// "Parameters": window size (odd), sigma and threshold. Ends with 1 after
// storing the values, 0 on Cancel.
bool ParametersDialogProc(platform::Window dialog, platform::Msg message, platform::WordParam word,
                          platform::LongParam data);

// "Edge Detector Parameters": gradient threshold and direction.
bool EdgeParametersDialogProc(platform::Window dialog, platform::Msg message, platform::WordParam word,
                              platform::LongParam data);

}  // namespace lumagrove::shell
