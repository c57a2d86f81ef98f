#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "BenchImages.h"
#include "compare/OpenCvImages.h"
#include "formats/SafeSave.h"
#include "pictures/Encoders.h"
#include "pictures/Pictures.h"

// Reading a photo-sized JPEG and PNG to grey, and writing a grey PNG, next
// to OpenCV's image codecs on the very same files. Both sides use the same
// system codec libraries; what differs is the work around them.
namespace lumagrove::bench {
namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

// The benchmark scene in colour: three differently shifted copies of it as
// red, green and blue, so that no channel is a copy of another.
cv::Mat ColourPhoto() {
    const BenchImage& scene = SceneImage(kPhotoWidth + 64, kPhotoHeight);
    cv::Mat photo(kPhotoHeight, kPhotoWidth, CV_8UC3);
    for (int y = 0; y < kPhotoHeight; ++y) {
        const std::uint8_t* row = scene.pixels.data() + static_cast<std::size_t>(y) * scene.width;
        auto* out = photo.ptr<cv::Vec3b>(y);
        for (int x = 0; x < kPhotoWidth; ++x) out[x] = {row[x + 40], row[x + 20], row[x]};  // stored as BGR
    }
    return photo;
}

// The photo saved once per run, as a camera (JPEG, quality 92) or a
// screenshot tool (PNG) would.
const std::string& PhotoFile(const std::string& ending) {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("lumagrove-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        const cv::Mat photo = ColourPhoto();
        cv::imwrite((path / "photo.jpg").string(), photo, {cv::IMWRITE_JPEG_QUALITY, 92});
        cv::imwrite((path / "photo.png").string(), photo, {cv::IMWRITE_PNG_COMPRESSION, pictures::kCompressionLevel});
        std::atexit([] { std::filesystem::remove_all(folder); });
        return path.string();
    }();
    static std::map<std::string, std::string> names;
    auto& name = names[ending];
    if (name.empty()) name = folder + "/photo" + ending;
    return name;
}

void OursRead(benchmark::State& state, const std::string& ending) {
    const std::string& name = PhotoFile(ending);
    const Reporter report = [&state](const Message& message) { state.SkipWithError(message.text.c_str()); };
    for (auto _ : state) {
        const std::optional<ImageRecord> record = ReadPicture(name, report);
        if (!record) break;
        benchmark::DoNotOptimize(record);
    }
}

void OpenCvRead(benchmark::State& state, const std::string& ending) {
    const std::string& name = PhotoFile(ending);
    for (auto _ : state) {
        const cv::Mat grey = cv::imread(name, cv::IMREAD_GRAYSCALE);
        benchmark::DoNotOptimize(grey.data);
    }
}

const BenchImage& GreyPhoto() { return SceneImage(kPhotoWidth, kPhotoHeight); }

std::string WrittenName() {
    return std::filesystem::temp_directory_path() / ("lumagrove-bench-out-" + std::to_string(getpid()) + ".png");
}

void OursWritePng(benchmark::State& state) {
    const BenchImage& image = GreyPhoto();
    ImageRecord record;
    record.width = image.width;
    record.height = image.height;
    record.pixels = PixelArray::CopyOf(image.pixels.data(), image.pixels.size());
    const std::string name = WrittenName();
    const Reporter report = [&state](const Message& message) { state.SkipWithError(message.text.c_str()); };
    for (auto _ : state) {
        if (!SaveFile(name, report, [&](std::FILE* file) { return WritePngStream(record, file); })) break;
    }
    std::filesystem::remove(name);
}

void OpenCvWritePng(benchmark::State& state) {
    const cv::Mat grey = MatOf(GreyPhoto());
    const std::string name = WrittenName();
    // The same zlib work as ours: its level and run-length matches only.
    const std::vector<int> settings{cv::IMWRITE_PNG_COMPRESSION, pictures::kCompressionLevel, cv::IMWRITE_PNG_STRATEGY,
                                    cv::IMWRITE_PNG_STRATEGY_RLE};
    for (auto _ : state) cv::imwrite(name, grey, settings);
    std::filesystem::remove(name);
}

BENCHMARK_CAPTURE(OursRead, jpeg, std::string(".jpg"))
    ->Name("ours/read-jpeg-to-grey/4000x3000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenCvRead, jpeg, std::string(".jpg"))
    ->Name("opencv/read-jpeg-to-grey/4000x3000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OursRead, png, std::string(".png"))
    ->Name("ours/read-png-to-grey/4000x3000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenCvRead, png, std::string(".png"))
    ->Name("opencv/read-png-to-grey/4000x3000")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(OursWritePng)->Name("ours/write-grey-png/4000x3000")->Unit(benchmark::kMillisecond);
BENCHMARK(OpenCvWritePng)->Name("opencv/write-grey-png/4000x3000")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumagrove::bench
