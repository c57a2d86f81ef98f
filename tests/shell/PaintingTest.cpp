#include <QPainter>

#include "DesktopTest.h"
#include "shell/ImagePainting.h"
#include "shell/ImageView.h"
#include "shell/WindowPlacement.h"

namespace lumagrove::shell::test {
namespace {

QImage GrayImage(int width, int height, int (*shade)(int x, int y)) {
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.scanLine(y)[x] = static_cast<uchar>(shade(x, y));
    }
    return image;
}

int Checkerboard(int x, int y) { return (x + y) % 2 == 0 ? 0 : 255; }
int Ramp(int x, int y) { return (3 * x + 7 * y) % 256; }

ShownImage ShownOf(const QImage& pixels) { return ShownImage{pixels, HalvingsOf(pixels)}; }

QImage Painted(const ShownImage& image, const ViewPlacement& view, QSize size, QRect area = {}) {
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::magenta);
    QPainter painter(&target);
    PaintImage(painter, image, view, area.isNull() ? target.rect() : area);
    return target;
}

// What an image window paints, whatever the window: its pixels at a zoom and
// scroll position, and the selection's outline.
class PaintingTest : public QObject {
    Q_OBJECT

private slots:
    void eachHalvingAveragesTheOneBeforeWithOddEdgesOnTheirOwn() {
        const std::vector<QImage> levels = HalvingsOf(GrayImage(5, 3, [](int x, int y) { return 10 * x + 100 * y; }));
        QCOMPARE(levels.size(), 3u);
        QCOMPARE(levels[0].size(), QSize(3, 2));
        QCOMPARE(levels[1].size(), QSize(2, 1));
        QCOMPARE(levels[2].size(), QSize(1, 1));
        QCOMPARE(GrayAt(levels[0], 0, 0), 55);   // (0 + 10 + 100 + 110) / 4
        QCOMPARE(GrayAt(levels[0], 2, 0), 90);   // the odd column: (40 + 140) / 2
        QCOMPARE(GrayAt(levels[0], 2, 1), 240);  // the odd corner alone
        QCOMPARE(GrayAt(levels[0], 0, 1), 205);  // the odd row: (200 + 210) / 2, rounded
        QCOMPARE(HalvingsOf(GrayImage(1, 1, Ramp)).size(), 0u);
        QCOMPARE(HalvingsOf(GrayImage(1000, 3, Ramp)).size(), static_cast<std::size_t>(kMostHalvings));
    }

    void zoomStepsArePowersOfTwoAndTheirHalvesAgain() {
        QCOMPARE(NextZoomStep(1.0, true), 1.5);
        QCOMPARE(NextZoomStep(1.5, true), 2.0);
        QCOMPARE(NextZoomStep(1.0, false), 0.75);
        QCOMPARE(NextZoomStep(0.75, false), 0.5);
        // A zoom that fits a window is rarely a step: the next one either way is.
        QCOMPARE(NextZoomStep(0.3155, true), 0.375);
        QCOMPARE(NextZoomStep(0.3155, false), 0.25);
        QCOMPARE(NextZoomStep(kLargestZoom, true), kLargestZoom);
        QCOMPARE(NextZoomStep(kSmallestZoom, false), kSmallestZoom);
    }

    void aViewThatFitsKeepsTheImageSizeAndOneThatDoesNotIsReducedToFit() {
        const QSize least(150, kLeastViewHeight);
        const ViewFit fits = FitView(QSize(640, 480), QSize(1600, 1000), least);
        QCOMPARE(fits.view, QSize(640, 480));
        QCOMPARE(fits.zoom, 1.0);

        const ViewFit photo = FitView(QSize(4000, 3000), QSize(1594, 1153), least);
        QCOMPARE(photo.zoom, 1153.0 / 3000.0);  // the height decides
        QCOMPARE(photo.view, QSize(1538, 1153));

        const ViewFit tall = FitView(QSize(300, 30000), QSize(1594, 1153), least);
        QCOMPARE(tall.zoom, 1153.0 / 30000.0);
        QCOMPARE(tall.view, QSize(150, 1153));  // never narrower than the menu bar

        QCOMPARE(FitView(QSize(2, 2), QSize(1594, 1153), least).view, QSize(150, kLeastViewHeight));
        QCOMPARE(FitView(QSize(4, 3), QSize(1594, 1153), least).view.height(), 64);

        // Beyond the smallest zoom the view fills the room and scrolls.
        const ViewFit line = FitView(QSize(2000000000, 1), QSize(1594, 1153), least);
        QCOMPARE(line.zoom, kSmallestZoom);
        QCOMPARE(line.view, QSize(1594, kLeastViewHeight));
    }

