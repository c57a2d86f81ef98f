#include "ShellTest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/Window.h"
#include "resources/ControlIds.h"
#include "shell/FileIntake.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"
#include "support/MenuIds.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using platform::Rect;

std::uint8_t Flat(int, int) { return 90; }

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// Each window is one step down and right of the one before, or back at the
// top left where one more step would have left the screen.
void ExpectCascade(const std::vector<Rect>& frames, const Rect& screen) {
    constexpr int kStep = 26;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const Rect& before = frames[i - 1];
        const Rect& now = frames[i];
        const bool stepped = now.x == before.x + kStep && now.y == before.y + kStep;
        const bool wrapped = now.x == screen.x && now.y == screen.y &&
                             (before.x + kStep + now.width > screen.x + screen.width ||
                              before.y + kStep + now.height > screen.y + screen.height);
        EXPECT_TRUE(stepped || wrapped) << "window " << i << " at " << now.x << "," << now.y << " after " << before.x
                                        << "," << before.y;
    }
}

TEST_F(ShellTest, NewWindowsCascadeAndStartOverBeforeLeavingTheScreenClearOfTheControlWindow) {
    const Rect screen = hooks::AvailableScreenArea();
    const Rect control = platform::WindowFrame(control_);
    EXPECT_EQ(control.x + control.width, screen.x + screen.width) << "the control window keeps the right edge";
    EXPECT_EQ(control.y, screen.y);
    const Rect imageArea{screen.x, screen.y, control.x - screen.x, screen.height};

    // Thirteen of these fit one cascade; the fifteenth starts another.
    std::vector<Rect> frames;
    for (int i = 0; i < 15; ++i) {
        const platform::Window window = OpenImageWindow(MakeRecord(1000, 700, "step.pgm", Flat));
        ASSERT_TRUE(window);
        frames.push_back(platform::WindowFrame(window));
        EXPECT_TRUE(Inside(frames.back(), imageArea)) << "window " << i;
        EXPECT_FALSE(Overlap(frames.back(), control)) << "window " << i;
    }
    ExpectCascade(frames, screen);
    EXPECT_TRUE(std::any_of(frames.begin(), frames.end(),
                            [&](const Rect& frame) { return frame.x == screen.x && frame.y == screen.y; }));
}

TEST_F(ShellTest, FourteenDroppedFilesOpenTheirWindowsInTheOrderOfTheDrop) {
    testing::TemporaryFolder folder;
    std::vector<std::string> names;
    // Listed against the alphabet, each of its own size.
    for (int i = 0; i < 14; ++i) {
        const int side = 20 + i;
        std::string pgm = "P5\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n";
        pgm.append(static_cast<std::size_t>(side) * side, static_cast<char>(10 * i));
        names.push_back(folder.write("file-" + std::string(1, static_cast<char>('z' - i)) + ".pgm", pgm));
    }
    hooks::DropFilesOn(control_, resources::control::DropList, names);
    ASSERT_TRUE(WaitUntil([&] {
        return std::all_of(names.begin(), names.end(),
                           [](const std::string& name) { return WindowsTitled(name).size() == 1; });
    }));

    std::vector<std::string> opened;
    std::vector<Rect> frames;
    for (const auto& window : hooks::TopLevelWindows()) {  // oldest first
        if (std::find(names.begin(), names.end(), window.title) == names.end()) continue;
        opened.push_back(window.title);
        frames.push_back(platform::WindowFrame(window.window));
    }
    EXPECT_EQ(opened, names);
    ExpectCascade(frames, hooks::AvailableScreenArea());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(PresentedGray(WindowsTitled(names[i]).front().window, 3, 3), static_cast<int>(10 * i)) << names[i];
    }
}

// The file arrives through a pipe that the test holds open: until it lets go,
// the reading cannot finish, and everything else must go on meanwhile.
TEST_F(ShellTest, AHugeImageLoadingLeavesTheOtherWindowsAnswering) {
    const platform::Window other = OpenImageWindow(MakeRecord(64, 48, "other.pgm", Flat));
    ASSERT_TRUE(other);
    testing::TemporaryFolder folder;
    const std::string pipe = folder.file("huge.pgm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int writer = open(pipe.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    // 16000 x 16000; the samples it never sends read as 255.
    const std::string header = "P5\n16000 16000\n255\n";
    ASSERT_EQ(write(writer, header.data(), header.size()), static_cast<ssize_t>(header.size()));
    LoadImageFile(pipe);

    ChooseFromPopup(other, lumagrove::testing::MenuId("Action > Negate"));
    const auto result = WaitForNewWindowTitled("Processed Image", 0);
    ASSERT_TRUE(result);
    EXPECT_TRUE(WaitUntil([&] { return PresentedGray(*result, 3, 3) == 255 - 90; }));
    hooks::MouseOnClient(other, hooks::Mouse::LeftPress, {3, 2});
    hooks::MouseOnClient(other, hooks::Mouse::LeftRelease, {30, 20});
    EXPECT_TRUE(WaitUntil([] { return TheSettings().snapshot().cutoffX == 30; }));
    hooks::AnswerNextFileDialog(std::nullopt);
    hooks::PressButton(control_, resources::control::LoadImage);
    EXPECT_TRUE(WaitUntil([] { return hooks::ShownFileDialogs().size() == 1; }));
    EXPECT_TRUE(WindowsTitled(pipe).empty()) << "still reading";

    hooks::AnswerNextMessageBox(platform::AnswerOk);  // the box that says the file was short
    close(writer);
    ASSERT_TRUE(WaitForNewWindowTitled(pipe, 0));
    const platform::Window huge = WindowsTitled(pipe).front().window;
    EXPECT_TRUE(WaitUntil([&] { return PresentedGray(huge, 5, 5) == 255; }, 60s));
    EXPECT_LT(hooks::Snapshot(huge)->zoom, 1.0);
}

}  // namespace
}  // namespace lumagrove::shell::test
