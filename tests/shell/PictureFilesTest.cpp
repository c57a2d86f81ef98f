#include <filesystem>

#include "ShellTest.h"
#include "pictures/Pictures.h"
#include "resources/ControlIds.h"
#include "support/MenuIds.h"
#include "support/MessageLog.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using lumagrove::testing::MenuId;
using lumagrove::testing::TemporaryFolder;
namespace control = resources::control;

std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>(x * 5 + y * 3); }

std::string Seed(const std::string& name) { return LUMAGROVE_SOURCE_DIR "/fuzz/corpus/pictures/" + name; }

ImageRecord ReadBack(const std::string& name) {
    testing::MessageLog log;
    std::optional<ImageRecord> record = ReadPicture(name, log.reporter());
    EXPECT_TRUE(record) << name;
    return record ? std::move(*record) : ImageRecord();
}

TEST_F(ShellTest, DroppedPicturesOfEveryFormatOpenAsTheirGreyImage) {
    TemporaryFolder folder;
    const std::string capitals = folder.file("PHOTO.PNG");  // any letter case
    std::filesystem::copy_file(Seed("rgba.png"), capitals);
    const std::string damaged = Seed("truncated-rgba.png");
    const std::vector<std::string> pictures = {capitals, Seed("progressive-exif-8.jpg"), Seed("rgba-planes-tiles.tif"),
                                               Seed("rgb.bmp"), Seed("lossless.webp")};
    std::vector<std::string> dropped = pictures;
    dropped.push_back(damaged);
    hooks::AnswerNextMessageBox(platform::AnswerOk);
    hooks::DropFilesOn(control_, control::DropList, dropped);
    ASSERT_TRUE(WaitUntil([&] {
        for (const std::string& name : pictures) {
            if (WindowsTitled(name).size() != 1) return false;
        }
        return !hooks::ShownMessageBoxes().empty();
    }));
    EXPECT_EQ(hooks::ShownMessageBoxes().front().text, "File: " + damaged + " is not a picture this program can read.");

    for (const std::string& name : pictures) {
        SCOPED_TRACE(name);
        const ImageRecord expected = ReadBack(name);
        const platform::Window window = WindowsTitled(name).front().window;
        ASSERT_TRUE(WaitUntil([&] { return PresentedGray(window, 0, 0) >= 0; }));
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                ASSERT_EQ(PresentedGray(window, x, y),
                          expected.pixels[static_cast<std::size_t>(y) * expected.width + x])
                    << x << "," << y;
            }
        }
    }
}

TEST_F(ShellTest, SaveAsWritesPicturesByTheNameAndPgmOtherwise) {
    const platform::Window source = OpenImageWindow(MakeRecord(33, 17, "ramp.pgm", Ramp));
    TemporaryFolder folder;
    for (const std::string ending : {".png", ".TIF", ".webp", ".bmp", ".raw"}) {
        SCOPED_TRACE(ending);
        const std::string name = folder.file("saved" + ending);
        hooks::AnswerNextFileDialog(name);
        hooks::ChooseFromMenuBar(source, MenuId("File > Save As..."));
        ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(name); }));
        Settle();
        const std::string bytes = TemporaryFolder::read(name);
        if (ending == ".raw") {  // not a picture's name
            EXPECT_TRUE(bytes.starts_with("P5\n")) << bytes.substr(0, 8);
            continue;
        }
        const PictureFormat* written =
            PictureFormatOfContent(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        ASSERT_NE(written, nullptr);
        EXPECT_TRUE(EndsInOneOf(name, written->endings)) << written->name;
        const ImageRecord back = ReadBack(name);
        ASSERT_EQ(back.width, 33);
        ASSERT_EQ(back.height, 17);
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 33; ++x) ASSERT_EQ(back.pixels[static_cast<std::size_t>(y) * 33 + x], Ramp(x, y));
        }
    }
    const auto dialogs = hooks::ShownFileDialogs();
    ASSERT_FALSE(dialogs.empty());
    std::vector<std::string> filters;
    for (const auto& filter : dialogs.back().request.filters) filters.push_back(filter.description);
    EXPECT_EQ(filters, (std::vector<std::string>{"PGM Files (*.PGM)", "PNG Files (*.PNG)", "JPEG Files (*.JPG;*.JPEG)",
                                                 "TIFF Files (*.TIF;*.TIFF)", "BMP Files (*.BMP)",
                                                 "WebP Files (*.WEBP)", "All Files (*.*)"}));
}

}  // namespace
}  // namespace lumagrove::shell::test
