// Runs the desktop with one huge image and reports what it costs: how soon
// the control window's "Load Image" opens its dialog while the image loads
// and renders, the longest the main thread was ever busy at a stretch, what
// one paint of the image's window costs at several zooms, and the memory the
// whole desktop holds. Run it on a display (under Xvfb with a window manager,
// say) or offscreen:
//   desktop_probe [SIDE]        (a SIDE x SIDE image; 30000 by default)
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/TestHooks.h"
#include "resources/ControlIds.h"
#include "shell/ControlWindow.h"
#include "shell/FileIntake.h"

namespace {

namespace hooks = lumagrove::platform::testing;
using namespace std::chrono_literals;

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

QWidget* ViewportOf(const std::string& title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle().toStdString() != title) continue;
        if (auto* view = widget->findChild<QAbstractScrollArea*>()) return view->viewport();
    }
    return nullptr;
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
    lumagrove::platform::Application application(argc, argv);
    const long side = argc > 1 ? std::atol(argv[1]) : 30000;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("lumagrove-probe-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    const std::string image = (folder / "huge.pgm").string();
    // The header alone: every sample the file does not hold reads as 255.
    std::ofstream(image) << "P5\n" << side << ' ' << side << "\n255\n";

    const lumagrove::platform::Window control = lumagrove::shell::StartControlWindow("");
    hooks::RunMainLoopUntil([] { return false; }, 500ms);
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
        if (QFileDialog* dialog = ShownFileDialog()) {
            dialogDelays.push_back(sincePress.nsecsElapsed() / 1e6);
            dialog->reject();
        }
    });
    dialogWatch.start(1);

    QElapsedTimer loading;
    loading.start();
    lumagrove::shell::LoadImageFile(image);
    const auto shown = [&] {
        for (const auto& window : hooks::TopLevelWindows()) {
            if (window.title == image && window.presented.valid(2, 2) && window.presented.pixel(2, 2) == 0xffffffffu &&
                window.zoom < 1.0) {
                return true;
            }
        }
        return false;
    };
    while (!shown() && loading.elapsed() < 120000) {
        sincePress.restart();
        const std::size_t before = dialogDelays.size();
        hooks::PressButton(control, lumagrove::resources::control::LoadImage);
        hooks::RunMainLoopUntil([&] { return dialogDelays.size() > before && ShownFileDialog() == nullptr; }, 10s);
        hooks::RunMainLoopUntil([] { return false; }, 100ms);
    }
    const double loadSeconds = loading.elapsed() / 1000.0;
    dialogWatch.stop();
    hooks::RunMainLoopUntil([] { return false; }, 300ms);
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
    QWidget* viewport = ViewportOf(image);
    lumagrove::platform::Window window;
    for (const auto& snapshot : hooks::TopLevelWindows()) {
        if (snapshot.title == image) window = snapshot.window;
    }
    if (viewport != nullptr && window) {
        std::printf("one paint of the %d x %d view:", viewport->width(), viewport->height());
        std::printf(" fitting %.1f ms", SlowestPaint(viewport));
        hooks::PressKeys(window, "Ctrl+1");
        std::printf(", actual pixels %.1f ms", SlowestPaint(viewport));
        for (int i = 0; i < 4; ++i) hooks::PressKeys(window, "Ctrl++");
        std::printf(", x4 %.1f ms", SlowestPaint(viewport));
        for (int i = 0; i < 6; ++i) hooks::PressKeys(window, "Ctrl+-");
        std::printf(", x1/2 %.1f ms", SlowestPaint(viewport));
        hooks::PressKeys(window, "Ctrl+0");
        std::printf(", fitting again %.1f ms\n", SlowestPaint(viewport));
    }

    const double pixels = static_cast<double>(side) * static_cast<double>(side);
    std::printf("resident: %.0f MB idle, %.0f MB holding the image, %.0f MB at most; budget 3 N + 150 MB = %.0f MB\n",
                idleKilobytes / 1024.0, loadedKilobytes / 1024.0, peakKilobytes / 1024.0,
                (3 * pixels) / (1024.0 * 1024.0) + 150);

    hooks::PressButton(control, lumagrove::resources::control::Exit);
    const int code = lumagrove::shell::RunMainLoop();
    std::filesystem::remove_all(folder);
    return code;
}
