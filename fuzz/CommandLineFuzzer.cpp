#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ScratchFolder.h"
#include "cli/CommandLine.h"

namespace lumagrove::fuzzing {
namespace {

// A P5 file of the given size whose samples come from `sample(x, y)`.
template <typename Sample>
std::string GrayMap(int width, int height, Sample sample) {
    std::string bytes = "P5\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bytes += static_cast<char>(sample(x, y) & 0xff);
    }
    return bytes;
}

// What a command line may name: a small scene with a ring and a bar (so that
// edges and both Hough transforms find something), a 128 x 128 range image
// for the 3-D conversion, a short coordinate file, a size line that wraps in
// 64 bits, a few bytes that declare two billion samples, and folders named
// like each kind of file.
void PutInputs(const ScratchFolder& folder) {
    static const std::string scene = GrayMap(24, 18, [](int x, int y) {
        const int ring = (x - 12) * (x - 12) + (y - 9) * (y - 9);
        if (ring >= 16 && ring <= 30) return 250;
        return x == 20 ? 200 : 4 * x + 3 * y;
    });
    static const std::string range = GrayMap(128, 128, [](int x, int y) {
        const int bump = 900 - (x - 64) * (x - 64) - (y - 64) * (y - 64);
        return bump > 0 ? 60 + bump / 10 : 40 + x / 8;
    });
    folder.write("a.pgm", scene);
    folder.write("r.pgm", range);
    folder.write("p.xyz", std::string(600, '\x3f'));
    folder.write("h.pgm", "P5\n4294963200 4294963200\n255\n");
    folder.write("e.pgm", "P2\n46340 46340\n255\n");
    for (const char* name : {"d", "d.pgm", "d.xyz"}) std::filesystem::create_directory(folder.path() / name);
}

// The input is one command line, a word per line. Every name resolves inside
// the scratch folder, which is where the command runs: a word holding a
// slash could reach elsewhere, so such an input is not run at all.
bool SplitWords(std::string_view text, std::vector<std::string>& words) {
    if (text.find('/') != std::string_view::npos) return false;
    if (text.empty()) return true;  // no words at all
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        words.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

// Runs in the folder and returns to where it was. (A crash leaves the process
// in the folder: `make fuzz` gives libFuzzer absolute paths for its findings.)
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(previous_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace
}  // namespace lumagrove::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumagrove::fuzzing;
    std::vector<std::string> words;
    if (!SplitWords(std::string_view(reinterpret_cast<const char*>(data), size), words)) return -1;

    static const ScratchFolder folder;
    folder.empty();
    PutInputs(folder);
    const InFolder inFolder(folder.path());
    std::ostringstream out;
    std::ostringstream err;
    // The command line's one entry point: whatever shape its parsing takes
    // inside, this is how a user reaches it.
    lumagrove::cli::RunCommandLine(words, out, err);
    return 0;
}
