#include "LayerTest.h"

namespace lumagrove::platform::test {
namespace {

constexpr Msg Ping = PrivateMessage(7);

class ThreadsTest : public LayerTest {};

TEST_F(ThreadsTest, SleepingMainThreadStillAnswersOtherThreads) {
    std::atomic<int> answered{0};
    const std::string name = registerClass([&](Window window, Msg id, WordParam word, LongParam data) -> Result {
        if (id == Ping) return 7;
        return DefaultWindowProcedure(window, id, word, data);
    });
    // A window of the main thread, as the control window is.
    const Window control = CreateWindowOfClass(name, "Control", Size{200, 100});
    std::atomic<bool> sleeping{false};
    std::atomic<bool> sentDuringSleep{false};
    const LayerThread sender([&] {
        while (!sleeping) std::this_thread::sleep_for(1ms);
        answered = static_cast<int>(SendMessage(control, Ping));
        sentDuringSleep = sleeping.load();
    });
    sleeping = true;
    SleepFor(500ms);
    sleeping = false;
    EXPECT_EQ(answered, 7);
    EXPECT_TRUE(sentDuringSleep) << "the answer came while the main thread slept";
    ASSERT_TRUE(WaitUntil([&] { return sender.finished(); }));
    DestroyWindow(control);
}

TEST_F(ThreadsTest, InterruptingEventWakesAThreadWaitingForMessages) {
    ManualResetEvent closeAll(ManualResetEvent::Kind::InterruptsWindowThreads);
    ManualResetEvent plain;
    std::atomic<bool> waiting{false};
    const LayerThread idle([&, closeAll] {
        waiting = true;
        WaitForMessage();
    });
    ASSERT_TRUE(WaitUntil([&] { return waiting.load(); }));
    plain.set();
    testing::RunMainLoopUntil([] { return false; }, 100ms);
    EXPECT_FALSE(idle.finished()) << "a plain event does not wake it";
    closeAll.set();
    EXPECT_TRUE(WaitUntil([&] { return idle.finished(); }, 2s));
    closeAll.reset();
}

TEST_F(ThreadsTest, EventWaitsTimeOutOrSeeTheEvent) {
    ManualResetEvent event;
    EXPECT_FALSE(event.wait(20ms));
    const LayerThread setter([event]() mutable {
        std::this_thread::sleep_for(20ms);
        event.set();
    });
    EXPECT_TRUE(event.wait(5s));
    EXPECT_TRUE(event.isSet());
    EXPECT_TRUE(event.wait(0ms)) << "it stays set";
    event.reset();
    EXPECT_FALSE(event.isSet());
    ASSERT_TRUE(WaitUntil([&] { return setter.finished(); }));
}

TEST_F(ThreadsTest, QuitEndsTheLoopAfterThePostedMessages) {
    auto log = std::make_shared<MessageLog>();
    std::atomic<int> exitCode{-1};
    const std::string name = registerClass([log](Window window, Msg id, WordParam word, LongParam data) -> Result {
        log->add(id, word, data);
        if (id == Msg::Destroy) PostQuit(3);
        return DefaultWindowProcedure(window, id, word, data);
    });
    const LayerThread thread([&] {
        const Window window = CreateWindowOfClass(name, "Quit", Size{100, 100});
        PostMessage(window, Ping);
        PostMessage(window, Msg::Close);
        PostMessage(window, Ping);
        Message message;
        while (NextMessage(message)) DispatchMessage(message);
        if (message.id == Msg::Quit) exitCode = static_cast<int>(message.word);
    });
    ASSERT_TRUE(WaitUntil([&] { return thread.finished(); }));
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(log->count(Ping), 1u) << "the message after the window went reached nobody";
}

}  // namespace
}  // namespace lumagrove::platform::test
