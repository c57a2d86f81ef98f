#include <cstring>

#include <QApplication>

#include "DesktopTest.h"
#include "X11Session.h"

// With --wait-for-window-manager, only says whether a window manager runs
// on the display yet (exit 0) or not, so the runner knows when to start.
int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--wait-for-window-manager") == 0) {
        return lumagrove::desktop::test::X11Session().windowManagerRuns() ? 0 : 1;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return lumagrove::shell::test::RunTestClasses(argc, argv);
}
