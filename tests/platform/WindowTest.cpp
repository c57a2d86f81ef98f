#include <QColor>

#include "LayerTest.h"
#include "platform/Painting.h"
#include "platform/Surface.h"
#include "resources/ControlIds.h"

namespace lumagrove::platform::test {
namespace {

using testing::Mouse;

constexpr Msg Double = PrivateMessage(0);

// Logs every message and answers `Double` with twice its word parameter.
WindowProcedure LoggingProcedure(const std::shared_ptr<MessageLog>& log) {
    return [log](Window window, Msg id, WordParam word, LongParam data) -> Result {
        log->add(id, word, data);
        if (id == Double) return static_cast<Result>(word * 2);
        return DefaultWindowProcedure(window, id, word, data);
    };
}

class WindowTest : public LayerTest {};

TEST_F(WindowTest, WindowMadeOnAThreadIsPlacedTitledAndRunsItsProcedureThere) {
    auto log = std::make_shared<MessageLog>();
    const std::string name = registerClass(LoggingProcedure(log), resources::ImageWindowMenu);
    ThreadWindow image(name, Size{300, 200}, [](Window window) {
        const Rect frame = WindowFrame(window);
        PlaceWindow(window, Rect{frame.x, frame.y, 640 + 6, 480 + 45}, true);
        SetWindowTitle(window, "scan.pgm");
        ShowWindow(window);
    });
    const Window window = image.window();
    ASSERT_TRUE(window);

    ASSERT_TRUE(WaitUntil([&] {
        const auto shown = testing::Snapshot(window);
        return shown && shown->visible && shown->title == "scan.pgm";
    }));
    const auto shown = testing::Snapshot(window);
    EXPECT_EQ(shown->outerSize, (Size{646, 525}));
    EXPECT_EQ(shown->clientSize, (Size{640, 480}));
    EXPECT_EQ(WindowFrame(window).width, 646);
    EXPECT_EQ(WindowFrame(window).height, 525);

    ASSERT_EQ(log->count(Msg::Create), 1u);
    EXPECT_EQ(log->of(Msg::Create)[0].thread, image.threadId());

    EXPECT_EQ(SendMessage(window, Double, 21), 42);
    ASSERT_TRUE(PostMessage(window, Msg::LeftDown, 0, PackPoint(50, 40)));
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::LeftDown) == 1; }));
    const Seen press = log->of(Msg::LeftDown)[0];
    EXPECT_EQ(press.thread, image.threadId());
    EXPECT_EQ(PointX(press.data), 50);
    EXPECT_EQ(PointY(press.data), 40);
    EXPECT_EQ(PointX(PackPoint(70000, 3)), 70000) << "sides beyond 16 bits";
    EXPECT_EQ(PointY(PackPoint(3, 100000)), 100000);
    for (const Seen& seen : log->of(Double)) EXPECT_EQ(seen.thread, image.threadId());
}

TEST_F(WindowTest, CloseBoxDestroysTheWindowThroughItsProcedure) {
    auto log = std::make_shared<MessageLog>();
    ThreadWindow image(registerClass(LoggingProcedure(log)), Size{200, 100}, [](Window window) { ShowWindow(window); });
    const Window window = image.window();
    ASSERT_TRUE(testing::CloseBoxClicked(window));
    ASSERT_TRUE(WaitUntil([&] { return image.finished(); }));
    EXPECT_FALSE(WindowExists(window));
    EXPECT_EQ(log->count(Msg::Close), 1u);
    EXPECT_EQ(log->count(Msg::Destroy), 1u);
    EXPECT_FALSE(PostMessage(window, Msg::Close));
    EXPECT_EQ(SendMessage(window, Double, 1), 0);
}

TEST_F(WindowTest, MouseOnTheClientAreaArrivesAsPackedCoordinates) {
    auto log = std::make_shared<MessageLog>();
    ThreadWindow image(registerClass(LoggingProcedure(log), resources::ImageWindowMenu), Size{206, 145},
                       [](Window window) { ShowWindow(window); });
    const Window window = image.window();
    ASSERT_TRUE(WaitUntil([&] { return testing::Snapshot(window) && testing::Snapshot(window)->visible; }));

    testing::MouseOnClient(window, Mouse::LeftPress, Point{50, 40});
    testing::MouseOnClient(window, Mouse::LeftRelease, Point{10, 90});
    // A release outside the window belongs to whatever is there, not to it.
    testing::MouseOnClient(window, Mouse::LeftPress, Point{20, 30});
    testing::MouseOnClient(window, Mouse::LeftRelease, Point{500, 900});
    testing::MouseOnClient(window, Mouse::RightRelease, Point{7, 8});
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::RightUp) == 1; }));

    ASSERT_EQ(log->count(Msg::LeftDown), 2u);
    ASSERT_EQ(log->count(Msg::LeftUp), 1u);
    EXPECT_EQ(log->of(Msg::LeftDown)[0].data, PackPoint(50, 40));
    EXPECT_EQ(log->of(Msg::LeftUp)[0].data, PackPoint(10, 90));
    EXPECT_EQ(log->of(Msg::LeftDown)[1].data, PackPoint(20, 30));
    EXPECT_EQ(log->of(Msg::RightUp)[0].data, PackPoint(7, 8));
    EXPECT_EQ(log->of(Msg::RightUp)[0].thread, image.threadId());
}

