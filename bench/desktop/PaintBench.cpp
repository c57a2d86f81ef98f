#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "shell/ImagePainting.h"

// What one paint of an image window costs the main thread: a view of
// 1600 x 1000 pixels over a 30000 x 30000 picture (900 million pixels), at the
// zoom that fits it, at a few steps between, at actual pixels and magnified.
// The picture's size must not matter, only the view's.
namespace {

using lumagrove::shell::HalvingsOf;
using lumagrove::shell::PaintImage;
using lumagrove::shell::ShownImage;
using lumagrove::shell::ViewPlacement;

const ShownImage& Picture(int side) {
    static const ShownImage shown = [side] {
        QImage picture(side, side, QImage::Format_Grayscale8);
        for (int y = 0; y < side; ++y) {
            uchar* row = picture.scanLine(y);
            for (int x = 0; x < side; ++x) row[x] = static_cast<uchar>((x * 7 + y * 13) ^ (x >> 5));
        }
        return ShownImage{picture, HalvingsOf(picture)};
    }();
    return shown;
}

void PaintView(benchmark::State& state) {
    constexpr int kSide = 30000;
    const double zoom = static_cast<double>(state.range(0)) / 1024.0;
    const ShownImage& picture = Picture(kSide);
    QImage view(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    // Somewhere in the middle of the picture.
    const QPoint scroll(static_cast<int>(kSide * zoom / 2), static_cast<int>(kSide * zoom / 3));
    for (auto _ : state) {
        QPainter painter(&view);
        PaintImage(painter, picture, ViewPlacement{zoom, scroll}, view.rect());
    }
    state.counters["zoom"] = zoom;
}
// In 1024ths: 1/29 (the zoom that fits the picture in the view), 1/8, 0.3,
// 1/2, 1, 1.5, 4, 32.
BENCHMARK(PaintView)->Arg(35)->Arg(128)->Arg(307)->Arg(512)->Arg(1024)->Arg(1536)->Arg(4096)->Arg(32768)->Unit(
    benchmark::kMillisecond);

// Made once per picture on the window's own thread, never on the main one.
void HalveWholePicture(benchmark::State& state) {
    QImage picture(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)), QImage::Format_Grayscale8);
    picture.fill(128);
    for (auto _ : state) benchmark::DoNotOptimize(HalvingsOf(picture));
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}
BENCHMARK(HalveWholePicture)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
