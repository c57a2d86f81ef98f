#include <png.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "PictureMaker.h"
#include "PictureTesting.h"
#include "formats/Readers.h"
#include "formats/SafeSave.h"
#include "session/ImageFiles.h"
#include "support/FifoReader.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove::testing {
namespace {

// Saves as the program does: the safe-saving rules around a stream writer.
int Save(const ImageRecord& record, const std::string& name, StreamWriter write, MessageLog& log) {
    return SaveFile(name, log.reporter(), [&](std::FILE* stream) { return write(record, {}, stream); });
}

StreamWriter WriterFor(const std::string& name) {
    return session::FormatForWriting(name, ImageFormatsWithPictures()).write;
}

TEST(PictureWriting, PictureNamesAndSignatures) {
    // The picture format a name calls for, or "" for none.
    const auto named = [](std::string_view name) {
        for (const ImageFormat& format : PictureFileFormats()) {
            if (format.names(name)) return std::string(format.name);
        }
        return std::string();
    };
    EXPECT_EQ(named("x.JPEG"), "JPEG");
    EXPECT_EQ(named("x.Jpg"), "JPEG");
    EXPECT_EQ(named("x.tif"), "TIFF");
    EXPECT_EQ(named("x.bmp"), "BMP");
    EXPECT_EQ(named("x.webP"), "WebP");
    EXPECT_EQ(named("x.pgm"), "");
    EXPECT_EQ(named("xpng"), "");  // the dot belongs to the ending
    EXPECT_EQ(named(".png"), "PNG");

    const auto of = [](std::string_view bytes) {
        const PictureFormat* format =
            PictureFormatOfContent(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        return format != nullptr ? std::string(format->name) : std::string();
    };
    using namespace std::string_view_literals;
    EXPECT_EQ(of("\x89PNG\r\n\x1a\n...."sv), "PNG");
    EXPECT_EQ(of("\xff\xd8\xff\xe0"sv), "JPEG");
    EXPECT_EQ(of("II*\0"sv), "TIFF");
    EXPECT_EQ(of("MM\0*"sv), "TIFF");
    EXPECT_EQ(of("BM"sv), "BMP");
    EXPECT_EQ(of("RIFF\0\0\0\0WEBP"sv), "WebP");
    EXPECT_EQ(of("RIFF\0\0\0\0WAVE"sv), "");
    EXPECT_EQ(of("\x89PNG"sv), "");
    EXPECT_EQ(of("P5\n"sv), "");
    EXPECT_EQ(of(""sv), "");
}

TEST(PictureWriting, LosslessPicturesRoundTripByteForByte) {
    TemporaryFolder folder;
    for (const auto& [width, height] : AwkwardSizes()) {
        for (const char* ending : {".png", ".tif", ".TIFF", ".webp", ".BMP"}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + ending);
            const TestImage image = StructuredImage(width, height, static_cast<std::uint32_t>(width * height));
            const std::string first = folder.file(std::string("first") + ending);
            MessageLog log;
            ASSERT_EQ(Save(RecordOf(image), first, WriterFor(first), log), 1);
            EXPECT_TRUE(log.messages.empty());

            ReadResult read = ReadFile(first);
            ASSERT_EQ(read.status, 1) << read.firstMessage();
            EXPECT_EQ(read.width, width);
            EXPECT_EQ(read.height, height);
            EXPECT_EQ(read.grey, image.pixels);

            // Read and written again, the file comes out the same.
            ImageRecord again;
            again.width = read.width;
            again.height = read.height;
            again.pixels = PixelArray::CopyOf(read.grey.data(), read.grey.size());
            const std::string second = folder.file(std::string("second") + ending);
            ASSERT_EQ(Save(again, second, WriterFor(second), log), 1);
            EXPECT_EQ(TemporaryFolder::read(second), TemporaryFolder::read(first));
        }
    }
}

TEST(PictureWriting, WritingLeavesTheImageAsItWas) {
    // The image is still in its window after a save, and may be saved again.
    TemporaryFolder folder;
    MessageLog log;
    const TestImage image = StructuredImage(41, 9, 4);
    const ImageRecord record = RecordOf(image);
    for (StreamWriter write : {WithoutSettings<WritePngStream>, WithoutSettings<WriteTiffStream>}) {
        ASSERT_EQ(Save(record, folder.file("once"), write, log), 1);
        EXPECT_EQ(ToVector(record.pixels), image.pixels);
        ASSERT_EQ(Save(record, folder.file("twice"), write, log), 1);
        EXPECT_EQ(TemporaryFolder::read(folder.file("twice")), TemporaryFolder::read(folder.file("once")));
    }
}

// JPEG is lossy: close to the image, smaller at a lower quality, baseline
// (SOF0) with one grey component.
TEST(PictureWriting, JpegIsBaselineGreyAtTheQualityAsked) {
    TemporaryFolder folder;
    const TestImage image = StructuredImage(64, 48, 5);
    std::vector<std::size_t> sizes;
    for (const int quality : {WriteSettings::kDefaultQuality, 30}) {
        SCOPED_TRACE(quality);
        const std::string name = folder.file(quality == 30 ? "low.jpg" : "high.jpg");
        MessageLog log;
        ASSERT_EQ(SaveFile(name, log.reporter(),
                           [&](std::FILE* stream) { return WriteJpegStream(RecordOf(image), {quality}, stream); }),
                  1);
        const std::string bytes = TemporaryFolder::read(name);
        sizes.push_back(bytes.size());
        const std::size_t frame = bytes.find("\xff\xc0");
        ASSERT_NE(frame, std::string::npos);
        EXPECT_EQ(bytes.at(frame + 9), 1);  // components
        const ReadResult read = ReadFile(name);
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        ASSERT_EQ(read.grey.size(), image.pixels.size());
        if (quality != WriteSettings::kDefaultQuality) continue;
        double error = 0;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) error += std::abs(read.grey[i] - image.pixels[i]);
        EXPECT_LT(error / static_cast<double>(image.pixels.size()), 3.0);
    }
    EXPECT_LT(sizes[1], sizes[0]);
}

