#include <array>

#include <gtest/gtest.h>

#include "formats/Readers.h"
#include "session/ImageFiles.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::session {
namespace {

using testing::MessageLog;
using testing::TemporaryFolder;

std::string ReaderOf(std::string_view name) { return FormatForReading(name).name; }

// The family's endings in any case, and names ending in "pgm" as always.
TEST(ImageFiles, TheNameChoosesTheReader) {
    for (const char* netpbm :
         {"scan.pgm", "scan.apgm", "pgm", "/a.xyz/b.pgm", "image.PGM", "x.Ppm", "x.pnm", "x.PBM", "x.pam"}) {
        EXPECT_EQ(ReaderOf(netpbm), "netpbm") << netpbm;
    }
    for (const char* raw : {"a.intensity", "gm", "", "\"scan.pgm\"", "scan.pgm ", "scan.apnm", "scan.PGMX"}) {
        EXPECT_EQ(ReaderOf(raw), "raw 640 x 480 intensity") << raw;
        EXPECT_FALSE(NamesCoordinateFile(raw)) << raw;
    }
    EXPECT_TRUE(NamesCoordinateFile("data.xyz"));
    EXPECT_TRUE(NamesCoordinateFile("xyz"));
    EXPECT_FALSE(NamesCoordinateFile("data.XYZ"));
    EXPECT_FALSE(NamesCoordinateFile("scan.pgm"));
}

// Every name is written as PGM until a format that can write claims it.
TEST(ImageFiles, EveryNameIsWrittenAsPgm) {
    for (const char* name : {"out.pgm", "out.raw", "out.intensity", "out", "out.xyz"}) {
        EXPECT_EQ(std::string(FormatForWriting(name).name), "netpbm") << name;
    }
    for (const ImageFormat& format : ImageFormats()) EXPECT_NE(format.read, nullptr) << format.name;
}

// Standard input has no name: its first bytes choose the reader.
TEST(ImageFiles, ContentWithoutANameIsReadByWhatItAnnounces) {
    MessageLog log;
    const auto bytes = [](std::string_view text) { return std::vector<std::uint8_t>(text.begin(), text.end()); };
    const std::optional<ImageRecord> plain =
        ReadImageBytes(bytes("P2\n# made by hand\n3 1\n255\n7 8 9\n"), "standard input", log.reporter());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->title, "standard input");
    EXPECT_EQ(std::vector<std::uint8_t>(plain->pixels.begin(), plain->pixels.end()),
              (std::vector<std::uint8_t>{7, 8, 9}));
    // Short binary content ends in white, as a short file does.
    const std::optional<ImageRecord> binary =
        ReadImageBytes(bytes("P5\n2 2\n255\n\x01\x02"), "standard input", log.reporter());
    ASSERT_TRUE(binary);
    EXPECT_EQ(std::vector<std::uint8_t>(binary->pixels.begin(), binary->pixels.end()),
              (std::vector<std::uint8_t>{1, 2, 255, 255}));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "File: standard input holds 2 of 2 x 2 samples; the rest is white.");
    EXPECT_EQ(log.messages[0].kind, MessageKind::Notice);

    log.messages.clear();
    for (const std::string_view unknown :
         {std::string_view(""), std::string_view("P"), std::string_view("P8\n1 1\n255\nabc"),
          std::string_view("\x10\x10\x10\x10")}) {
        EXPECT_FALSE(ReadImageBytes(bytes(unknown), "standard input", log.reporter()));
    }
    ASSERT_EQ(log.messages.size(), 4u);
    EXPECT_EQ(log.messages[0].text,
              "File: standard input is not an image this program can read from its content (netpbm).");

    log.messages.clear();
    EXPECT_FALSE(ReadImageBytes(bytes("P5\n0 0\n255\n"), "standard input", log.reporter()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "File: standard input has no valid image size.");
}

