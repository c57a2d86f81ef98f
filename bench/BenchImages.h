#pragma once

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

namespace lumagrove::bench {

struct BenchImage {
    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint8_t> pixels;
};

// A reproducible photo-like image: smooth shading, edges and noise, so that
// data-dependent code paths see realistic input.
const BenchImage& SceneImage(std::int32_t width, std::int32_t height);

// The scene at the size a benchmark's two arguments give.
inline const BenchImage& ImageFor(const benchmark::State& state) {
    return SceneImage(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
}

// The sizes every operation is measured at: 640x480, 1024x1024, 4096x4096.
void StandardSizes(benchmark::internal::Benchmark* benchmark);

inline void CountBytes(benchmark::State& state, const BenchImage& image) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(image.pixels.size()));
}

}  // namespace lumagrove::bench
