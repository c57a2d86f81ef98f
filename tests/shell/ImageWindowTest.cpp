#include "ShellTest.h"

#include "platform/Dialog.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"
#include "support/MenuIds.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using hooks::Mouse;
using lumagrove::testing::MenuId;

std::uint8_t Diagonal(int x, int y) { return static_cast<std::uint8_t>((x + 2 * y) % 256); }
std::uint8_t Flat(int, int) { return 100; }

bool IsSelectionRed(platform::Window window, int x, int y) {
    const auto snapshot = hooks::Snapshot(window);
    return snapshot && snapshot->presented.pixel(x, y) == hooks::PresentedImage::Rgb(220, 0, 0);
}

TEST_F(ShellTest, AnImageWindowShowsTheImageAtItsSizeUnderItsTitle) {
    const platform::Window window = OpenImageWindow(MakeRecord(640, 480, "scan.pgm", Diagonal));
    ASSERT_TRUE(window);
    const auto snapshot = hooks::Snapshot(window);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->outerSize, (platform::Size{646, 525}));
    EXPECT_EQ(snapshot->title, "scan.pgm");
    EXPECT_EQ(TheShellState().openWindowCount.load(), 1);
    // (0, 0) included: the outline that has collapsed there draws nothing.
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {639, 0}, {320, 240}, {0, 479}, {639, 479}}) {
        EXPECT_EQ(PresentedGray(window, x, y), Diagonal(x, y)) << x << "," << y;
    }
}

TEST_F(ShellTest, TheSelectionIsDrawnAsPressedAndReleasedAndSetsTheCutoff) {
    const platform::Window window = OpenImageWindow(MakeRecord(120, 100, "flat.pgm", Flat));
    ASSERT_TRUE(window);
    // Before any click the outline collapses to (0, 0).
    EXPECT_EQ(PresentedGray(window, 30, 40), 100);

    hooks::MouseOnClient(window, Mouse::LeftPress, {50, 40});
    hooks::MouseOnClient(window, Mouse::LeftRelease, {10, 90});
    ASSERT_TRUE(WaitUntil([&] { return IsSelectionRed(window, 30, 40); }));
    // Corners stay unordered: the outline runs through both as given.
    EXPECT_TRUE(IsSelectionRed(window, 50, 60));
    EXPECT_TRUE(IsSelectionRed(window, 10, 60));
    EXPECT_TRUE(IsSelectionRed(window, 30, 90));
    EXPECT_EQ(PresentedGray(window, 30, 60), 100);
    const Settings settings = TheSettings().snapshot();
    EXPECT_EQ(settings.cutoffX, 10);
    EXPECT_EQ(settings.cutoffY, 90);
}

TEST_F(ShellTest, TheLastWindowReleasesTheMenuAndTheNextOneLoadsItAgain) {
    const platform::Window first = OpenImageWindow(MakeRecord(40, 30, "first.pgm", Flat));
    ASSERT_TRUE(first);
    EXPECT_FALSE(TheShellState().contextMenu.isNull());
    hooks::ChooseFromMenuBar(first, MenuId("File > Close"));
    ASSERT_TRUE(WaitUntil([] { return TheShellState().openWindowCount.load() == 0; }));
    EXPECT_TRUE(TheShellState().contextMenu.isNull());

    const platform::Window second = OpenImageWindow(MakeRecord(40, 30, "second.pgm", Flat));
    ASSERT_TRUE(second);
    ChooseFromPopup(second, MenuId("Action > Negate"));
    const auto result = WaitForNewWindowTitled("Processed Image", 0);
    ASSERT_TRUE(result);
    EXPECT_EQ(PresentedGray(*result, 5, 5), 155);
    const auto popups = hooks::ShownPopups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0].items.front(), "Negate");  // the "&Action" popup only
}

TEST_F(ShellTest, TheCloseAllEventEndsWindowsThatReceiveNoMessage) {
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(OpenImageWindow(MakeRecord(30, 20, "idle.pgm", Flat)));
    EXPECT_EQ(TheShellState().openWindowCount.load(), 4);
    TheShellState().closeAllEvent.set();
    EXPECT_TRUE(WaitUntil([] { return TheShellState().openWindowCount.load() == 0; }));
    EXPECT_TRUE(WindowsTitled("idle.pgm").empty());
}

}  // namespace
}  // namespace lumagrove::shell::test
