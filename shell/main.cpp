#include <string>

#include "platform/Application.h"
#include "shell/ControlWindow.h"

int main(int argc, char** argv) {
    lumagrove::platform::Application application(argc, argv);
    // Everything after the program's name is one file name, joined by single
    // blanks as the shell split it.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    lumagrove::shell::StartControlWindow(commandLine);
    return lumagrove::shell::RunMainLoop();
}
