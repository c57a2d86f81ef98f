#pragma once

#include "operations/OperationTable.h"

class QWidget;

namespace lumagrove::shell {

// Shows the dialog window-modal over `window` and waits for it, on the
// window's own thread; true when the user confirmed it (and the values were
// stored in the process's settings), false on Cancel. None shows nothing and
// counts as confirmed.
bool AskParameters(ParameterDialog dialog, QWidget* window);

}  // namespace lumagrove::shell
