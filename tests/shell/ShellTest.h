#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "formats/ImageRecord.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"

namespace lumagrove::shell::test {

using namespace std::chrono_literals;

// Drives the desktop through the windowing layer on the offscreen platform.
// Every test runs under a time bound: a hang ends the run with the test's
// name instead of leaving CI stuck.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves the main thread until `done` holds; fails the test on time-out.
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 20s);
    // Serves the main thread for a while, for checks that nothing happens.
    static void Settle(std::chrono::milliseconds duration = 300ms);

    static std::unique_ptr<ImageRecord> MakeRecord(int width, int height, const std::string& title,
                                                   std::uint8_t (*shade)(int x, int y));
    // Opens an image window as the loader would and waits for it.
    static platform::Window OpenImageWindow(std::unique_ptr<ImageRecord> record);

    static std::vector<platform::testing::WindowSnapshot> WindowsTitled(const std::string& title);
    static std::optional<platform::Window> WaitForNewWindowTitled(const std::string& title, std::size_t before);
    static std::vector<std::string> PerformanceLines();

    // The dialog an image window opened (not the control window).
    platform::Window WaitForParameterDialog() const;

    // Right-clicks the window and picks `command` from the popup.
    static void ChooseFromPopup(platform::Window window, int command);

    platform::Window control_;

private:
    std::thread watchdog_;
    std::mutex watchdogMutex_;
    std::condition_variable watchdogCancelled_;
    bool testOver_ = false;
};

// The gray level the window shows at a point of its view; -1 outside it,
// -2 for a colour.
int PresentedGray(platform::Window window, int x, int y);
int GrayAt(const platform::testing::PresentedImage& image, int x, int y);

}  // namespace lumagrove::shell::test
