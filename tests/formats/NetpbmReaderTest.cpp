#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "formats/Readers.h"
#include "support/EndlessFeeder.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

using testing::MessageLog;
using testing::TemporaryFolder;
using testing::ToVector;

struct ReadOutcome {
    int result = 0;
    ImageRecord record;
    std::vector<Message> messages;
};

ReadOutcome ReadFile(const std::string& name) {
    ReadOutcome outcome;
    MessageLog log;
    std::optional<ImageRecord> read = ReadNetpbm(name, log.reporter());
    outcome.result = read ? 1 : 0;
    if (read) outcome.record = std::move(*read);
    outcome.messages = log.messages;
    return outcome;
}

ReadOutcome ReadText(std::string_view bytes) {
    TemporaryFolder folder;
    return ReadFile(folder.write("image.pgm", bytes));
}

void ExpectRefused(const ReadOutcome& outcome, const std::string& text) {
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.record.pixels.empty());
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, text);
    EXPECT_EQ(outcome.messages[0].caption, "Error");
    EXPECT_EQ(outcome.messages[0].icon, MessageIcon::None);
}

std::vector<std::uint8_t> PixelsOf(std::string_view bytes) {
    const ReadOutcome read = ReadText(bytes);
    EXPECT_EQ(read.result, 1) << (read.messages.empty() ? "" : read.messages[0].text);
    EXPECT_TRUE(read.messages.empty()) << read.messages[0].text;
    return ToVector(read.record.pixels);
}

// 8-bit grey maps of maximum 255 in the usual layout: the bytes as they are.
TEST(ReadNetpbm, ReadsUsualGreyMapsAsTheyAre) {
    const ReadOutcome binary = ReadText("P5\n# one\n# two\n3 2\n255\n\x01\x0a\x0d\xff\x00\x05"s);
    ASSERT_EQ(binary.result, 1);
    EXPECT_TRUE(binary.messages.empty());
    EXPECT_EQ(binary.record.width, 3);
    EXPECT_EQ(binary.record.height, 2);
    EXPECT_EQ(ToVector(binary.record.pixels), (std::vector<std::uint8_t>{1, 10, 13, 255, 0, 5}));
    EXPECT_EQ(PixelsOf("P2\n4 2\n255\n0 15 7\n255 128\n\n3  9 1\n"),
              (std::vector<std::uint8_t>{0, 15, 7, 255, 128, 3, 9, 1}));
}

// (v * 255 + maximum / 2) / maximum; above 255, two bytes, big-endian.
TEST(ReadNetpbm, ScalesSamplesFromTheirMaximum) {
    EXPECT_EQ(PixelsOf("P2\n4 1\n15\n0 15 7 8\n"), (std::vector<std::uint8_t>{0, 255, 119, 136}));
    EXPECT_EQ(PixelsOf("P5\n2 1\n1\n\x01\x00"s), (std::vector<std::uint8_t>{255, 0}));
    EXPECT_EQ(PixelsOf("P5\n3 1\n65535\n\xff\xff\x00\x80\x80\x00"s), (std::vector<std::uint8_t>{255, 0, 128}));
    EXPECT_EQ(PixelsOf("P5\n2 1\n256\n\x01\x00\x00\x01"s), (std::vector<std::uint8_t>{255, 1}));
    EXPECT_EQ(PixelsOf("P2\n2 1\n65535\n65535 257\n"), (std::vector<std::uint8_t>{255, 1}));
}

// Blanks of any kind between fields, and comments wherever blanks may stand.
TEST(ReadNetpbm, ReadsEveryHeaderLayout) {
    const std::vector<std::uint8_t> ab{'A', 'B'};
    EXPECT_EQ(PixelsOf("P5 2 1 255\nAB"), ab);
    EXPECT_EQ(PixelsOf("P5\n2 1\n# between\n255\nAB"), ab);
    EXPECT_EQ(PixelsOf("P5\n2\n1\n255\tAB"), ab);
    EXPECT_EQ(PixelsOf("P5#c\n2#c\n1 255 AB"), ab);
    EXPECT_EQ(PixelsOf("P5\n#" + std::string(300, 'c') + "\n2 1\n255\nAB"), ab);
    EXPECT_EQ(PixelsOf("P2\n2\n1\n255\n65\n# a comment among samples\n66\n"), ab);
}

