#include <gtest/gtest.h>

#include <string>

#include "pictures/Pictures.h"

namespace lumagrove {
namespace {

struct Expected {
    std::string name;
    std::string fileName;
    std::string signature;
    const char* writtenAs;
};

// Each row answers to its own names and signature only, and every one is
// written.
TEST(PictureFileFormats, EachRowIsItsOwnFormat) {
    const Expected expected[] = {
        {"PNG", "a.Png", std::string("\x89PNG\r\n\x1a\n", 8), "png"},
        {"JPEG", "a.JPEG", "\xff\xd8\xff\xe0", "jpg"},
        {"TIFF", "a.tif", std::string("II*\0", 4), "tiff"},
        {"BMP", "a.bmp", "BM", "bmp"},
        {"WebP", "a.webp", std::string("RIFF\x10\0\0\0WEBP", 12), "webp"},
    };
    const std::span<const ImageFormat> rows = PictureFileFormats();
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ImageFormat& row = rows[i];
        EXPECT_EQ(row.name, expected[i].name);
        EXPECT_EQ(row.writtenAs == nullptr, expected[i].writtenAs == nullptr) << row.name;
        if (row.writtenAs != nullptr) {
            EXPECT_EQ(std::string(row.writtenAs), expected[i].writtenAs);
        }
        EXPECT_EQ(row.write == nullptr, row.writtenAs == nullptr) << row.name;
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const auto* head = reinterpret_cast<const std::uint8_t*>(expected[j].signature.data());
            EXPECT_EQ(row.names(expected[j].fileName), i == j) << row.name << " " << expected[j].fileName;
            EXPECT_EQ(row.announcedBy({head, expected[j].signature.size()}), i == j) << row.name << " " << j;
        }
        EXPECT_FALSE(row.names("a.pgm"));
    }
}

}  // namespace
}  // namespace lumagrove
