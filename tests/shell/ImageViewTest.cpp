#include "ShellTest.h"

#include <cmath>

#include "platform/Window.h"
#include "shell/SharedSettings.h"
#include "support/MenuIds.h"
#include "support/OperationReferences.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using hooks::Mouse;
using platform::Point;

// Blocks of 100 x 100 pixels: sampled in the middle of a block, a reduced
// view shows exactly the block's level.
std::uint8_t Blocks(int x, int y) { return static_cast<std::uint8_t>((x / 100) * 37 + (y / 100) * 91); }
std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>((x + 3 * y) % 256); }
std::uint8_t Scattered(int x, int y) { return static_cast<std::uint8_t>((x * 2654435761u + y * 40503u) >> 13); }
std::uint8_t Flat(int, int) { return 100; }

bool IsRed(const hooks::PresentedImage& image, int x, int y) {
    return image.valid(x, y) && image.pixel(x, y) == hooks::PresentedImage::Rgb(220, 0, 0);
}

hooks::WindowSnapshot SnapshotOf(platform::Window window) {
    auto snapshot = hooks::Snapshot(window);
    EXPECT_TRUE(snapshot.has_value());
    return snapshot.value_or(hooks::WindowSnapshot{});
}

// The client pixel under a point of the view, as the user expects it.
Point ClientPixel(const hooks::WindowSnapshot& view, Point at, Point size) {
    const auto along = [&](int point, int scroll, int side) {
        return std::clamp(static_cast<int>(std::floor((point + scroll) / view.zoom)), 0, side);
    };
    return Point{along(at.x, view.scroll.x, size.x), along(at.y, view.scroll.y, size.y)};
}

bool ZoomIs(platform::Window window, double zoom) { return std::abs(SnapshotOf(window).zoom - zoom) < 1e-9; }

TEST_F(ShellTest, AnImageLargerThanTheScreenOpensReducedToFitAndScrollsAtActualPixels) {
    const platform::Window window = OpenImageWindow(MakeRecord(4000, 3000, "photo.pgm", Blocks));
    ASSERT_TRUE(window);
    const platform::Rect frame = platform::WindowFrame(window);
    const platform::Rect screen = hooks::AvailableScreenArea();
    const platform::Rect control = platform::WindowFrame(control_);
    EXPECT_GE(frame.x, screen.x);
    EXPECT_GE(frame.y, screen.y);
    EXPECT_LE(frame.x + frame.width, control.x) << "beside the control window, not over it";
    EXPECT_LE(frame.y + frame.height, screen.y + screen.height);

    ASSERT_TRUE(WaitUntil([&] { return GrayAt(SnapshotOf(window).presented, 5, 5) == Blocks(0, 0); }));
    hooks::WindowSnapshot shown = SnapshotOf(window);
    ASSERT_LT(shown.zoom, 1.0);
    // The whole image shows, and fills the view one way.
    EXPECT_LE(4000 * shown.zoom, shown.clientSize.width + 1.0);
    EXPECT_LE(3000 * shown.zoom, shown.clientSize.height + 1.0);
    EXPECT_TRUE(4000 * shown.zoom > shown.clientSize.width - 1.0 || 3000 * shown.zoom > shown.clientSize.height - 1.0);
    for (const auto& [x, y] : {std::pair{150, 150}, {3950, 50}, {2050, 2950}, {3950, 2950}}) {
        const int viewX = static_cast<int>(x * shown.zoom);
        const int viewY = static_cast<int>(y * shown.zoom);
        EXPECT_EQ(GrayAt(shown.presented, viewX, viewY), Blocks(x, y)) << x << "," << y;
    }

    ASSERT_TRUE(hooks::PressKeys(window, "Ctrl+1"));
    ASSERT_TRUE(hooks::ScrollViewTo(window, {1234, 567}));
    shown = SnapshotOf(window);
    EXPECT_EQ(shown.zoom, 1.0);
    EXPECT_EQ(shown.scroll, (Point{1234, 567}));
    EXPECT_EQ(platform::WindowFrame(window), frame) << "zooming leaves the window as it is";
    for (const auto& [x, y] : {std::pair{0, 0}, {99, 33}, {65, 132}, {shown.clientSize.width - 1, 7}}) {
        EXPECT_EQ(GrayAt(shown.presented, x, y), Blocks(x + 1234, y + 567)) << x << "," << y;
    }
}

