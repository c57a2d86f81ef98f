#include "shell/ShellState.h"

namespace lumagrove::shell {

ShellState& TheShellState() {
    static ShellState state;
    return state;
}

}  // namespace lumagrove::shell
