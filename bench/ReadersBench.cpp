#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "BenchImages.h"
#include "formats/Readers.h"

namespace lumagrove::bench {
namespace {

// A file of the given bytes in the temporary folder, removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& bytes)
        : path_(std::filesystem::temp_directory_path() / ("lumagrove-bench-" + std::to_string(::getpid()) + ".pgm")) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~ScratchFile() { std::filesystem::remove(path_); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::string name() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

void Read(benchmark::State& state, const std::string& bytes) {
    const ScratchFile file(bytes);
    for (auto _ : state) {
        const std::optional<ImageRecord> record = ReadNetpbm(file.name(), [](const Message&) {});
        if (!record) state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(record);
    }
}

std::string Header(const char* magic, std::int64_t width, std::int64_t height) {
    return std::string(magic) + "\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
}

void ReadBinary(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    Read(state, Header("P5", image.width, image.height) + std::string(image.pixels.begin(), image.pixels.end()));
    CountBytes(state, image);
}

void ReadPlain(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    std::string text = Header("P2", image.width, image.height);
    for (const std::uint8_t pixel : image.pixels) text += std::to_string(pixel) + ' ';
    Read(state, text);
    CountBytes(state, image);
}

// A few bytes that declare an image and hold none of its samples: the cost
// should be that of filling the pixels, not of asking the file for each one.
void ReadPlainHeaderOnly(benchmark::State& state) {
    const BenchImage& image = ImageFor(state);
    Read(state, Header("P2", image.width, image.height));
    CountBytes(state, image);
}

BENCHMARK(ReadBinary)->Apply(StandardSizes);
BENCHMARK(ReadPlain)->Apply(StandardSizes);
BENCHMARK(ReadPlainHeaderOnly)->Apply(StandardSizes);

}  // namespace
}  // namespace lumagrove::bench