// --format names a written format; every row that says it can be written or
// read from content has the function for it.
TEST(ImageFiles, WrittenFormatsGoByTheirFormatName) {
    ASSERT_NE(FormatWrittenAs("pgm"), nullptr);
    EXPECT_EQ(std::string(FormatWrittenAs("pgm")->name), "netpbm");
    EXPECT_EQ(FormatWrittenAs("PGM"), nullptr);
    EXPECT_EQ(FormatWrittenAs("raw"), nullptr);
    for (const ImageFormat& format : ImageFormats()) {
        EXPECT_EQ(format.writtenAs == nullptr, format.write == nullptr) << format.name;
        EXPECT_EQ(format.announcedBy == nullptr, format.readBytes == nullptr) << format.name;
    }
}

// A front end that knows more formats puts them before the core's: they are
// asked first, and a name none of them claims is still written as PGM.
TEST(ImageFiles, AFrontEndsOwnFormatsComeFirst) {
    std::vector<ImageFormat> formats{
        {"Fake", [](std::string_view name) { return name.ends_with(".fk"); }, ReadNetpbm,
         [](std::span<const std::uint8_t> head) { return !head.empty() && head[0] == 'F'; }, ReadNetpbmBytes, "fk",
         WithoutSettings<WritePgmStream>}};
    formats.insert(formats.end(), ImageFormats().begin(), ImageFormats().end());
    EXPECT_EQ(std::string(FormatForReading("a.fk", formats).name), "Fake");
    EXPECT_EQ(std::string(FormatForReading("a.pgm", formats).name), "netpbm");
    EXPECT_EQ(std::string(FormatForReading("a.raw", formats).name), "raw 640 x 480 intensity");
    EXPECT_EQ(std::string(FormatForWriting("a.fk", formats).name), "Fake");
    EXPECT_EQ(std::string(FormatForWriting("a.out", formats).name), "netpbm");
    EXPECT_EQ(FormatWrittenAs("fk", formats), &formats[0]);
    EXPECT_EQ(FormatWrittenAs("fk"), nullptr);

    MessageLog log;
    const std::vector<std::uint8_t> unknown = {'?', '?'};
    EXPECT_FALSE(ReadImageBytes(unknown, "standard input", log.reporter(), formats));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text,
              "File: standard input is not an image this program can read from its content (Fake, netpbm).");
}

TEST(ImageFiles, ReadWhatWasWrittenAndSayWhyNot) {
    TemporaryFolder folder;
    ImageRecord image;
    image.width = 3;
    image.height = 2;
    image.pixels = PixelArray::CopyOf(std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}.data(), 6);
    MessageLog log;
    ASSERT_TRUE(WriteImageFile(image, folder.file("small.pgm"), log.reporter()));
    const std::optional<ImageRecord> back = ReadImageFile(folder.file("small.pgm"), log.reporter());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, folder.file("small.pgm"));
    EXPECT_EQ(back->width, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(back->pixels.begin(), back->pixels.end()),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(log.messages.empty());

    EXPECT_FALSE(ReadImageFile(folder.file("missing.pgm"), log.reporter()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].kind, MessageKind::Problem);
}

// What the user asked to see is told apart from problems, so that the
// command line can print it where scripts read it.
TEST(ImageFiles, SampleValuesComeAsReadouts) {
    TemporaryFolder folder;
    MessageLog log;
    std::string samples(640 * 480, '\x10');
    samples[170 * 640 + 100] = 7;
    const std::optional<ImageRecord> intensity = ReadImageFile(folder.write("scan.raw", samples), log.reporter());
    ASSERT_TRUE(intensity);
    EXPECT_EQ(intensity->width, 640);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "7 16");
    EXPECT_EQ(log.messages[0].caption, "Error");  // the desktop's box keeps its caption
    EXPECT_EQ(log.messages[0].kind, MessageKind::Readout);

    log.messages.clear();
    // Read as coordinates whatever the name: the command says what the file is.
    ASSERT_TRUE(ReadCoordinateFile(folder.write("points.bin", std::string(640 * 480 * 12, '\0')), log.reporter()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "0.000000 -----  0.000000 ----- 0.000000");
    EXPECT_EQ(log.messages[0].kind, MessageKind::Readout);

    log.messages.clear();
    EXPECT_FALSE(ReadCoordinateFile(folder.file("none.xyz"), log.reporter()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].kind, MessageKind::Problem);
}

}  // namespace
}  // namespace lumagrove::session
