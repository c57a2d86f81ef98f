#include <algorithm>
#include <cmath>
#include <set>

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

#include "DesktopTest.h"
#include "shell/ControlWindow.h"
#include "shell/ImageView.h"
#include "shell/ImageWindow.h"
#include "shell/SharedSettings.h"
#include "shell/WindowPlacement.h"
#include "support/OperationReferences.h"

namespace lumagrove::shell::test {
namespace {

// Blocks of 100 x 100 pixels: sampled in the middle of a block, a reduced
// view shows exactly the block's level.
std::uint8_t Blocks(int x, int y) { return static_cast<std::uint8_t>((x / 100) * 37 + (y / 100) * 91); }
std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>((x + 3 * y) % 256); }
std::uint8_t Scattered(int x, int y) { return static_cast<std::uint8_t>((x * 2654435761u + y * 40503u) >> 13); }
std::uint8_t Flat(int, int) { return 100; }

QWidget* Viewport(const ImageWindow* window) { return window->view()->viewport(); }

void ScrollTo(const ImageWindow* window, QPoint to) {
    window->view()->horizontalScrollBar()->setValue(to.x());
    window->view()->verticalScrollBar()->setValue(to.y());
}

void Zoom(const ImageWindow* window, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(window->view(), key, Qt::ControlModifier);
}

void TurnWheel(const ImageWindow* window, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
    QWidget* viewport = Viewport(window);
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

// Makes the window's view `size` large, as a user dragging its border would.
void ResizeView(ImageWindow* window, QSize size) {
    window->resize(size + QSize(0, window->menus()->height()));
    QTest::qWait(50);
}

// The image pixel under a point of the view, kept within the image.
QPoint PixelUnder(const ImageView& view, QPoint at, QSize image) {
    const auto along = [&](int point, int scroll, int side) {
        return std::clamp(static_cast<int>(std::floor((point + scroll) / view.zoom())), 0, side);
    };
    return QPoint(along(at.x(), view.scrollPosition().x(), image.width()),
                  along(at.y(), view.scrollPosition().y(), image.height()));
}

// The frame the window takes on the screen, as placement reckons it.
QRect Frame(const QWidget* window) { return QRect(window->pos(), window->size().grownBy(FrameMargins())); }

// How an image window shows its image, and what the mouse, the keys and the
// wheel do to it.
class ImageViewTest : public DesktopTest {
    Q_OBJECT

private slots:
    void anImageLargerThanTheScreenOpensReducedToFitAndScrollsAtActualPixels() {
        ImageWindow* window = openImage(MakeRecord(4000, 3000, "photo.pgm", Blocks));
        QVERIFY(window);
        const QRect frame = Frame(window);
        QVERIFY(PlacementArea().contains(frame));
        QVERIFY(!frame.intersects(control().frameGeometry()));

        const ImageView& view = *window->view();
        QVERIFY(view.zoom() < 1.0);
        const QSize port = view.viewport()->size();
        // The whole image shows, and fills the view one way.
        QVERIFY(4000 * view.zoom() <= port.width() + 1.0 && 3000 * view.zoom() <= port.height() + 1.0);
        QVERIFY(4000 * view.zoom() > port.width() - 1.0 || 3000 * view.zoom() > port.height() - 1.0);
        QImage shown = ShownView(window);
        for (const auto& [x, y] : {std::pair{150, 150}, {3950, 50}, {2050, 2950}, {3950, 2950}}) {
            QCOMPARE(GrayAt(shown, static_cast<int>(x * view.zoom()), static_cast<int>(y * view.zoom())), Blocks(x, y));
        }

        Zoom(window, Qt::Key_1);
        ScrollTo(window, QPoint(1234, 567));
        QCOMPARE(view.zoom(), 1.0);
        QCOMPARE(view.scrollPosition(), QPoint(1234, 567));
        QCOMPARE(Frame(window), frame);  // zooming leaves the window as it is
        shown = ShownView(window);
        for (const auto& [x, y] : {std::pair{0, 0}, {99, 33}, {65, 132}, {port.width() - 1, 7}}) {
            QCOMPARE(GrayAt(shown, x, y), Blocks(x + 1234, y + 567));
        }

        // Its result, as large, does not open exactly over it.
        ChooseFromPopup(window, MenuId("Action > Negate"));
        ImageWindow* result = waitForWindowTitled("Processed Image");
        QVERIFY(result);
        QVERIFY(result->pos() != window->pos());
    }

    void zoomKeysAndTheWheelStepAroundWhatTheUserLooksAt() {
        ImageWindow* window = openImage(MakeRecord(300, 200, "ramp.pgm", Ramp));
        QVERIFY(window);
        const ImageView& view = *window->view();
        QCOMPARE(view.zoom(), 1.0);  // an image that fits opens at its own size
        QCOMPARE(Viewport(window)->size(), QSize(300, 200));
        const std::pair<Qt::Key, double> steps[] = {{Qt::Key_Plus, 1.5},  {Qt::Key_Equal, 2.0},  {Qt::Key_Minus, 1.5},
                                                    {Qt::Key_Minus, 1.0}, {Qt::Key_Minus, 0.75}, {Qt::Key_1, 1.0}};
        for (const auto& [key, zoom] : steps) {
            Zoom(window, key);
            QCOMPARE(view.zoom(), zoom);
        }

        // A notch with Ctrl zooms about the point under the mouse.
        TurnWheel(window, QPoint(100, 50), 1, Qt::ControlModifier);
        QCOMPARE(view.zoom(), 1.5);
        QCOMPARE(view.scrollPosition(), QPoint(50, 25));
        const QImage shown = ShownView(window);
        QCOMPARE(GrayAt(shown, 100, 50), Ramp(100, 50));
        QCOMPARE(GrayAt(shown, 103, 50), Ramp(102, 50));  // pixels magnified, not blended
        // Without Ctrl the wheel scrolls down, and with Shift sideways.
        TurnWheel(window, QPoint(100, 50), -1, Qt::NoModifier);
        QCOMPARE(view.zoom(), 1.5);
        QVERIFY(view.scrollPosition().y() > 25);
        QCOMPARE(view.scrollPosition().x(), 50);
        const int down = view.scrollPosition().y();
        TurnWheel(window, QPoint(100, 50), -1, Qt::ShiftModifier);
        QVERIFY(view.scrollPosition().x() > 50);
        QCOMPARE(view.scrollPosition().y(), down);

        // Ctrl+0 fits the window, whatever its size now.
        ResizeView(window, QSize(600, 400));
        Zoom(window, Qt::Key_0);
        QCOMPARE(view.zoom(), 2.0);
        QCOMPARE(view.scrollPosition(), QPoint(0, 0));
        QCOMPARE(GrayAt(ShownView(window), 599, 399), Ramp(299, 199));
    }

    // Selected Area gives the same bytes however the image was looked at: the
    // corners are the image pixels pointed at, kept within the image, even
    // where the mouse was released outside the view.
    void selectionCornersAreTheImagePixelsPointedAtWhateverTheZoomAndScroll() {
        struct Look {
            Qt::Key key;  // pressed `presses` times to reach the zoom
            int presses;
            double zoom;
            QPoint scroll;
            QPoint press;
            QPoint release;
        };
        const Look looks[] = {
            {Qt::Key_Minus, 4, 0.25, {0, 0}, {20, 30}, {700, 500}},  // beyond the image
            {Qt::Key_1, 1, 1.0, {123, 77}, {5, 6}, {300, 200}},
            {Qt::Key_Plus, 4, 4.0, {1000, 700}, {13, 21}, {405, 333}},
            {Qt::Key_1, 1, 1.0, {200, 100}, {150, 120}, {-40, 900}},  // outside the view
        };
        constexpr int kWidth = 800;
        constexpr int kHeight = 600;
        const auto source = MakeRecord(kWidth, kHeight, "", Scattered);
        std::size_t results = 0;
        for (const Look& look : looks) {
            ImageWindow* window = openImage(MakeRecord(kWidth, kHeight, "scattered.pgm", Scattered));
            QVERIFY(window);
            if (look.zoom == 1.0) ResizeView(window, QSize(400, 300));
            Zoom(window, look.key, look.presses);
            QCOMPARE(window->view()->zoom(), look.zoom);
            ScrollTo(window, look.scroll);
            QCOMPARE(window->view()->scrollPosition(), look.scroll);
            const QPoint from = PixelUnder(*window->view(), look.press, QSize(kWidth, kHeight));
            const QPoint to = PixelUnder(*window->view(), look.release, QSize(kWidth, kHeight));
            QTest::mousePress(Viewport(window), Qt::LeftButton, {}, look.press);
            QTest::mouseMove(Viewport(window), (look.press + look.release) / 2);
            QTest::mouseRelease(Viewport(window), Qt::LeftButton, {}, look.release);
            QCOMPARE(TheSettings().snapshot().cutoffX, to.x());
            QCOMPARE(TheSettings().snapshot().cutoffY, to.y());

            ChooseFromPopup(window, MenuId("Action > Histogram equalization > Selected Area"));
            ImageWindow* result = waitForWindowTitled("Processed Image", results++);
            QVERIFY(result);
            const ImageRecord expected =
                testing::FindReference("equalize-area")
                    ->expected(*source, {.fromX = from.x(), .fromY = from.y(), .toX = to.x(), .toY = to.y()});
            QCOMPARE(result->view()->zoom(), 1.0);
            const QImage shown = ShownView(result);
            int differing = 0;
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    differing += GrayAt(shown, x, y) != expected.pixels[static_cast<std::size_t>(y) * kWidth + x];
                }
            }
            QCOMPARE(differing, 0);
        }
    }