TEST_F(ShellTest, ZoomKeysAndTheWheelStepAroundWhatTheUserLooksAt) {
    const platform::Window window = OpenImageWindow(MakeRecord(300, 200, "ramp.pgm", Ramp));
    ASSERT_TRUE(window);
    EXPECT_EQ(SnapshotOf(window).zoom, 1.0) << "an image that fits opens at its own size";

    const std::pair<const char*, double> steps[] = {{"Ctrl++", 1.5}, {"Ctrl+=", 2.0},  {"Ctrl+-", 1.5},
                                                    {"Ctrl+-", 1.0}, {"Ctrl+-", 0.75}, {"Ctrl+1", 1.0}};
    for (const auto& [keys, zoom] : steps) {
        ASSERT_TRUE(hooks::PressKeys(window, keys));
        EXPECT_TRUE(ZoomIs(window, zoom)) << keys << " gave " << SnapshotOf(window).zoom;
    }

    // A notch with Ctrl zooms about the point under the mouse.
    ASSERT_TRUE(hooks::TurnWheel(window, {100, 50}, 1, true));
    hooks::WindowSnapshot shown = SnapshotOf(window);
    EXPECT_EQ(shown.zoom, 1.5);
    EXPECT_EQ(shown.scroll, (Point{50, 25}));
    EXPECT_EQ(GrayAt(shown.presented, 100, 50), Ramp(100, 50));
    EXPECT_EQ(GrayAt(shown.presented, 103, 50), Ramp(102, 50)) << "pixels magnified, not blended";
    // Without Ctrl the wheel scrolls.
    ASSERT_TRUE(hooks::TurnWheel(window, {100, 50}, -1, false));
    EXPECT_EQ(SnapshotOf(window).zoom, 1.5);
    EXPECT_GT(SnapshotOf(window).scroll.y, 25);

    // "0" fits the window, whatever its size now.
    ASSERT_TRUE(hooks::ResizeByUser(window, {606, 445}));
    ASSERT_TRUE(hooks::PressKeys(window, "Ctrl+0"));
    shown = SnapshotOf(window);
    EXPECT_EQ(shown.zoom, 2.0);
    EXPECT_EQ(shown.scroll, (Point{0, 0}));
    EXPECT_EQ(GrayAt(shown.presented, 599, 399), Ramp(299, 199));
}

// The same command gives the same bytes however the image was looked at:
// corners are the image pixels the user pointed at, kept within the image.
TEST_F(ShellTest, SelectionCornersAreTheImagePixelsPointedAtWhateverTheZoomAndScroll) {
    struct Look {
        const char* keys;  // pressed in turn to reach the zoom
        int presses;
        double zoom;
        Point scroll;
        Point press;
        Point release;
    };
    const Look looks[] = {
        {"Ctrl+-", 4, 0.25, {0, 0}, {20, 30}, {700, 500}},  // released beyond the image
        {"Ctrl+1", 1, 1.0, {123, 77}, {5, 6}, {300, 200}},  // in a window made smaller
        {"Ctrl++", 4, 4.0, {1000, 700}, {13, 21}, {405, 333}},
    };
    constexpr int kWidth = 800;
    constexpr int kHeight = 600;
    const auto source = MakeRecord(kWidth, kHeight, "", Scattered);
    std::size_t results = 0;
    for (const Look& look : looks) {
        const platform::Window window = OpenImageWindow(MakeRecord(kWidth, kHeight, "scattered.pgm", Scattered));
        ASSERT_TRUE(window);
        if (look.zoom == 1.0) {
            ASSERT_TRUE(hooks::ResizeByUser(window, {406, 345}));
        }
        for (int i = 0; i < look.presses; ++i) hooks::PressKeys(window, look.keys);
        ASSERT_TRUE(ZoomIs(window, look.zoom));
        hooks::ScrollViewTo(window, look.scroll);
        const hooks::WindowSnapshot view = SnapshotOf(window);
        ASSERT_EQ(view.scroll, look.scroll);
        const Point down = ClientPixel(view, look.press, {kWidth, kHeight});
        const Point up = ClientPixel(view, look.release, {kWidth, kHeight});

        hooks::MouseOnClient(window, Mouse::LeftPress, look.press);
        hooks::MouseOnClient(window, Mouse::LeftRelease, look.release);
        ASSERT_TRUE(WaitUntil([&] { return TheSettings().snapshot().cutoffX == up.x; }));
        EXPECT_EQ(TheSettings().snapshot().cutoffY, up.y);

        ChooseFromPopup(window, lumagrove::testing::MenuId("Action > Histogram equalization > Selected Area"));
        const auto result = WaitForNewWindowTitled("Processed Image", results++);
        ASSERT_TRUE(result);
        const ImageRecord expected =
            lumagrove::testing::FindReference("equalize-area")
                ->expected(*source, {.fromX = down.x, .fromY = down.y, .toX = up.x, .toY = up.y});
        ASSERT_TRUE(WaitUntil([&] { return GrayAt(SnapshotOf(*result).presented, 0, 0) >= 0; }));
        const hooks::WindowSnapshot shown = SnapshotOf(*result);
        ASSERT_EQ(shown.zoom, 1.0);
        int differing = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                differing += GrayAt(shown.presented, x, y) != expected.pixels[static_cast<std::size_t>(y) * kWidth + x];
            }
        }
        EXPECT_EQ(differing, 0) << "at zoom " << look.zoom;
    }
}