// Bitmaps' 1 is black; colour by the luma rule; alpha over white.
TEST(ReadNetpbm, ReadsEveryMemberOfTheFamily) {
    const std::vector<std::uint8_t> whiteBlackWhite{255, 0, 255};
    EXPECT_EQ(PixelsOf("P1\n3 1\n0 1 0\n"), whiteBlackWhite);
    EXPECT_EQ(PixelsOf("P1\n3 1\n010"), whiteBlackWhite);
    EXPECT_EQ(PixelsOf("P4\n3 1\n\x40"s), whiteBlackWhite);
    EXPECT_EQ(PixelsOf("P4\n9 1\n\x80\x80"s), (std::vector<std::uint8_t>{0, 255, 255, 255, 255, 255, 255, 255, 0}));
    EXPECT_EQ(PixelsOf("P3\n2 1\n255\n255 0 0  9 9 9\n"), (std::vector<std::uint8_t>{76, 9}));
    EXPECT_EQ(PixelsOf("P6\n1 1\n65535\n\x00\x00\xff\xff\x00\x00"s), (std::vector<std::uint8_t>{150}));
    EXPECT_EQ(PixelsOf("P7\nWIDTH 3\nHEIGHT 1\nDEPTH 1\nMAXVAL 1\nTUPLTYPE BLACKANDWHITE\nENDHDR\n\x00\x01\x00"s),
              (std::vector<std::uint8_t>{0, 255, 0}));
    EXPECT_EQ(PixelsOf("P7\n# grey and alpha\nWIDTH 2\nHEIGHT 1\nDEPTH 2\nMAXVAL 255\nTUPLTYPE GRAYSCALE_ALPHA\n"
                       "ENDHDR\n\x00\x00\x00\xff"s),
              (std::vector<std::uint8_t>{255, 0}));
    EXPECT_EQ(PixelsOf("P7\nHEIGHT 1\nWIDTH 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n\xff\x00\x00\x80"s),
              (std::vector<std::uint8_t>{165}));
}

// The rest is white, at once, and the user is told how much was there.
TEST(ReadNetpbm, ShortFilesEndInWhiteAndSaySo) {
    for (const std::string_view text :
         {"P5\n3 2\n255\n\x07\x08"sv, "P2\n3 2\n255\n7 8"sv, "P6\n3 2\n255\n\x07\x07\x07\x08\x08\x08\x09"sv}) {
        const ReadOutcome read = ReadText(text);
        ASSERT_EQ(read.result, 1) << text;
        EXPECT_EQ(ToVector(read.record.pixels), (std::vector<std::uint8_t>{7, 8, 255, 255, 255, 255})) << text;
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].text,
                  "File: " + read.record.title + " holds 2 of 3 x 2 samples; the rest is white.");
        EXPECT_EQ(read.messages[0].kind, MessageKind::Notice);
        EXPECT_EQ(read.messages[0].caption, "Warning");
    }
}

// Nineteen bytes that declare the largest square image and hold no sample.
TEST(ReadNetpbm, AFewBytesMayDeclareTheLargestImage) {
    const ReadOutcome plain = ReadText("P2\n46340 46340\n255\n");
    ASSERT_EQ(plain.result, 1);
    EXPECT_EQ(plain.record.width, 46340);
    EXPECT_EQ(plain.record.height, 46340);
    const PixelArray& pixels = plain.record.pixels;
    ASSERT_EQ(pixels.size(), 46340u * 46340u);
    // No sample was read, so every one is white; one per page is enough to see it.
    for (std::size_t i = 0; i < pixels.size(); i += 4093) ASSERT_EQ(pixels[i], 255) << i;
    EXPECT_EQ(pixels[pixels.size() - 1], 255);
    ASSERT_EQ(plain.messages.size(), 1u);
    EXPECT_EQ(plain.messages[0].kind, MessageKind::Notice);
}

// A FIFO fed blanks, digits or a comment without end: the text is read no
// further than the header or the samples' count allows, a few bytes each.
TEST(ReadNetpbm, TextFromAnEndlessStreamEnds) {
    TemporaryFolder folder;
    struct Case {
        const char* head;
        char fill;
        const char* ending;  // of the one message
    };
    for (const Case& endless : {Case{"P2\n2 2\n255\n7 ", ' ', "the rest is white."},
                                Case{"P2\n2 2\n255\n7 ", '1', "has a sample above its maximum value."},
                                Case{"P2\n#", 'c', "has no valid image size."}}) {
        const std::string name = folder.file("endless" + std::string(1, endless.fill) + ".pgm");
        ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
        const testing::EndlessFeeder feeder(name, endless.head, endless.fill);
        const ReadOutcome read = ReadFile(name);
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_TRUE(read.messages[0].text.ends_with(endless.ending)) << read.messages[0].text;
    }
}

