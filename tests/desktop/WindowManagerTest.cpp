#include <algorithm>

#include <QDialog>

#include "DesktopTest.h"
#include "X11Session.h"
#include "shell/ImageWindow.h"
#include "shell/WindowPlacement.h"

namespace lumagrove::shell::test {
namespace {

using desktop::test::X11Session;

std::uint8_t Flat(int, int) { return 90; }

bool Offers(const std::vector<std::string>& actions, const std::string& action) {
    return std::find(actions.begin(), actions.end(), action) != actions.end();
}

// The program's windows as the window manager framed them.
class WindowManagerTest : public DesktopTest {
    Q_OBJECT

    QRect framed(const std::string& title) {
        std::optional<QRect> frame;
        (void)QTest::qWaitFor(
            [&] {
                const auto window = x11_.managedWindowTitled(title);
                frame = window ? x11_.frameOf(*window) : std::nullopt;
                return frame.has_value();
            },
            kLongWait);
        return frame.value_or(QRect());
    }
    std::vector<std::string> actionsOf(const std::string& title) {
        std::vector<std::string> actions;
        (void)QTest::qWaitFor(
            [&] {
                const auto window = x11_.managedWindowTitled(title);
                actions = window ? x11_.allowedActions(*window) : std::vector<std::string>{};
                return !actions.empty();
            },
            kLongWait);
        return actions;
    }

    X11Session x11_;

private slots:
    void aPhotoLargerThanTheScreenKeepsItsWholeFrameOnItBesideTheControlWindow() {
        QVERIFY(x11_.windowManagerRuns());
        const QRect control = framed("Lumagrove");
        // At the right edge, give or take the difference between the assumed
        // frame and the one drawn.
        QVERIFY(control.right() <= x11_.screen().right());
        QVERIFY(control.right() >= x11_.screen().right() - 2 * kFrameBorder);
        QVERIFY(control.y() >= 0);  // its title bar shows

        const ImageWindow* window = openImage(MakeRecord(4000, 3000, "photo.pgm", Flat));
        QVERIFY(window);
        const QRect photo = framed(window->windowTitle().toStdString());  // with its zoom
        QVERIFY(x11_.screen().contains(photo));
        QVERIFY(!photo.intersects(control));
    }

    void cascadingWindowsStayOnTheScreenClearOfTheControlWindow() {
        const QRect control = framed("Lumagrove");
        for (int i = 0; i < 14; ++i) {
            const std::string title = "step-" + std::to_string(i) + ".pgm";
            QVERIFY(openImage(MakeRecord(900, 640, title, Flat)));
            const QRect frame = framed(title);
            QVERIFY2(x11_.screen().contains(frame), title.c_str());
            QVERIFY2(!frame.intersects(control), title.c_str());
        }
    }

    void fixedSizeWindowsOfferNeitherMinimiseNorMaximise() {
        const auto fixed = [](const std::vector<std::string>& actions) {
            return !actions.empty() && !Offers(actions, "_NET_WM_ACTION_MINIMIZE") &&
                   !Offers(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ") &&
                   !Offers(actions, "_NET_WM_ACTION_MAXIMIZE_VERT") && Offers(actions, "_NET_WM_ACTION_CLOSE");
        };
        QVERIFY(fixed(actionsOf("Lumagrove")));

        ImageWindow* image = openImage(MakeRecord(100, 100, "image.pgm", Flat));
        QVERIFY(image);
        QVERIFY(Offers(actionsOf("image.pgm"), "_NET_WM_ACTION_MAXIMIZE_HORZ"));  // image windows are resizable

        Choose(image, MenuId("Options > Set Threshold..."));
        QDialog* dialog = WaitForParameterDialog(image);
        QVERIFY(dialog);
        QVERIFY(fixed(actionsOf("Parameters")));
        Press(*dialog, "cancel");

        ChooseFromPopup(image, MenuId("Action > Convert to 3D"));  // refused with a message box
        QVERIFY(fixed(actionsOf("Error")));
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(WindowManagerTest);

}  // namespace lumagrove::shell::test

#include "WindowManagerTest.moc"
