#pragma once

#include "operations/OperationTable.h"
#include "platform/Message.h"

namespace lumagrove::shell {

// Shows the dialog modally over `owner`; true when the user confirmed it
// (and the values were stored), false on Cancel. None shows nothing and
// counts as confirmed.
bool ShowParameterDialog(platform::Window owner, ParameterDialog dialog);

// "Parameters": window size (odd), sigma and threshold. Ends with 1 after
// storing the values, 0 on Cancel.
bool ParametersDialogProc(platform::Window dialog, platform::Msg message, platform::WordParam word,
                          platform::LongParam data);

// "Edge Detector Parameters": gradient threshold and direction.
bool EdgeParametersDialogProc(platform::Window dialog, platform::Msg message, platform::WordParam word,
                              platform::LongParam data);

}  // namespace lumagrove::shell