TEST(ReadNetpbm, RefusesWhatItCannotRead) {
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pgm");
    ExpectRefused(ReadFile(missing), "File: " + missing + " could not be opened for reading.");
    const std::string name = folder.file("image.pgm");
    const auto refused = [&](std::string_view bytes, const std::string& problem) {
        SCOPED_TRACE(bytes);
        folder.write("image.pgm", bytes);
        ExpectRefused(ReadFile(name), "File: " + name + " " + problem);
    };
    for (const std::string_view notNetpbm :
         {""sv, "p5\n2 2\n255\n"sv, "P8\n2 2\n255\n"sv, "P\n"sv, " P5\n1 1\n255\n"sv}) {
        refused(notNetpbm, "is not a PBM, PGM, PPM or PAM file.");
    }
    for (const std::string_view above :
         {"P2\n4 1\n255\n1 2 300 4\n"sv, "P5\n2 1\n15\n\x0f\x10"sv, "P5\n1 1\n1000\n\x03\xe9"sv, "P1\n2 1\n0 2\n"sv,
          "P2\n1 1\n255\n99999999999999999999\n"sv, "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 1\nENDHDR\n\x02"sv}) {
        refused(above, "has a sample above its maximum value.");
    }
    for (const std::string_view notANumber :
         {"P2\n3 1\n255\n12 x 4\n"sv, "P2\n2 1\n255\n-1 4\n"sv, "P2\n2 1\n255\n1x 4\n"sv, "P1\n2 1\n0 x\n"sv}) {
        refused(notANumber, "has a sample that is not a number.");
    }
    for (const std::string_view maximum : {"P5\n2 2\n0\n"sv, "P5\n2 2\n65536\n"sv, "P5\n2 2\n"sv, "P5\n640480\n255\n"sv,
                                           "P2\n2 2\n-255\n"sv, "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nENDHDR\n"sv}) {
        refused(maximum, "has no valid maximum value (1 to 65535).");
    }
    for (const std::string_view pam : {"P7\nWIDTH 1\nHEIGHT 1\nDEPTH 5\nMAXVAL 255\nENDHDR\n"sv,
                                       "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nCOLOUR 1\nENDHDR\n"sv,
                                       "P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\n"sv}) {
        refused(pam, "has a PAM header this program cannot read.");
    }

    // A folder opens, but reading it fails: that is no empty file.
    std::filesystem::create_directory(folder.file("folder.pgm"));
    ExpectRefused(ReadFile(folder.file("folder.pgm")),
                  "File: " + folder.file("folder.pgm") + " could not be opened for reading.");
}

TEST(ReadNetpbm, RefusesSizesThatDescribeNoImage) {
    TemporaryFolder folder;
    const std::string name = folder.file("size.pgm");
    const std::string expected = "File: " + name + " has no valid image size.";
    for (const char* header :
         {"P5\n", "P5\n# only a comment\n", "P5\n-3 4\n255\n", "P5\n3 -4\n255\n", "P5\n0 4\n255\n", "P5\n4 0\n255\n",
          "P5\nabc def\n255\n", "P5\n100000 100000\n255\n", "P5\n99999999999999999999 2\n255\n",
          // Sides past 2^31 - 1 and products past it, however they would wrap in 32
          // or 64 bits, and sides that would wrap to small ones.
          "P5\n46341 46341\n255\n", "P5\n65536 65536\n255\n", "P5\n65537 65537\n255\n", "P5\n2147483648 1\n255\n",
          "P5\n1 2147483648\n255\n", "P5\n4294963200 4294963200\n255\n", "P5\n4294967294 4294967294\n255\n",
          "P5\n4294967297 1\n255\n", "P5\n1 4294967297\n255\n", "P5\n3037000500 3037000500\n255\n",
          "P5\n99999999999999 99999999999999\n255\n", "P5\n-4294967295 -4294967295\n255\n",
          "P2\n4294963200 4294963200\n255\n"}) {
        folder.write("size.pgm", header);
        ExpectRefused(ReadFile(name), expected);
    }
}

// A path of exactly `length` characters, made of folders short enough for
// the file system to accept.
std::string PathOfLength(const TemporaryFolder& folder, std::size_t length) {
    std::filesystem::path folderPath = folder.path();
    while (folderPath.string().size() + 120 < length) folderPath /= std::string(50, 'd');
    std::filesystem::create_directories(folderPath);
    const std::size_t stem = length - folderPath.string().size() - 1 - 4;
    return (folderPath / (std::string(stem, 'f') + ".pgm")).string();
}

TEST(ReadNetpbm, NamesOfAnyLengthAreReadWhole) {
    TemporaryFolder folder;
    const std::string name = PathOfLength(folder, 3000);
    ASSERT_EQ(name.size(), 3000u);
    std::ofstream(name, std::ios::binary) << "P5\n1 1\n255\nB";
    const ReadOutcome read = ReadFile(name);
    ASSERT_EQ(read.result, 1);
    EXPECT_EQ(read.record.pixels[0], 'B');
}

}  // namespace
}  // namespace lumagrove
