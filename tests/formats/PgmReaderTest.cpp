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
    std::optional<ImageRecord> read = ReadPgm(name, log.reporter());
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

TEST(ReadPgm, ReadsBinaryAndPlainSamplesAsTheyAre) {
    const ReadOutcome binary = ReadText("P5\n# one\n# two\n3 2\n65535\n\x01\x0a\x0d\xff\x00\x05"s);
    ASSERT_EQ(binary.result, 1);
    EXPECT_TRUE(binary.messages.empty());
    EXPECT_EQ(binary.record.width, 3);
    EXPECT_EQ(binary.record.height, 2);
    EXPECT_EQ(ToVector(binary.record.pixels), (std::vector<std::uint8_t>{1, 10, 13, 255, 0, 5}));

    // Maximum value 15: no rescaling. Values keep their low 8 bits.
    const ReadOutcome plain = ReadText("P2\n4 2\n15\n0 15 7\n300 256 -1 +9 1\n");
    ASSERT_EQ(plain.result, 1);
    EXPECT_EQ(ToVector(plain.record.pixels), (std::vector<std::uint8_t>{0, 15, 7, 44, 0, 255, 9, 1}));
}

TEST(ReadPgm, HeaderIsReadLineByLineAsItAlwaysWas) {
    // Everything on the magic line after "P5" is ignored, so the size comes
    // from the next line.
    const ReadOutcome oneLine = ReadText("P5 640 480 255\n2 1\n255\nAB");
    ASSERT_EQ(oneLine.result, 1);
    EXPECT_EQ(oneLine.record.width, 2);
    EXPECT_EQ(ToVector(oneLine.record.pixels), (std::vector<std::uint8_t>{'A', 'B'}));

    const ReadOutcome twoSpaces = ReadText("P5\n4  2\n255\n");
    ASSERT_EQ(twoSpaces.result, 1);
    EXPECT_EQ(twoSpaces.record.width, 4);
    EXPECT_EQ(twoSpaces.record.height, 2);

    // A comment after the size line is taken as the maximum-value line, and
    // the real one becomes samples.
    const ReadOutcome lateComment = ReadText("P5\n3 1\n# late\n255\n");
    ASSERT_EQ(lateComment.result, 1);
    EXPECT_EQ(ToVector(lateComment.record.pixels), (std::vector<std::uint8_t>{'2', '5', '5'}));

    // A comment longer than 99 characters goes on as the next line, which is
    // then the size line.
    const ReadOutcome longComment = ReadText("P5\n#" + std::string(98, 'c') + "7 5\n2 2\n255\n");
    ASSERT_EQ(longComment.result, 1);
    EXPECT_EQ(longComment.record.width, 7);
    EXPECT_EQ(longComment.record.height, 5);
}

TEST(ReadPgm, ShortOrBadSamplesHaveDefinedValues) {
    const ReadOutcome shortBinary = ReadText("P5\n3 2\n255\n\x07\x08");
    ASSERT_EQ(shortBinary.result, 1);
    EXPECT_EQ(ToVector(shortBinary.record.pixels), (std::vector<std::uint8_t>{7, 8, 255, 255, 255, 255}));

    // An unreadable sample repeats the last one; the bad text is not consumed.
    const ReadOutcome letters = ReadText("P2\n3 2\n255\n12 40 x 50 60\n");
    ASSERT_EQ(letters.result, 1);
    EXPECT_EQ(ToVector(letters.record.pixels), (std::vector<std::uint8_t>{12, 40, 40, 40, 40, 40}));

    const ReadOutcome noSamples = ReadText("P2\n2 2\n255\nabc");
    ASSERT_EQ(noSamples.result, 1);
    EXPECT_EQ(ToVector(noSamples.record.pixels), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    const ReadOutcome shortPlain = ReadText("P2\n2 2\n255\n9");
    EXPECT_EQ(ToVector(shortPlain.record.pixels), (std::vector<std::uint8_t>{9, 9, 9, 9}));

    // A sign without digits is used up, so the number after it is read.
    const ReadOutcome loneSign = ReadText("P2\n5 1\n255\n12 + 5 -\n");
    EXPECT_EQ(ToVector(loneSign.record.pixels), (std::vector<std::uint8_t>{12, 12, 5, 5, 5}));
}

// Nineteen bytes that declare the largest square image and hold no sample.
TEST(ReadPgm, AFewBytesMayDeclareTheLargestImage) {
    const ReadOutcome plain = ReadText("P2\n46340 46340\n255\n");
    ASSERT_EQ(plain.result, 1);
    EXPECT_EQ(plain.record.width, 46340);
    EXPECT_EQ(plain.record.height, 46340);
    const PixelArray& pixels = plain.record.pixels;
    ASSERT_EQ(pixels.size(), 46340u * 46340u);
    // No sample was read, so every one is 0; one per page is enough to see it.
    for (std::size_t i = 0; i < pixels.size(); i += 4093) ASSERT_EQ(pixels[i], 0) << i;
    EXPECT_EQ(pixels[pixels.size() - 1], 0);
}

// A FIFO fed blanks or digits without end: the samples' text is read no
// further than their count allows, a few bytes each.
TEST(ReadPgm, PlainSamplesFromAnEndlessStreamEnd) {
    TemporaryFolder folder;
    for (const char fill : {' ', '1'}) {
        const std::string name = folder.file(std::string("endless") + fill + ".pgm");
        ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
        const testing::EndlessFeeder feeder(name, "P2\n2 2\n255\n7 ", fill);
        const ReadOutcome read = ReadFile(name);
        ASSERT_EQ(read.result, 1);
        EXPECT_EQ(read.record.pixels[0], 7);
    }
}

TEST(ReadPgm, RefusesWhatItCannotRead) {
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pgm");
    ExpectRefused(ReadFile(missing), "File: " + missing + " could not be opened for reading.");
    ExpectRefused(ReadText(""), "File is not in P2 or P5 format!");
    ExpectRefused(ReadText("p5\n2 2\n255\n"), "File is not in P2 or P5 format!");
    ExpectRefused(ReadText("P6\n2 2\n255\n"), "File is not in P2 or P5 format!");

    // A folder opens, but reading it fails: that is no empty file.
    std::filesystem::create_directory(folder.file("folder.pgm"));
    ExpectRefused(ReadFile(folder.file("folder.pgm")),
                  "File: " + folder.file("folder.pgm") + " could not be opened for reading.");
}

TEST(ReadPgm, RefusesSizesThatDescribeNoImage) {
    TemporaryFolder folder;
    const std::string name = folder.file("size.pgm");
    const std::string expected = "File: " + name + " has no valid image size.";
    for (const char* header :
         {"P5\n", "P5\n# only a comment\n", "P5\n640480\n255\n", "P5\n-3 4\n255\n", "P5\n3 -4\n255\n", "P5\n0 4\n255\n",
          "P5\n4 0\n255\n", "P5\nabc def\n255\n", "P5\n100000 100000\n255\n", "P5\n99999999999999999999 2\n255\n",
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

TEST(ReadPgm, NamesOfAnyLengthAreReadWhole) {
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