// A side may be far longer than the 16 bits classic mouse messages had.
TEST_F(ShellTest, CornersBeyondSixtyFiveThousandPixelsArriveWhole) {
    const platform::Window window = OpenImageWindow(MakeRecord(90000, 3, "strip.pgm", Ramp));
    ASSERT_TRUE(window);
    const hooks::WindowSnapshot view = SnapshotOf(window);
    const Point end{view.clientSize.width - 1, 0};
    const Point expected = ClientPixel(view, end, {90000, 3});
    ASSERT_GT(expected.x, 65535);
    hooks::MouseOnClient(window, Mouse::LeftPress, {0, 0});
    hooks::MouseOnClient(window, Mouse::LeftRelease, end);
    EXPECT_TRUE(WaitUntil([&] { return TheSettings().snapshot().cutoffX == expected.x; }))
        << TheSettings().snapshot().cutoffX;
}

TEST_F(ShellTest, TheOutlineFollowsADragAndLeavesNothingBehind) {
    const platform::Window window = OpenImageWindow(MakeRecord(200, 150, "flat.pgm", Flat));
    ASSERT_TRUE(window);
    // Larger than the image: the background shows right of and below it.
    ASSERT_TRUE(hooks::ResizeByUser(window, {306, 295}));
    const auto shows = [&](auto condition) {
        return WaitUntil([&] { return condition(SnapshotOf(window).presented); });
    };

    // Released on the background: the corner is the image's edge.
    hooks::MouseOnClient(window, Mouse::LeftPress, {10, 10});
    hooks::MouseOnClient(window, Mouse::LeftRelease, {280, 240});
    ASSERT_TRUE(shows([](const auto& image) { return IsRed(image, 200, 80) && IsRed(image, 100, 150); }));
    EXPECT_EQ(TheSettings().snapshot().cutoffX, 200);
    EXPECT_EQ(TheSettings().snapshot().cutoffY, 150);

    // A new press starts a new outline; the old one goes, background included.
    hooks::MouseOnClient(window, Mouse::LeftPress, {20, 20});
    ASSERT_TRUE(shows([](const auto& image) {
        return GrayAt(image, 200, 80) == 255 && GrayAt(image, 100, 150) == 255 && GrayAt(image, 100, 10) == 100;
    }));
    hooks::MouseOnClient(window, Mouse::LeftDrag, {120, 90});
    ASSERT_TRUE(shows([](const auto& image) { return IsRed(image, 120, 50) && IsRed(image, 70, 90); }));
    hooks::MouseOnClient(window, Mouse::LeftDrag, {60, 40});
    ASSERT_TRUE(shows([](const auto& image) {
        return IsRed(image, 60, 30) && GrayAt(image, 120, 50) == 100 && GrayAt(image, 70, 90) == 100;
    }));
    EXPECT_EQ(TheSettings().snapshot().cutoffX, 200) << "stored only on release";
    hooks::MouseOnClient(window, Mouse::LeftRelease, {60, 40});
    ASSERT_TRUE(WaitUntil([] { return TheSettings().snapshot().cutoffX == 60; }));

    // A drag that ends outside the window goes back to the stored outline.
    hooks::MouseOnClient(window, Mouse::LeftPress, {30, 30});
    hooks::MouseOnClient(window, Mouse::LeftDrag, {150, 120});
    ASSERT_TRUE(shows([](const auto& image) { return IsRed(image, 150, 80); }));
    hooks::MouseOnClient(window, Mouse::LeftRelease, {900, 900});
    ASSERT_TRUE(shows([](const auto& image) { return GrayAt(image, 150, 80) == 100 && IsRed(image, 45, 40); }));
    EXPECT_EQ(TheSettings().snapshot().cutoffX, 60);
}

TEST_F(ShellTest, ATinyImageSitsAtTheTopLeftUnderItsWholeMenuBar) {
    const platform::Window window = OpenImageWindow(MakeRecord(2, 2, "tiny.pgm", Ramp));
    ASSERT_TRUE(window);
    EXPECT_TRUE(hooks::WholeMenuBarShows(window));
    ASSERT_TRUE(WaitUntil([&] { return PresentedGray(window, 1, 1) == Ramp(1, 1); }));
    const hooks::WindowSnapshot shown = SnapshotOf(window);
    EXPECT_EQ(shown.zoom, 1.0);
    EXPECT_EQ(GrayAt(shown.presented, 0, 0), Ramp(0, 0));
    EXPECT_EQ(GrayAt(shown.presented, 2, 0), 255);
    EXPECT_EQ(shown.clientSize.height, 2);

    // Nor can the user make it narrower.
    ASSERT_TRUE(hooks::ResizeByUser(window, {20, 60}));
    EXPECT_TRUE(hooks::WholeMenuBarShows(window));
    EXPECT_EQ(SnapshotOf(window).outerSize.width, shown.outerSize.width);
}

}  // namespace
}  // namespace lumagrove::shell::test