    // A side may be far longer than the 16 bits classic mouse messages had.
    void cornersBeyondSixtyFiveThousandPixelsArriveWhole() {
        ImageWindow* window = openImage(MakeRecord(90000, 3, "strip.pgm", Ramp));
        QVERIFY(window);
        const QPoint end(Viewport(window)->width() - 1, 1);
        const QPoint expected = PixelUnder(*window->view(), end, QSize(90000, 3));
        QVERIFY(expected.x() > 65535);
        QTest::mousePress(Viewport(window), Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(Viewport(window), Qt::LeftButton, {}, end);
        QCOMPARE(TheSettings().snapshot().cutoffX, expected.x());
    }

    void theOutlineFollowsADragAndEndsWhereTheMouseIsReleasedWherever() {
        ImageWindow* window = openImage(MakeRecord(200, 150, "flat.pgm", Flat));
        QVERIFY(window);
        // Larger than the image: the background shows right of and below it.
        ResizeView(window, QSize(300, 250));
        QWidget* viewport = Viewport(window);
        const auto shows = [&](const std::function<bool(const QImage&)>& condition) {
            return QTest::qWaitFor([&] { return condition(ShownView(window)); }, kLongWait);
        };

        // Released on the background: the corner is the image's edge.
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(280, 240));
        QVERIFY(
            shows([](const QImage& image) { return IsOutlineRed(image, 200, 80) && IsOutlineRed(image, 100, 150); }));
        QCOMPARE(TheSettings().snapshot().cutoffX, 200);
        QCOMPARE(TheSettings().snapshot().cutoffY, 150);

        // A new press starts a new outline; the old one goes, background included.
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(shows([](const QImage& image) {
            return GrayAt(image, 200, 80) == 255 && GrayAt(image, 100, 150) == 255 && GrayAt(image, 100, 10) == 100;
        }));
        QTest::mouseMove(viewport, QPoint(120, 90));
        QVERIFY(shows([](const QImage& image) { return IsOutlineRed(image, 120, 50) && IsOutlineRed(image, 70, 90); }));
        QTest::mouseMove(viewport, QPoint(60, 40));
        QVERIFY(shows([](const QImage& image) {
            return IsOutlineRed(image, 60, 30) && GrayAt(image, 120, 50) == 100 && GrayAt(image, 70, 90) == 100;
        }));
        QCOMPARE(TheSettings().snapshot().cutoffX, 200);  // set only on release
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(60, 40));
        QCOMPARE(TheSettings().snapshot().cutoffX, 60);