TEST_F(WindowTest, PaintedSurfaceAndPenLinesAreWhatTheWindowPresents) {
    constexpr int width = 64;
    constexpr int height = 48;
    auto gray = std::make_shared<std::vector<std::uint8_t>>(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) (*gray)[y * width + x] = static_cast<std::uint8_t>(x * 3 + y);
    }
    auto surface = std::make_shared<Surface>(width, height);
    const auto paint = [surface](Window window, Msg id, WordParam word, LongParam data) -> Result {
        if (id != Msg::Paint) return DefaultWindowProcedure(window, id, word, data);
        PaintSession session(window);
        session.copyFrom(*surface, 0, 0, width, height);
        session.selectPen(Pen{Rgb{220, 0, 0}, 1});
        session.moveTo(50, 40);
        session.lineTo(50, 10);
        session.lineTo(10, 10);
        session.lineTo(10, 40);
        session.lineTo(50, 40);
        return 0;
    };
    // The client area is larger than the image, so the class's white shows beside it.
    ThreadWindow image(registerClass(paint, resources::ImageWindowMenu), Size{width + 26, height + 65},
                       [&](Window window) {
                           *surface = Surface::Over(*gray, width, height, gray);
                           ShowWindow(window);
                       });
    const Window window = image.window();
    ASSERT_TRUE(WaitUntil([&] {
        const auto shown = testing::Snapshot(window);
        return shown && QColor(shown->presented.pixel(50, 20)) == QColor(220, 0, 0);
    }));
    const testing::PresentedImage presented = testing::Snapshot(window)->presented;
    // As tall as asked; at least as wide, as the menu bar may be wider.
    ASSERT_EQ(presented.height, height + 20);
    ASSERT_GE(presented.width, width + 20);
    EXPECT_EQ(QColor(presented.pixel(0, 0)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(presented.pixel(5, 3)), QColor(18, 18, 18));
    EXPECT_EQ(QColor(presented.pixel(63, 47)), QColor(236, 236, 236));
    EXPECT_EQ(QColor(presented.pixel(30, 20)), QColor(110, 110, 110)) << "inside the outline";
    for (const Point corner : {Point{10, 10}, Point{50, 10}, Point{10, 40}, Point{50, 40}, Point{30, 10}}) {
        EXPECT_EQ(QColor(presented.pixel(corner.x, corner.y)), QColor(220, 0, 0)) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(QColor(presented.pixel(70, 20)), QColor(Qt::white));
}

TEST_F(WindowTest, InvalidatingRepaintsOnceTheQueueIsEmpty) {
    constexpr Msg Hold = PrivateMessage(2);
    auto log = std::make_shared<MessageLog>();
    auto released = std::make_shared<std::atomic<bool>>(false);
    const auto logging = LoggingProcedure(log);
    const auto procedure = [logging, released](Window window, Msg id, WordParam word, LongParam data) -> Result {
        // Keeps the thread busy while the test queues up work for it.
        while (id == Hold && !*released) std::this_thread::sleep_for(1ms);
        return logging(window, id, word, data);
    };
    ThreadWindow image(registerClass(procedure), Size{100, 100});
    const Window window = image.window();
    ASSERT_TRUE(WaitUntil([&] { return testing::Snapshot(window).has_value(); }));

    PostMessage(window, Hold);
    PostMessage(window, Double, 1);
    Invalidate(window);
    Invalidate(window);
    *released = true;
    ASSERT_TRUE(WaitUntil([&] { return log->count(Msg::Paint) == 1; }));
    EXPECT_EQ(log->count(Double), 1u) << "posted messages come before the paint";
    testing::RunMainLoopUntil([] { return false; }, 100ms);
    EXPECT_EQ(log->count(Msg::Paint), 1u) << "one paint validates the window";
}

TEST_F(WindowTest, WindowsGoWithTheirThread) {
    auto log = std::make_shared<MessageLog>();
    const std::string name = registerClass(LoggingProcedure(log));
    std::atomic<std::uint32_t> made{0};
    LayerThread thread([&] {
        const Window window = CreateWindowOfClass(name, "Left behind", Size{100, 100});
        ShowWindow(window);
        made = window.id;
    });
    ASSERT_TRUE(WaitUntil([&] { return thread.finished(); }));
    ASSERT_TRUE(WaitUntil([&] { return !WindowExists(Window{made}); }));
    EXPECT_TRUE(WaitUntil([] { return testing::TopLevelWindows().empty(); }));
    EXPECT_EQ(log->count(Msg::Destroy), 0u) << "no procedure runs on a thread that has ended";
}

TEST_F(WindowTest, OnlyTheOwningThreadDestroysAndAProcedureMayRefuseCreation) {
    const std::string refusing =
        registerClass([](Window, Msg id, WordParam, LongParam) -> Result { return id == Msg::Create ? -1 : 0; });
    EXPECT_FALSE(CreateWindowOfClass(refusing, "No", Size{100, 100}));
    EXPECT_FALSE(CreateWindowOfClass("no such class", "No", Size{100, 100}));
    EXPECT_FALSE(RegisterWindowClass(WindowClass{refusing, {}, 0})) << "the first registration stays";

    auto log = std::make_shared<MessageLog>();
    ThreadWindow image(registerClass(LoggingProcedure(log), 0, "logging"), Size{100, 100});
    EXPECT_FALSE(DestroyWindow(image.window()));
    EXPECT_TRUE(WindowExists(image.window()));
}

TEST_F(WindowTest, TwoThreadsSendingToEachOtherBothGetAnswers) {
    constexpr Msg AskOther = PrivateMessage(1);
    std::atomic<std::uint32_t> first{0};
    std::atomic<std::uint32_t> second{0};
    std::atomic<int> answers{0};
    std::atomic<Result> sum{0};
    const auto procedure = [&](Window window, Msg id, WordParam word, LongParam data) -> Result {
        if (id == Double) return static_cast<Result>(word * 2);
        if (id != AskOther) return DefaultWindowProcedure(window, id, word, data);
        // Both threads are inside a send to the other at the same time.
        const Window other{window.id == first ? second.load() : first.load()};
        sum += SendMessage(other, Double, word);
        ++answers;
        return 0;
    };
    const std::string name = registerClass(procedure);
    ThreadWindow a(name, Size{100, 100});
    ThreadWindow b(name, Size{100, 100});
    first = a.window().id;
    second = b.window().id;
    PostMessage(a.window(), AskOther, 5);
    PostMessage(b.window(), AskOther, 7);
    ASSERT_TRUE(WaitUntil([&] { return answers == 2; }));
    EXPECT_EQ(sum, 24);
}

TEST_F(WindowTest, ASurfaceOverGrayRowsShowsThemAndCopiesThemBeforeAWrite) {
    constexpr int width = 37;
    constexpr int height = 23;
    auto gray = std::make_shared<std::vector<std::uint8_t>>(width * height);
    for (std::size_t i = 0; i < gray->size(); ++i) (*gray)[i] = static_cast<std::uint8_t>(i * 7919 % 256);
    Surface over = Surface::Over(*gray, width, height, gray);
    ASSERT_EQ(over.width(), width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) ASSERT_EQ(over.pixel(x, y), (*gray)[y * width + x]) << x << "," << y;
    }
    const std::weak_ptr<std::vector<std::uint8_t>> rows = gray;
    gray.reset();
    ASSERT_FALSE(rows.expired()) << "the surface keeps the rows it shows";
    const auto kept = rows.lock();
    const std::uint8_t before = (*kept)[0];
    over.setPixel(0, 0, static_cast<std::uint8_t>(before + 1));
    EXPECT_EQ(over.pixel(0, 0), static_cast<std::uint8_t>(before + 1));
    EXPECT_EQ(over.pixel(1, 0), (*kept)[1]);
    EXPECT_EQ((*kept)[0], before) << "the rows are never written";

    // Too few bytes for the size given: nothing is read past them.
    const std::vector<std::uint8_t> three(3, 0);
    Surface white = Surface::Over(three, 2, 2, nullptr);
    EXPECT_EQ(white.pixel(1, 1), 255);
    white.setPixel(-1, 0, 0);
    white.setPixel(2, 0, 0);
    EXPECT_EQ(white.pixel(0, 0), 255);
    EXPECT_EQ(white.pixel(2, 0), 0) << "nothing outside";
}

}  // namespace
}  // namespace lumagrove::platform::test