    void magnifiedPixelsStayCrispAtAnyScrollPosition() {
        const QImage shown =
            Painted(ShownOf(GrayImage(40, 30, Ramp)), ViewPlacement{4.0, QPoint(22, 9)}, QSize(60, 50));
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 60; ++x) QCOMPARE(GrayAt(shown, x, y), Ramp((x + 22) / 4, (y + 9) / 4));
        }
    }

    void actualPixelsAreCopiedUnchangedAndBeyondTheImageIsWhite() {
        const QImage shown = Painted(ShownOf(GrayImage(40, 30, Ramp)), ViewPlacement{1.0, QPoint(5, 3)}, QSize(50, 40));
        for (int y = 0; y < 27; ++y) {
            for (int x = 0; x < 35; ++x) QCOMPARE(GrayAt(shown, x, y), Ramp(x + 5, y + 3));
        }
        QCOMPARE(GrayAt(shown, 35, 10), 255);
        QCOMPARE(GrayAt(shown, 10, 27), 255);
    }

    void reducedImagesAreSmoothedNotSampled() {
        // Black and white pixels in turn are mid grey when reduced; skipping
        // pixels would show black or white.
        const ShownImage board = ShownOf(GrayImage(1024, 1024, Checkerboard));
        for (const double zoom : {0.5, 0.3, 1.0 / 16, 1.0 / 50}) {
            const QImage shown = Painted(board, ViewPlacement{zoom, QPoint(0, 0)}, QSize(12, 12));
            for (int y = 2; y < 10; ++y) {
                for (int x = 2; x < 10; ++x)
                    QVERIFY2(std::abs(GrayAt(shown, x, y) - 128) <= 2, qPrintable(QString::number(zoom)));
            }
        }
    }

    void onlyTheAreaAskedForIsPainted() {
        const QImage shown = Painted(ShownOf(GrayImage(40, 30, Ramp)), ViewPlacement{2.0, QPoint(0, 0)}, QSize(60, 50),
                                     QRect(10, 10, 20, 5));
        QCOMPARE(shown.pixel(9, 12), QColor(Qt::magenta).rgb());
        QCOMPARE(GrayAt(shown, 10, 10), Ramp(5, 5));
        QCOMPARE(shown.pixel(30, 12), QColor(Qt::magenta).rgb());
    }

    void theOutlineRunsThroughTheMiddleOfThePixelsItJoins() {
        QImage shown(48, 40, QImage::Format_RGB32);
        shown.fill(Qt::white);
        {
            QPainter painter(&shown);
            PaintOutline(painter, QPoint(2, 3), QPoint(6, 5), ViewPlacement{4.0, QPoint(0, 0)});
        }
        QVERIFY(IsOutlineRed(shown, 2 * 4 + 2, 3 * 4 + 2));
        QVERIFY(IsOutlineRed(shown, 6 * 4 + 2, 5 * 4 + 2));  // the last pixel joined
        QVERIFY(IsOutlineRed(shown, 4 * 4, 3 * 4 + 2));
        QCOMPARE(GrayAt(shown, 4 * 4, 3 * 4 + 1), 255);  // one view pixel wide
        QCOMPARE(GrayAt(shown, 7 * 4 + 2, 3 * 4 + 2), 255);
        QCOMPARE(GrayAt(shown, 4 * 4, 4 * 4 + 2), 255);  // nothing inside
    }
};

}  // namespace

LUMAGROVE_TEST_CLASS(PaintingTest);

}  // namespace lumagrove::shell::test

#include "PaintingTest.moc"