TEST(PictureWriting, WrittenPicturesAreEightBitGreyOfTheirFormat) {
    TemporaryFolder folder;
    MessageLog log;
    const TestImage image = RandomImage(7, 5, 3);
    ASSERT_EQ(Save(RecordOf(image), folder.file("a.png"), WithoutSettings<WritePngStream>, log), 1);
    ASSERT_EQ(Save(RecordOf(image), folder.file("a.tif"), WithoutSettings<WriteTiffStream>, log), 1);

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, folder.file("a.png").c_str()));
    EXPECT_EQ(png.format, PNG_FORMAT_GRAY);
    EXPECT_EQ(png.width, 7u);
    png_image_free(&png);

    TIFF* tiff = TIFFOpen(folder.file("a.tif").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    std::uint16_t bits = 0, samples = 0, photometric = 0;
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFClose(tiff);
    EXPECT_EQ(bits, 8);
    EXPECT_EQ(samples, 1);
    EXPECT_EQ(photometric, PHOTOMETRIC_MINISBLACK);
}

TEST(PictureWriting, StreamsNeedNotSeek) {
    // A TIFF points back to its directory; through a pipe it must still come
    // out whole.
    const TestImage image = StructuredImage(300, 200, 5);
    for (StreamWriter write : {WithoutSettings<WritePngStream>, WithoutSettings<WriteTiffStream>}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        std::string received;
        std::thread reader([&] {
            char buffer[4096];
            for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;)
                received.append(buffer, static_cast<std::size_t>(got));
        });
        std::FILE* stream = fdopen(ends[1], "wb");
        EXPECT_TRUE(write(RecordOf(image), {}, stream));
        std::fclose(stream);
        reader.join();
        close(ends[0]);

        const ReadResult read = DecodeBytes(received);
        ASSERT_EQ(read.status, 1) << read.firstMessage();
        EXPECT_EQ(read.grey, image.pixels);
    }
}

TEST(PictureWriting, AFailedSaveKeepsTheFileThatWasThere) {
    TemporaryFolder folder;
    MessageLog log;
    const std::string target = folder.write("keep.png", "precious");
    ImageRecord empty;  // no pixels: nothing a picture can hold
    EXPECT_EQ(Save(empty, target, WithoutSettings<WritePngStream>, log), 0);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "File: " + target + " could not be written.");
    EXPECT_EQ(TemporaryFolder::read(target), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(PictureWriting, PicturesAreSavedByTheSameRulesAsEveryFile) {
    TemporaryFolder folder;
    const TestImage image = StructuredImage(40, 30, 9);
    MessageLog log;

    // Through a link: the file it names is written, the link stays.
    const std::string target = folder.write("target.tif", "old");
    std::filesystem::create_symlink(target, folder.file("link.tif"));
    ASSERT_EQ(Save(RecordOf(image), folder.file("link.tif"), WithoutSettings<WriteTiffStream>, log), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.tif")));
    EXPECT_EQ(ReadFile(target).grey, image.pixels);

    // Into a FIFO, in place, as the next program of a pipeline reads it.
    const std::string fifo = folder.file("pipe.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    FifoReader reader(fifo);
    ASSERT_EQ(Save(RecordOf(image), fifo, WithoutSettings<WritePngStream>, log), 1);
    EXPECT_EQ(DecodeBytes(reader.Finish()).grey, image.pixels);
    EXPECT_TRUE(log.messages.empty());

    // A read-only file is left as it is.
    if (geteuid() != 0) {
        const std::string locked = folder.write("locked.png", "keep");
        chmod(locked.c_str(), 0444);
        EXPECT_EQ(Save(RecordOf(image), locked, WithoutSettings<WritePngStream>, log), 0);
        EXPECT_EQ(TemporaryFolder::read(locked), "keep");
    }
}

TEST(PictureWriting, ALargeGreyPngOpens) {
    // Two large sides at once, far past the limits image libraries set by
    // default, in a user's usual 8-bit grey.
    TemporaryFolder folder;
    constexpr std::int32_t kSide = 16000;
    ImageRecord record;
    record.width = kSide;
    record.height = kSide;
    record.pixels = PixelArray(static_cast<std::size_t>(kSide) * kSide);
    for (std::int32_t y = 0; y < kSide; ++y) {
        std::memset(record.pixels.data() + static_cast<std::size_t>(y) * kSide, y % 251, kSide);
    }
    record.pixels[12345] = 7;
    MessageLog log;
    const std::string name = folder.file("large.png");
    ASSERT_EQ(Save(record, name, WithoutSettings<WritePngStream>, log), 1);
    record.pixels = PixelArray();

    const std::optional<ImageRecord> read = ReadPicture(name, log.reporter());
    ASSERT_TRUE(read) << (log.messages.empty() ? "" : log.messages[0].text);
    EXPECT_EQ(read->width, kSide);
    EXPECT_EQ(read->height, kSide);
    EXPECT_EQ(read->pixels[12345], 7);
    EXPECT_EQ(read->pixels[static_cast<std::size_t>(kSide) * kSide - 1], (kSide - 1) % 251);
}

}  // namespace
}  // namespace lumagrove::testing
