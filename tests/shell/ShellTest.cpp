#include "ShellTest.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Dialog.h"
#include "platform/MessageQueue.h"
#include "platform/Threads.h"
#include "resources/ControlIds.h"
#include "shell/ControlWindow.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"

namespace lumagrove::shell::test {

namespace hooks = platform::testing;

namespace {
constexpr auto kTestTimeBound = 120s;
}

void ShellTest::SetUp() {
    hooks::ResetHooks();
    const Settings initial;
    TheSettings().setParameters(initial.windowSize, initial.sigma, initial.threshold);
    TheSettings().setEdgeParameters(initial.gradientThreshold, initial.gradientDirection);
    TheSettings().setCutoff(initial.cutoffX, initial.cutoffY);
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    watchdog_ = std::thread([this, name] {
        std::unique_lock lock(watchdogMutex_);
        if (!watchdogCancelled_.wait_for(lock, kTestTimeBound, [this] { return testOver_; })) {
            std::fprintf(stderr, "%s did not finish within its time bound\n", name.c_str());
            std::_Exit(EXIT_FAILURE);
        }
    });
    control_ = StartControlWindow("");
}

void ShellTest::TearDown() {
    // Exit, as a user would, and let the main loop run to its end.
    if (platform::WindowExists(control_)) {
        hooks::PressButton(control_, resources::control::Exit);
        EXPECT_EQ(RunMainLoop(), 0);
    }
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);
    WaitUntil([] { return hooks::TopLevelWindows().empty(); }, 10s);
    {
        std::lock_guard lock(watchdogMutex_);
        testOver_ = true;
    }
    watchdogCancelled_.notify_all();
    watchdog_.join();
}

bool ShellTest::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const bool met = hooks::RunMainLoopUntil(done, timeout);
    EXPECT_TRUE(met) << "condition not met in time";
    return met;
}

void ShellTest::Settle(std::chrono::milliseconds duration) {
    hooks::RunMainLoopUntil([] { return false; }, duration);
}

std::unique_ptr<ImageRecord> ShellTest::MakeRecord(int width, int height, const std::string& title,
                                                   std::uint8_t (*shade)(int x, int y)) {
    auto record = std::make_unique<ImageRecord>();
    record->width = width;
    record->height = height;
    record->title = title;
    record->pixels = PixelArray(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) record->pixels[static_cast<std::size_t>(y) * width + x] = shade(x, y);
    }
    return record;
}

std::vector<hooks::WindowSnapshot> ShellTest::WindowsTitled(const std::string& title) {
    std::vector<hooks::WindowSnapshot> matching;
    for (auto& snapshot : hooks::TopLevelWindows()) {
        if (snapshot.title == title && !snapshot.isDialog) matching.push_back(std::move(snapshot));
    }
    return matching;
}

std::optional<platform::Window> ShellTest::WaitForNewWindowTitled(const std::string& title, std::size_t before) {
    if (!WaitUntil([&] { return WindowsTitled(title).size() > before; })) return std::nullopt;
    return WindowsTitled(title).back().window;
}

platform::Window ShellTest::OpenImageWindow(std::unique_ptr<ImageRecord> record) {
    const std::string title = record->title;
    const std::size_t before = WindowsTitled(title).size();
    StartImageWindow(std::move(record));
    return WaitForNewWindowTitled(title, before).value_or(platform::Window{});
}

std::vector<std::string> ShellTest::PerformanceLines() {
    return platform::ListLines(TheShellState().controlWindow, resources::control::PerformanceList);
}

platform::Window ShellTest::WaitForParameterDialog() const {
    platform::Window found;
    WaitUntil([&] {
        for (platform::Window dialog : hooks::OpenDialogs()) {
            if (dialog != control_) found = dialog;
        }
        return static_cast<bool>(found);
    });
    return found;
}

void ShellTest::ChooseFromPopup(platform::Window window, int command) {
    hooks::AnswerNextPopup(command);
    hooks::MouseOnClient(window, hooks::Mouse::RightRelease, {5, 5});
}

int GrayAt(const hooks::PresentedImage& image, int x, int y) {
    if (!image.valid(x, y)) return -1;
    const std::uint32_t pixel = image.pixel(x, y);
    const int red = static_cast<int>(pixel >> 16 & 0xff);
    const int green = static_cast<int>(pixel >> 8 & 0xff);
    const int blue = static_cast<int>(pixel & 0xff);
    if (red != green || green != blue) return -2;
    return red;
}

int PresentedGray(platform::Window window, int x, int y) {
    const auto snapshot = hooks::Snapshot(window);
    return snapshot ? GrayAt(snapshot->presented, x, y) : -1;
}

}  // namespace lumagrove::shell::test
