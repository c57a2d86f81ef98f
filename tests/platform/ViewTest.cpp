#include <gtest/gtest.h>

#include <QPainter>

#include "platform/qt/ClientView.h"
#include "platform/qt/Reductions.h"
#include "platform/qt/Scene.h"
#include "platform/qt/ScreenPlacement.h"

namespace lumagrove::platform::test {
namespace {

using backend::PaintScene;
using backend::Scene;
using backend::SceneLine;
using backend::ScenePicture;
using backend::ViewPlacement;

QImage GrayImage(int width, int height, int (*shade)(int x, int y)) {
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.scanLine(y)[x] = static_cast<uchar>(shade(x, y));
    }
    return image;
}

int Checkerboard(int x, int y) { return (x + y) % 2 == 0 ? 0 : 255; }
int Ramp(int x, int y) { return (3 * x + 7 * y) % 256; }

Scene SceneOf(const QImage& picture) {
    auto reductions = std::make_shared<const std::vector<QImage>>(backend::HalvingsOf(picture));
    return Scene{{ScenePicture{picture, reductions, picture.rect(), QPoint(0, 0)}}, {}};
}

QImage Painted(const Scene& scene, const ViewPlacement& view, QSize size, QRect area = {}) {
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::magenta);
    QPainter painter(&target);
    PaintScene(painter, scene, view, area.isNull() ? target.rect() : area);
    return target;
}

int GrayAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) ? qRed(pixel) : -1;
}

TEST(ReductionsTest, EachLevelAveragesTheOneBeforeWithOddEdgesOnTheirOwn) {
    const QImage picture = GrayImage(5, 3, [](int x, int y) { return 10 * x + 100 * y; });
    const std::vector<QImage> levels = backend::HalvingsOf(picture);
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].size(), QSize(3, 2));
    EXPECT_EQ(levels[1].size(), QSize(2, 1));
    EXPECT_EQ(levels[2].size(), QSize(1, 1));
    EXPECT_EQ(levels[0].pixel(0, 0) & 0xff, 55u);   // (0 + 10 + 100 + 110) / 4
    EXPECT_EQ(levels[0].pixel(2, 0) & 0xff, 90u);   // the odd column: (40 + 140) / 2
    EXPECT_EQ(levels[0].pixel(2, 1) & 0xff, 240u);  // the odd corner alone
    EXPECT_EQ(levels[0].pixel(0, 1) & 0xff, 205u);  // the odd row: (200 + 210) / 2, rounded
    EXPECT_EQ(backend::HalvingsOf(GrayImage(1, 1, Ramp)).size(), 0u);
    EXPECT_EQ(backend::HalvingsOf(GrayImage(1000, 3, Ramp)).size(), static_cast<std::size_t>(backend::kMostHalvings));
}

TEST(ZoomStepsTest, KeysAndWheelStepThroughPowersOfTwoAndTheirHalvesAgain) {
    using backend::NextZoomStep;
    EXPECT_DOUBLE_EQ(NextZoomStep(1.0, true), 1.5);
    EXPECT_DOUBLE_EQ(NextZoomStep(1.5, true), 2.0);
    EXPECT_DOUBLE_EQ(NextZoomStep(1.0, false), 0.75);
    EXPECT_DOUBLE_EQ(NextZoomStep(0.75, false), 0.5);
    // A zoom that fits a window is rarely a step: the next one either way is.
    EXPECT_DOUBLE_EQ(NextZoomStep(0.3155, true), 0.375);
    EXPECT_DOUBLE_EQ(NextZoomStep(0.3155, false), 0.25);
    EXPECT_DOUBLE_EQ(NextZoomStep(backend::kLargestZoom, true), backend::kLargestZoom);
    EXPECT_DOUBLE_EQ(NextZoomStep(backend::kSmallestZoom, false), backend::kSmallestZoom);
}

