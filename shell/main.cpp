#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include <QApplication>

#include "base/Version.h"
#include "shell/ControlWindow.h"

namespace {

// Answered before the toolkit starts, so both work without a display. Only a
// lone word counts: a file that happens to be called "--help" still opens
// as "./--help".
bool AnsweredWithoutWindows(int argc, char** argv) {
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "lumagrove " << lumagrove::VersionText() << '\n';
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::cout << "Usage: lumagrove [FILE]\n"
                     "       lumagrove --help\n"
                     "       lumagrove --version\n\n"
                     "Opens the control window, and FILE when one is given (every word after the\n"
                     "program's name, joined by single blanks, is one file name).\n";
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnsweredWithoutWindows(argc, argv)) return 0;
    // Over the file size limit the kernel would end the program mid-save;
    // ignored, the write fails and the save says why, leaving the file whole.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    // The program ends with Exit or the control window's close box, once
    // every image window's thread has ended; not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Everything after the program's name is one file name, joined by single
    // blanks as the shell split it.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    lumagrove::shell::ControlWindow control;
    control.show();
    if (!commandLine.empty()) control.load({commandLine});
    return QApplication::exec();
}
