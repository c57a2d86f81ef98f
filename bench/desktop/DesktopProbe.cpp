// Runs the desktop with one huge image and reports what it costs: how soon
// the control window's "Load Image" opens its dialog while the image loads
// and renders, the longest the main thread was ever busy at a stretch, what
// one paint of the image's window costs at several zooms, and the memory the
// whole desktop holds. Run it on a display (under Xvfb with a window manager,
// say) or offscreen:
//   desktop_probe [SIDE]        (a SIDE x SIDE image; 30000 by default)
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"

namespace {

using lumagrove::shell::ControlWindow;
using lumagrove::shell::ImageWindow;

long KilobytesOf(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
    }
    return 0;
}

QFileDialog* ShownFileDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

// Serves the main thread until `done` holds or `milliseconds` have passed.
void ServeUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void Press(const ControlWindow& control, const QString& text) {
    for (QPushButton* button : control.findChildren<QPushButton*>()) {
        if (button->text() == text) button->click();
    }
}

void PressCtrl(QWidget* view, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(view, &press);
}

// Repaints the whole view a few times; the slowest, in milliseconds.
double SlowestPaint(QWidget* viewport) {
    double slowest = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        viewport->repaint();
        slowest = std::max(slowest, clock.nsecsElapsed() / 1e6);
    }
    return slowest;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const long side = argc > 1 ? std::atol(argv[1]) : 30000;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("lumagrove-probe-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    const std::string image = (folder / "huge.pgm").string();
    // The header alone: every sample the file does not hold reads as 255.
    std::ofstream(image) << "P5\n" << side << ' ' << side << "\n255\n";

    ControlWindow control;
    control.show();
    ServeUntil([] { return false; }, 500);
    const long idleKilobytes = KilobytesOf("VmRSS:");

    // The longest the main thread went without getting to a 1 ms timer.
    QElapsedTimer sinceTick;
    sinceTick.start();
    double longestStall = 0;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    watchdog.start(1);

    // "Load Image" again and again while the image loads and renders: how
    // long until its dialog shows, which is then cancelled.
    std::vector<double> dialogDelays;
    QElapsedTimer sincePress;
    QTimer dialogWatch;
    QObject::connect(&dialogWatch, &QTimer::timeout, [&] {
        // The file holds no samples: the box that says so is answered.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) box->accept();
        }
        if (QFileDialog* dialog = ShownFileDialog()) {
            dialogDelays.push_back(sincePress.nsecsElapsed() / 1e6);
            dialog->reject();
        }
    });
    dialogWatch.start(1);

    QElapsedTimer loading;
    loading.start();
    control.load({image});
    const auto huge = [&]() -> ImageWindow* {
        for (ImageWindow* window : control.imageWindows()) {
            if (window->windowTitle() == QString::fromStdString(image)) return window;
        }
        return nullptr;
    };
    const auto shown = [&] {
        const ImageWindow* window = huge();
        return window != nullptr && window->view()->zoom() < 1.0 &&
               window->view()->viewport()->grab().toImage().pixel(2, 2) == 0xffffffffu;
    };
    while (!shown() && loading.elapsed() < 120000) {
        sincePress.restart();
        const std::size_t before = dialogDelays.size();
        Press(control, "Load Image");
        ServeUntil([&] { return dialogDelays.size() > before && ShownFileDialog() == nullptr; }, 10000);
        ServeUntil([] { return false; }, 100);
    }
    const double loadSeconds = loading.elapsed() / 1000.0;
    dialogWatch.stop();
    ServeUntil([] { return false; }, 300);
    const long loadedKilobytes = KilobytesOf("VmRSS:");
    const long peakKilobytes = KilobytesOf("VmHWM:");

    std::printf("image: %ld x %ld (%.0f MB), loaded and shown in %.2f s\n", side, side, side * side / 1e6, loadSeconds);
    std::printf(
        "\"Load Image\" pressed %zu times meanwhile; dialog shown after: slowest %.1f ms, median %.1f ms\n",
        dialogDelays.size(), dialogDelays.empty() ? 0.0 : *std::max_element(dialogDelays.begin(), dialogDelays.end()),
        dialogDelays.empty() ? 0.0 : [&] {
            std::vector<double> sorted = dialogDelays;
            std::sort(sorted.begin(), sorted.end());
            return sorted[sorted.size() / 2];
        }());
    std::printf("longest the main thread was busy at a stretch: %.1f ms\n", longestStall);

    // One paint of the image's window at several zooms.
    if (ImageWindow* window = huge()) {
        QWidget* view = window->view();
        QWidget* viewport = window->view()->viewport();
        std::printf("one paint of the %d x %d view:", viewport->width(), viewport->height());
        std::printf(" fitting %.1f ms", SlowestPaint(viewport));
        PressCtrl(view, Qt::Key_1);
        std::printf(", actual pixels %.1f ms", SlowestPaint(viewport));
        for (int i = 0; i < 4; ++i) PressCtrl(view, Qt::Key_Plus);
        std::printf(", x4 %.1f ms", SlowestPaint(viewport));
        for (int i = 0; i < 6; ++i) PressCtrl(view, Qt::Key_Minus);
        std::printf(", x1/2 %.1f ms", SlowestPaint(viewport));
        PressCtrl(view, Qt::Key_0);
        std::printf(", fitting again %.1f ms\n", SlowestPaint(viewport));
    }

    const double pixels = static_cast<double>(side) * static_cast<double>(side);
    std::printf("resident: %.0f MB idle, %.0f MB holding the image, %.0f MB at most; budget 3 N + 150 MB = %.0f MB\n",
                idleKilobytes / 1024.0, loadedKilobytes / 1024.0, peakKilobytes / 1024.0,
                (3 * pixels) / (1024.0 * 1024.0) + 150);

    // Exit from within the main loop, which ends once every thread has.
    QTimer::singleShot(0, &control, [&control] { Press(control, "Exit"); });
    const int code = QApplication::exec();
    std::filesystem::remove_all(folder);
    return code;
}
