#include "ShellTest.h"
#include "X11Session.h"

#include <algorithm>

#include "support/MenuIds.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using desktop::test::X11Session;
using platform::Rect;

std::uint8_t Flat(int, int) { return 90; }

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Offers(const std::vector<std::string>& actions, const std::string& action) {
    return std::find(actions.begin(), actions.end(), action) != actions.end();
}

// The program's windows as the window manager framed them.
class WindowManagerTest : public ShellTest {
protected:
    Rect framed(const std::string& title) {
        std::optional<Rect> frame;
        WaitUntil([&] {
            const auto window = x11_.managedWindowTitled(title);
            frame = window ? x11_.frameOf(*window) : std::nullopt;
            return frame.has_value();
        });
        return frame.value_or(Rect{});
    }
    std::vector<std::string> actionsOf(const std::string& title) {
        std::vector<std::string> actions;
        WaitUntil([&] {
            const auto window = x11_.managedWindowTitled(title);
            actions = window ? x11_.allowedActions(*window) : std::vector<std::string>{};
            return !actions.empty();
        });
        return actions;
    }

    X11Session x11_;
};

TEST_F(WindowManagerTest, APhotoLargerThanTheScreenKeepsItsWholeFrameOnItBesideTheControlWindow) {
    ASSERT_TRUE(x11_.windowManagerRuns());
    const Rect control = framed("Lumagrove");
    // At the right edge, give or take the difference between the nominal
    // frame and the one drawn.
    EXPECT_LE(control.x + control.width, x11_.screen().width);
    EXPECT_GE(control.x + control.width, x11_.screen().width - 2 * platform::FrameBorder);
    EXPECT_GE(control.y, 0) << "its title bar shows";

    ASSERT_TRUE(OpenImageWindow(MakeRecord(4000, 3000, "photo.pgm", Flat)));
    const Rect photo = framed("photo.pgm");
    EXPECT_TRUE(Inside(photo, x11_.screen())) << photo.x << "," << photo.y << " " << photo.width << "x" << photo.height;
    EXPECT_FALSE(Overlap(photo, control));
}

TEST_F(WindowManagerTest, CascadingWindowsStayOnTheScreenClearOfTheControlWindow) {
    const Rect control = framed("Lumagrove");
    for (int i = 0; i < 14; ++i) {
        const std::string title = "step-" + std::to_string(i) + ".pgm";
        ASSERT_TRUE(OpenImageWindow(MakeRecord(900, 640, title, Flat)));
        const Rect frame = framed(title);
        EXPECT_TRUE(Inside(frame, x11_.screen())) << title;
        EXPECT_FALSE(Overlap(frame, control)) << title;
    }
}

TEST_F(WindowManagerTest, FixedSizeWindowsOfferNeitherMinimiseNorMaximise) {
    const auto fixed = [](const std::vector<std::string>& actions) {
        return !actions.empty() && !Offers(actions, "_NET_WM_ACTION_MINIMIZE") &&
               !Offers(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ") && !Offers(actions, "_NET_WM_ACTION_MAXIMIZE_VERT") &&
               Offers(actions, "_NET_WM_ACTION_CLOSE");
    };
    EXPECT_TRUE(fixed(actionsOf("Lumagrove")));

    const platform::Window image = OpenImageWindow(MakeRecord(100, 100, "image.pgm", Flat));
    ASSERT_TRUE(image);
    EXPECT_TRUE(Offers(actionsOf("image.pgm"), "_NET_WM_ACTION_MAXIMIZE_HORZ")) << "image windows are resizable";

    hooks::ChooseFromMenuBar(image, lumagrove::testing::MenuId("Options > Set Threshold..."));
    EXPECT_TRUE(fixed(actionsOf("Parameters")));
    for (const platform::Window dialog : hooks::OpenDialogs()) {
        if (dialog != control_) hooks::CloseBoxClicked(dialog);
    }

    ChooseFromPopup(image, lumagrove::testing::MenuId("Action > Convert to 3D"));  // refused with a message box
    EXPECT_TRUE(fixed(actionsOf("Error")));
}

}  // namespace
}  // namespace lumagrove::shell::test
