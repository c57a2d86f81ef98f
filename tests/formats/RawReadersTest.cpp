#include <bit>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "formats/Readers.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::TemporaryFolder;

constexpr std::size_t kIntensityBytes = 640 * 480;
constexpr std::size_t kPlaneValues = 640 * 480;

TEST(ReadIntensity, ShowsTwoSamplesAndKeepsTheFileOrder) {
    TemporaryFolder folder;
    std::string bytes(kIntensityBytes, '\x01');
    bytes[108900] = 7;
    bytes[115600] = static_cast<char>(200);
    MessageLog log;
    const std::optional<ImageRecord> read = ReadIntensity(folder.write("scan.intensity", bytes), log.reporter());
    ASSERT_TRUE(read);
    const ImageRecord& record = *read;
    EXPECT_EQ(record.width, 640);
    EXPECT_EQ(record.height, 480);
    ASSERT_EQ(record.pixels.size(), kIntensityBytes);
    EXPECT_EQ(record.pixels[108900], 7);
    EXPECT_EQ(record.pixels[0], 1);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "7 200");
    EXPECT_EQ(log.messages[0].caption, "Error");
    EXPECT_EQ(log.messages[0].icon, MessageIcon::None);
}

// A file of another length is still read, and the user told, before the
// two samples are shown.
TEST(ReadIntensity, SaysWhatALongFileHadIgnored) {
    TemporaryFolder folder;
    MessageLog log;
    const std::string name = folder.write("long.raw", std::string(kIntensityBytes + 10, '\x01'));
    ASSERT_TRUE(ReadIntensity(name, log.reporter()));
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[0].text, "File: " + name + " holds 307210 samples; the last 10 were ignored.");
    EXPECT_EQ(log.messages[0].kind, MessageKind::Notice);
    EXPECT_EQ(log.messages[1].text, "1 1");
}

TEST(ReadIntensity, ShortFilesEndInWhite) {
    TemporaryFolder folder;
    for (std::size_t length : {std::size_t{0}, std::size_t{1000}}) {
        SCOPED_TRACE(::testing::Message() << length << " bytes");
        MessageLog log;
        const std::optional<ImageRecord> record =
            ReadIntensity(folder.write("short", std::string(length, '\x05')), log.reporter());
        ASSERT_TRUE(record);
        for (std::size_t i = 0; i < kIntensityBytes; i += 997) {
            ASSERT_EQ(record->pixels[i], i < length ? 5 : 255) << i;
        }
        EXPECT_EQ(record->pixels[length == 0 ? 0 : length - 1], length == 0 ? 255 : 5);
        ASSERT_EQ(log.messages.size(), 2u);
        EXPECT_EQ(log.messages[0].text, "File: " + folder.file("short") + " holds " + std::to_string(length) +
                                            " of 640 x 480 samples; the rest is white.");
        EXPECT_EQ(log.messages[0].caption, "Warning");
        EXPECT_EQ(log.messages[1].text, "255 255");
    }
}

// A folder opens, but reading it fails: that is no empty file.
TEST(ReadIntensity, ReportsAMissingFileOrAFolder) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("folder"));
    for (const char* name : {"absent.intensity", "folder"}) {
        MessageLog log;
        EXPECT_FALSE(ReadIntensity(folder.file(name), log.reporter()));
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages[0].text, "File: " + folder.file(name) + " could not be opened for reading.");
        EXPECT_EQ(log.messages[0].icon, MessageIcon::None);
    }
}

void PutFloat(std::string& bytes, std::size_t index, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int b = 0; b < 4; ++b) bytes[index * 4 + b] = static_cast<char>((bits >> (8 * b)) & 0xff);
}

TEST(ReadXyz, ShowsElement200OfEachPlane) {
    TemporaryFolder folder;
    std::string bytes(kPlaneValues * 3 * 4, '\0');
    PutFloat(bytes, 200, 1.5f);
    PutFloat(bytes, kPlaneValues + 200, -2.0f);
    PutFloat(bytes, 2 * kPlaneValues + 200, 12.25f);
    PutFloat(bytes, 2 * kPlaneValues + 201, 3.0f);
    MessageLog log;
    const std::optional<CoordinateRecord> read = ReadXyz(folder.write("points.xyz", bytes), log.reporter());
    ASSERT_TRUE(read);
    const CoordinateRecord& record = *read;
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "1.500000 -----  -2.000000 ----- 12.250000");
    EXPECT_EQ(log.messages[0].caption, "Coordinates");
    EXPECT_EQ(log.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(record.width, 640);
    EXPECT_EQ(record.height, 480);
    EXPECT_EQ(record.zPlane[201], 3.0f);
}

TEST(ReadXyz, ValuesAShortFileLacksAreZero) {
    TemporaryFolder folder;
    std::string bytes(201 * 4, '\0');
    PutFloat(bytes, 200, 4.0f);
    MessageLog log;
    const std::optional<CoordinateRecord> read = ReadXyz(folder.write("short.xyz", bytes), log.reporter());
    ASSERT_TRUE(read);
    const CoordinateRecord& record = *read;
    EXPECT_EQ(log.messages.at(0).text, "4.000000 -----  0.000000 ----- 0.000000");
    EXPECT_EQ(record.xPlane[201], 0.0f);
    EXPECT_EQ(record.zPlane[kPlaneValues - 1], 0.0f);
}

TEST(ReadXyz, ReportsAMissingFileOrAFolderWithTheStopIcon) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("folder.xyz"));
    for (const char* name : {"none.xyz", "folder.xyz"}) {
        MessageLog log;
        EXPECT_FALSE(ReadXyz(folder.file(name), log.reporter()));
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages[0].text, "File: " + folder.file(name) + " could not be opened for reading.");
        EXPECT_EQ(log.messages[0].caption, "Error");
        EXPECT_EQ(log.messages[0].icon, MessageIcon::Error);
    }
}

}  // namespace
}  // namespace lumagrove