TEST(FitViewTest, AClientAreaThatFitsKeepsItsSizeAndOneThatDoesNotIsReducedToFit) {
    using backend::FitView;
    const auto fits = FitView(QSize(640, 480), QSize(1600, 1000), 150);
    EXPECT_EQ(fits.view, QSize(640, 480));
    EXPECT_EQ(fits.zoom, 1.0);

    const auto photo = FitView(QSize(4000, 3000), QSize(1594, 1153), 150);
    EXPECT_DOUBLE_EQ(photo.zoom, 1153.0 / 3000.0);  // the height decides
    EXPECT_EQ(photo.view, QSize(1538, 1153));

    const auto tall = FitView(QSize(300, 30000), QSize(1594, 1153), 150);
    EXPECT_DOUBLE_EQ(tall.zoom, 1153.0 / 30000.0);
    EXPECT_EQ(tall.view, QSize(150, 1153)) << "never narrower than the menu bar";

    EXPECT_EQ(FitView(QSize(2, 2), QSize(1594, 1153), 150).view, QSize(150, 2));

    // Beyond the smallest zoom the view fills the room and scrolls.
    const auto line = FitView(QSize(2000000000, 1), QSize(1594, 1153), 150);
    EXPECT_EQ(line.zoom, backend::kSmallestZoom);
    EXPECT_EQ(line.view, QSize(1594, 1));
}

TEST(PaintSceneTest, MagnifiedPixelsStayCrispAtAnyScrollPosition) {
    const Scene scene = SceneOf(GrayImage(40, 30, Ramp));
    const QImage shown = Painted(scene, ViewPlacement{4.0, QPoint(22, 9)}, QSize(60, 50));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const int expected = Ramp((x + 22) / 4, (y + 9) / 4);
            ASSERT_EQ(GrayAt(shown, x, y), expected) << x << "," << y;
        }
    }
}

TEST(PaintSceneTest, ActualPixelsAreCopiedUnchangedAndBeyondThePictureIsWhite) {
    const Scene scene = SceneOf(GrayImage(40, 30, Ramp));
    const QImage shown = Painted(scene, ViewPlacement{1.0, QPoint(5, 3)}, QSize(50, 40));
    for (int y = 0; y < 27; ++y) {
        for (int x = 0; x < 35; ++x) ASSERT_EQ(GrayAt(shown, x, y), Ramp(x + 5, y + 3)) << x << "," << y;
    }
    EXPECT_EQ(GrayAt(shown, 35, 10), 255);
    EXPECT_EQ(GrayAt(shown, 10, 27), 255);
}

TEST(PaintSceneTest, ReducedPicturesAreSmoothedNotSampled) {
    // A checkerboard of black and white pixels is mid grey when reduced;
    // skipping pixels would show black or white.
    const Scene scene = SceneOf(GrayImage(1024, 1024, Checkerboard));
    for (const double zoom : {0.5, 0.3, 1.0 / 16, 1.0 / 50}) {
        const QImage shown = Painted(scene, ViewPlacement{zoom, QPoint(0, 0)}, QSize(12, 12));
        for (int y = 2; y < 10; ++y) {
            for (int x = 2; x < 10; ++x) ASSERT_NEAR(GrayAt(shown, x, y), 128, 2) << zoom << " at " << x << "," << y;
        }
    }
}

TEST(PaintSceneTest, OnlyTheAreaAskedForIsPainted) {
    const Scene scene = SceneOf(GrayImage(40, 30, Ramp));
    const QImage shown = Painted(scene, ViewPlacement{2.0, QPoint(0, 0)}, QSize(60, 50), QRect(10, 10, 20, 5));
    EXPECT_EQ(shown.pixel(9, 12), QColor(Qt::magenta).rgb());
    EXPECT_EQ(GrayAt(shown, 10, 10), Ramp(5, 5));
    EXPECT_EQ(shown.pixel(30, 12), QColor(Qt::magenta).rgb());
}

TEST(PaintSceneTest, LinesRunThroughTheMiddleOfTheClientPixelsTheyCover) {
    Scene scene;
    scene.lines.push_back(SceneLine{QPoint(2, 3), QPoint(6, 3), QColor(220, 0, 0), 1});
    const QImage shown = Painted(scene, ViewPlacement{4.0, QPoint(0, 0)}, QSize(40, 20));
    const QRgb red = qRgb(220, 0, 0);
    EXPECT_EQ(shown.pixel(2 * 4 + 2, 3 * 4 + 2), red);
    EXPECT_EQ(shown.pixel(6 * 4 + 2, 3 * 4 + 2), red) << "the last pixel covered";
    EXPECT_EQ(shown.pixel(7 * 4 + 2, 3 * 4 + 2), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(4 * 4 + 2, 3 * 4), qRgb(255, 255, 255)) << "one view pixel wide";
}

}  // namespace
}  // namespace lumagrove::platform::test
