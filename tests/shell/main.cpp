#include <QApplication>

#include "DesktopTest.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // As in the program: it ends with Exit, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    return lumagrove::shell::test::RunTestClasses(argc, argv);
}
