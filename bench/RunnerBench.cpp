#include <cstdlib>
#include <string>

#include "BenchImages.h"
#include "formats/Readers.h"
#include "operations/OperationTable.h"

namespace lumagrove::bench {
namespace {

// The image the commands run on: the 1024 x 1024 scene, or the PGM file
// LUMAGROVE_BENCH_IMAGE names, so that bench/python can time the Python
// module on the very same pixels.
const BenchImage& CommandImage() {
    static const BenchImage image = [] {
        const char* name = std::getenv("LUMAGROVE_BENCH_IMAGE");
        if (name == nullptr) return SceneImage(1024, 1024);
        const std::optional<ImageRecord> record = ReadNetpbm(name, [](const Message&) {});
        if (!record) std::abort();
        return BenchImage{record->width, record->height, {record->pixels.begin(), record->pixels.end()}};
    }();
    return image;
}

// A command as the command line and the Python module run it: its code
// reads the image and hands back a new result.
void RunCommand(benchmark::State& state, const OperationEntry* entry) {
    const BenchImage& image = CommandImage();
    const ImageView source{image.pixels, image.width, image.height};
    const OperationArguments defaults;
    const Reporter quiet = [](const Message&) {};
    for (auto _ : state) benchmark::DoNotOptimize(entry->run(source, defaults, quiet));
    CountBytes(state, image);
}

const bool kRegistered = [] {
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.command == nullptr || entry.run == nullptr) continue;
        benchmark::RegisterBenchmark(("Command/" + std::string(entry.command)).c_str(), RunCommand, &entry)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
}  // namespace lumagrove::bench
