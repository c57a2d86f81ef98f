#include "LayerTest.h"

#include <cstdio>
#include <cstdlib>

namespace lumagrove::platform::test {

namespace {
constexpr auto TestTimeBound = 60s;
}

void RunWindowLoop(Window window, const ManualResetEvent& stop) {
    while (WindowExists(window) && !stop.isSet()) {
        WaitForMessage();
        if (auto message = PollMessage()) DispatchMessage(*message);
    }
}

ThreadWindow::ThreadWindow(std::string className, Size outerSize, std::function<void(Window)> setUp)
    : shared_(std::make_shared<Shared>()),
      thread_([shared = shared_, className = std::move(className), outerSize, setUp = std::move(setUp)] {
          {
              std::lock_guard lock(shared->mutex);
              shared->thread = std::this_thread::get_id();
          }
          const Window window = CreateWindowOfClass(className, "Test Window", outerSize);
          if (setUp) setUp(window);
          shared->id = window.id;
          RunWindowLoop(window, shared->never);
      }) {}

ThreadWindow::~ThreadWindow() {
    close();
    testing::RunMainLoopUntil([this] { return finished(); });
}

Window ThreadWindow::window() const {
    testing::RunMainLoopUntil([this] { return shared_->id.load() != 0 || finished(); });
    return Window{shared_->id.load()};
}

std::thread::id ThreadWindow::threadId() const {
    window();
    std::lock_guard lock(shared_->mutex);
    return shared_->thread;
}

void ThreadWindow::close() const { PostMessage(Window{shared_->id.load()}, Msg::Close); }

void LayerTest::SetUp() {
    testing::ResetHooks();
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    watchdog_ = std::thread([this, name] {
        std::unique_lock lock(watchdogMutex_);
        if (!watchdogCancelled_.wait_for(lock, TestTimeBound, [this] { return testOver_; })) {
            std::fprintf(stderr, "%s did not finish within its time bound\n", name.c_str());
            std::_Exit(EXIT_FAILURE);
        }
    });
}

void LayerTest::TearDown() {
    // Windows left behind by a test would confuse the next one's listing.
    WaitUntil([] { return testing::TopLevelWindows().empty(); }, 5s);
    {
        std::lock_guard lock(watchdogMutex_);
        testOver_ = true;
    }
    watchdogCancelled_.notify_all();
    watchdog_.join();
}

std::string LayerTest::registerClass(WindowProcedure procedure, int menuResource, const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
    EXPECT_TRUE(RegisterWindowClass(WindowClass{name, std::move(procedure), menuResource}));
    return name;
}

}  // namespace lumagrove::platform::test