        // A drag released outside the window ends at the image pixel nearest
        // to the mouse: the press corner stays, and the cut-off follows.
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(30, 30));
        QTest::mouseMove(viewport, QPoint(150, 120));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(-50, 120));
        QCOMPARE(window->view()->selectionFrom(), QPoint(30, 30));
        QCOMPARE(window->view()->selectionTo(), QPoint(0, 120));
        QCOMPARE(TheSettings().snapshot().cutoffX, 0);
        QCOMPARE(TheSettings().snapshot().cutoffY, 120);
        QVERIFY(shows([](const QImage& image) {
            return GrayAt(image, 150, 80) == 100 && IsOutlineRed(image, 15, 30) && IsOutlineRed(image, 0, 75);
        }));
    }

    // However small, an image sits at the top left of a view as wide as the
    // whole menu bar and at least 64 pixels tall.
    void aTinyImageSitsAtTheTopLeftUnderItsWholeMenuBar() {
        for (const QSize size : {QSize(2, 2), QSize(4, 3)}) {
            ImageWindow* window = openImage(MakeRecord(size.width(), size.height(), "tiny.pgm", Ramp));
            QVERIFY(window);
            QVERIFY(window->width() >= window->menus()->sizeHint().width());
            QCOMPARE(window->view()->zoom(), 1.0);
            QVERIFY(Viewport(window)->height() >= kLeastViewHeight);
            const QImage shown = ShownView(window);
            QCOMPARE(GrayAt(shown, 0, 0), Ramp(0, 0));
            QCOMPARE(GrayAt(shown, size.width() - 1, size.height() - 1), Ramp(size.width() - 1, size.height() - 1));
            QCOMPARE(GrayAt(shown, size.width(), 0), 255);
            QCOMPARE(GrayAt(shown, 0, size.height()), 255);
            // Nor can the user make it narrower.
            const int width = window->width();
            window->resize(20, 60);
            QCOMPARE(window->width(), width);
        }
    }

    // Each window is one step down and right of the one before, or starts a
    // new round where one more step would have left the screen; a round
    // starts one step right of the one before, so no window lands exactly on
    // another.
    void newWindowsCascadeClearOfTheControlWindowAndNeverExactlyOnAnother() {
        const QRect area = PlacementArea();
        const QRect control = this->control().frameGeometry();
        // At the right edge, give or take the frame assumed around it.
        QVERIFY(control.right() >= QGuiApplication::primaryScreen()->availableGeometry().right() - 2 * kFrameBorder);
        QVERIFY(!area.intersects(control));

        std::vector<QRect> frames;
        for (int i = 0; i < 16; ++i) {
            ImageWindow* window = openImage(MakeRecord(600, 900, "step.pgm", Flat));
            QVERIFY(window);
            frames.push_back(Frame(window));
            QVERIFY2(area.contains(frames.back()), qPrintable(QString::number(i)));
        }
        int rounds = 0;
        for (std::size_t i = 1; i < frames.size(); ++i) {
            const QPoint before = frames[i - 1].topLeft();
            const QPoint now = frames[i].topLeft();
            const bool stepped = now == before + QPoint(kCascadeStep, kCascadeStep);
            const bool newRound =
                now.y() == area.y() && before.y() + kCascadeStep + frames[i].height() > area.bottom() + 1;
            QVERIFY2(stepped || newRound, qPrintable(QString("window %1 at %2,%3").arg(i).arg(now.x()).arg(now.y())));
            rounds += newRound ? 1 : 0;
        }
        QVERIFY(rounds >= 2);
        const std::set<std::pair<int, int>> distinct = [&] {
            std::set<std::pair<int, int>> points;
            for (const QRect& frame : frames) points.emplace(frame.x(), frame.y());
            return points;
        }();
        QCOMPARE(distinct.size(), frames.size());
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(ImageViewTest);

}  // namespace lumagrove::shell::test

#include "ImageViewTest.moc"
