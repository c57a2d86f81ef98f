#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "HostilePictures.h"
#include "PictureMaker.h"
#include "PictureTesting.h"
#include "pictures/MemoryBudget.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::testing {
namespace {

struct NamedPicture {
    std::string name;
    std::string bytes;
};

// One small, sound picture of each format.
std::vector<NamedPicture> SoundPictures(const TemporaryFolder& folder) {
    PngPicture png{5, 4, PNG_COLOR_TYPE_RGB_ALPHA, 8};
    for (int i = 0; i < 5 * 4 * 4; ++i) png.samples.push_back(static_cast<std::uint16_t>(i * 3));
    JpegPicture jpeg{16, 8, 3};
    for (int i = 0; i < 16 * 8 * 3; ++i) jpeg.samples.push_back(static_cast<std::uint8_t>(i));
    TiffPage tiff{5, 4, 8, 3, 2 /* RGB */};
    for (int i = 0; i < 5 * 4 * 3; ++i) tiff.samples.push_back(static_cast<std::uint16_t>(i));
    std::string bmp = "BM";
    const std::string header(
        "\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0"
        "\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0",
        52);
    bmp += header + std::string(24, '\x7f');
    std::vector<std::uint8_t> rgba(6 * 5 * 4, 200);
    return {{"p.png", MakePng(png)},
            {"p.jpg", MakeJpeg(jpeg)},
            {"p.tif", MakeTiff({tiff}, folder.path().string())},
            {"p.bmp", bmp},
            {"p.webp", MakeWebp(6, 5, rgba, true)},
            {"q.webp", MakeWebp(6, 5, rgba, false)}};
}

// A picture either opens whole or gives the one message; nothing else.
// A picture either opens whole or gives one message; a damaged size field
// may also make it too large to hold.
void ExpectOpenedOrRefused(const std::string& bytes, const std::string& name) {
    const ReadResult read = DecodeBytes(bytes, name);
    if (read.status == 1) {
        EXPECT_TRUE(read.messages.empty());
        EXPECT_GT(read.width, 0);
        EXPECT_EQ(read.grey.size(), static_cast<std::size_t>(read.width) * static_cast<std::size_t>(read.height));
        return;
    }
    ASSERT_EQ(read.messages.size(), 1u);
    const std::string& text = read.firstMessage();
    EXPECT_TRUE(text == NotAPictureText(name) || text == TooLargeText(name) ||
                text == "Not enough memory to complete the operation.")
        << text;
    EXPECT_TRUE(read.grey.empty());
}

TEST(DamagedPictures, EveryFormatRefusesItsTruncations) {
    TemporaryFolder folder;
    for (const NamedPicture& picture : SoundPictures(folder)) {
        SCOPED_TRACE(picture.name);
        ASSERT_EQ(DecodeBytes(picture.bytes).status, 1);
        for (std::size_t length = 0; length < picture.bytes.size(); ++length) {
            SCOPED_TRACE("first " + std::to_string(length) + " bytes");
            ExpectOpenedOrRefused(picture.bytes.substr(0, length), picture.name);
        }
        // Cut anywhere in the pixels, a picture is refused rather than shown in part.
        for (const std::size_t length : {picture.bytes.size() / 2, picture.bytes.size() * 3 / 4}) {
            SCOPED_TRACE("cut to " + std::to_string(length) + " bytes");
            EXPECT_EQ(DecodeBytes(picture.bytes.substr(0, length), picture.name).status, 0);
        }
    }
}

// The fuzzers' seeds: sound pictures of every kind open; the truncated ones
// are refused; the damaged ones do either, cleanly.
// Decoders count on no more memory than `most` bytes while this lives.
class MemoryCap {
public:
    explicit MemoryCap(std::uint64_t most) { pictures::CapAvailableMemory(most); }
    ~MemoryCap() { pictures::CapAvailableMemory(UINT64_MAX); }
    MemoryCap(const MemoryCap&) = delete;
    MemoryCap& operator=(const MemoryCap&) = delete;
};

TEST(DamagedPictures, TheSeedPicturesOfTheFuzzer) {
    // With the fuzzer's memory: hostile seeds may declare gigabytes.
    const MemoryCap fuzzerMemory(std::uint64_t{64} << 20);
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LUMAGROVE_SOURCE_DIR "/fuzz/corpus/pictures")) {
        const std::string file = entry.path().filename().string();
        SCOPED_TRACE(file);
        const std::string bytes = TemporaryFolder::read(entry.path().string());
        ++seeds;
        if (file.starts_with("damaged-")) {
            ExpectOpenedOrRefused(bytes, file);
            continue;
        }
        if (file.starts_with("hostile-")) {
            EXPECT_EQ(DecodeBytes(bytes, file).status, 0);
            ExpectOpenedOrRefused(bytes, file);  // with one of the messages
            continue;
        }
        const ReadResult read = DecodeBytes(bytes, file);
        const bool refused = file.starts_with("truncated-") || file.starts_with("garbage-");
        EXPECT_EQ(read.status, refused ? 0 : 1) << read.firstMessage();
        if (refused) {
            EXPECT_EQ(read.firstMessage(), NotAPictureText(file));
        }
    }
    EXPECT_GE(seeds, 30);
}

TEST(DamagedPictures, ChangedBytesNeverCrash) {
    TemporaryFolder folder;
    for (const NamedPicture& picture : SoundPictures(folder)) {
        SCOPED_TRACE(picture.name);
        for (std::size_t at = 0; at < picture.bytes.size(); ++at) {
            for (const char change : {'\xff', '\x00', '\x80'}) {
                std::string damaged = picture.bytes;
                damaged[at] = static_cast<char>(damaged[at] ^ change);
                ExpectOpenedOrRefused(damaged, picture.name);
            }
        }
    }
}

TEST(DamagedPictures, DamagedJpegDataIsRefused) {
    JpegPicture picture{64, 64, 1};
    for (int i = 0; i < 64 * 64; ++i) picture.samples.push_back(static_cast<std::uint8_t>(i * 7));
    std::string bytes = MakeJpeg(picture);
    // Garbage in the middle of the compressed data: the decoder would carry on
    // with a picture gone wrong.
    for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 40; ++i) bytes[i] = '\xff';
    EXPECT_EQ(DecodeBytes(bytes, "d.jpg").firstMessage(), NotAPictureText("d.jpg"));
}

TEST(DamagedPictures, FilesThatAreNotPictures) {
    TemporaryFolder folder;
    const std::vector<std::string> names = {folder.write("empty.png", ""), folder.write("text.jpg", "hello, world\n"),
                                            folder.write("pgm.tif", "P5\n1 1\n255\n\x01")};
    for (const std::string& name : names) {
        const ReadResult read = ReadFile(name);
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.firstMessage(), NotAPictureText(name));
    }
}

TEST(DamagedPictures, FilesThatCannotBeRead) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("folder.png"));
    std::vector<std::string> names = {folder.file("missing.png"), folder.file("folder.png"),
                                      folder.file(std::string(1100, 'x') + ".png")};
    if (geteuid() != 0) {  // root reads anything
        names.push_back(folder.write("locked.png", "\x89PNG"));
        chmod(names.back().c_str(), 0);
    }
    for (const std::string& name : names) {
        const ReadResult read = ReadFile(name);
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.firstMessage(), "File: " + name + " could not be opened for reading.");
    }
}

void PutChunk(std::string& bytes, const std::string& type, const std::string& data) {
    const auto put32 = [&bytes](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(v >> shift & 0xff);
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    bytes += body;
    put32(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// A PNG of any declared size whose pixel data stop at once.
std::string PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    std::string header;
    for (std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) header += static_cast<char>(v >> shift & 0xff);
    }
    header += std::string("\x08\x00\x00\x00\x00", 5);  // 8-bit grey
    std::string bytes = "\x89PNG\r\n\x1a\n";
    PutChunk(bytes, "IHDR", header);
    PutChunk(bytes, "IDAT", "");
    return bytes;
}

TEST(DamagedPictures, MorePixelsThanAnImageCanHold) {
    for (const auto& [width, height] :
         std::vector<std::pair<std::uint32_t, std::uint32_t>>{{100000, 100000}, {2147483647u, 2}, {65536, 32768}}) {
        const ReadResult read = DecodeBytes(PngHeaderOnly(width, height), "big.png");
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.firstMessage(), TooLargeText("big.png"));
    }
    // Just within the limit, the size passes and the missing pixels fail.
    EXPECT_EQ(DecodeBytes(PngHeaderOnly(46340, 46340), "big.png").firstMessage(), NotAPictureText("big.png"));
}

#if defined(__SANITIZE_ADDRESS__)
#define LUMAGROVE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMAGROVE_ADDRESS_SANITIZER 1
#endif
#endif

#ifndef LUMAGROVE_ADDRESS_SANITIZER
std::uint64_t DataInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmData:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
    }
    return 0;
}

TEST(DamagedPictures, APictureLargerThanTheMemoryLeftIsRefusedBeforeAnythingIsAllocated) {
    // The address sanitizer reserves far more address space than any limit
    // here would allow, so this runs in the plain build only.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_DATA, &previous), 0);
    rlimit tight = previous;
    tight.rlim_cur = DataInUse() + (64u << 20);  // far below a 16000 x 16000 picture
    ASSERT_EQ(setrlimit(RLIMIT_DATA, &tight), 0);
    const ReadResult png = DecodeBytes(PngHeaderOnly(16000, 16000), "huge.png");
    // One pixel on a 24000 x 24000 canvas (94 bytes) needs more than is left;
    // on an 8000 x 8000 one, less, though the library's own animation decoder
    // would have held eight bytes a canvas pixel.
    const std::string frame = MakeWebp(1, 1, {10, 200, 30, 255}, true);
    tight.rlim_cur = DataInUse() + (192u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_DATA, &tight), 0);
    const ReadResult hugeCanvas = DecodeBytes(AnimationOnCanvas(24000, 24000, 0, 0, 1, 1, frame));
    const ReadResult largeCanvas = DecodeBytes(AnimationOnCanvas(8000, 8000, 0, 0, 1, 1, frame));
    setrlimit(RLIMIT_DATA, &previous);
    for (const ReadResult& read : {png, hugeCanvas}) {
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.firstMessage(), "Not enough memory to complete the operation.");
    }
    ASSERT_EQ(largeCanvas.status, 1);
    EXPECT_EQ(largeCanvas.grey[1], 255);
}
#endif

}  // namespace
}  // namespace lumagrove::testing
