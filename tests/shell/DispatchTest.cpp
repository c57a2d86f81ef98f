#include <regex>

#include "ShellTest.h"

#include "formats/Readers.h"
#include "operations/OperationTable.h"
#include "platform/Dialog.h"
#include "resources/ControlIds.h"
#include "shell/SharedSettings.h"
#include "shell/ShellState.h"
#include "support/MenuIds.h"
#include "support/MessageLog.h"
#include "support/OperationReferences.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using lumagrove::testing::MenuId;
namespace control = resources::control;

std::uint8_t Ramp(int x, int y) { return static_cast<std::uint8_t>((3 * x + y) % 256); }

bool IsTimingLine(const std::string& line) { return std::regex_match(line, std::regex("Completed in [0-9]+ ms")); }

TEST_F(ShellTest, AResultOpensAsProcessedImageAndItsTimeIsListed) {
    const platform::Window source = OpenImageWindow(MakeRecord(64, 48, "ramp.pgm", Ramp));
    ChooseFromPopup(source, MenuId("Action > Negate"));
    const auto negated = WaitForNewWindowTitled("Processed Image", 0);
    ASSERT_TRUE(negated);
    EXPECT_EQ(PresentedGray(*negated, 10, 7), 255 - Ramp(10, 7));
    ASSERT_EQ(PerformanceLines().size(), 1u);
    EXPECT_TRUE(IsTimingLine(PerformanceLines()[0])) << PerformanceLines()[0];
    EXPECT_EQ(platform::SelectedListLine(control_, control::PerformanceList), 0);

    // A result takes commands too; its results keep the same title.
    ChooseFromPopup(*negated, MenuId("Action > Negate"));
    const auto twice = WaitForNewWindowTitled("Processed Image", 1);
    ASSERT_TRUE(twice);
    EXPECT_EQ(PresentedGray(*twice, 10, 7), Ramp(10, 7));
    ASSERT_EQ(PerformanceLines().size(), 2u);
    EXPECT_EQ(platform::SelectedListLine(control_, control::PerformanceList), 1);
    EXPECT_EQ(PresentedGray(source, 10, 7), Ramp(10, 7));  // the source is untouched
}

TEST_F(ShellTest, EntriesWithoutAnOperationAndSaveAsAddNoLineAndNoWindow) {
    const platform::Window source = OpenImageWindow(MakeRecord(32, 32, "quiet.pgm", Ramp));
    for (int id : {MenuId("Action > Smoothing > Median"), MenuId("Action > Histogram equalization > Show histogram"),
                   MenuId("Action > Fourier Transform > Local high pass filter"),
                   MenuId("Action > Fourier Transform > Local low pass filter")}) {
        ChooseFromPopup(source, id);
    }
    testing::TemporaryFolder folder;
    const std::string saved = folder.file("saved.pgm");
    hooks::AnswerNextFileDialog(saved);
    hooks::ChooseFromMenuBar(source, MenuId("File > Save As..."));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(saved); }));
    Settle();
    EXPECT_TRUE(PerformanceLines().empty());
    EXPECT_EQ(TheShellState().openWindowCount.load(), 1);

    testing::MessageLog log;
    const std::optional<ImageRecord> back = ReadNetpbm(saved, log.reporter());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 32);
    EXPECT_EQ(back->pixels[33], Ramp(1, 1));
}

TEST_F(ShellTest, CancellingTheDialogOfGaussianRunsNothing) {
    const platform::Window source = OpenImageWindow(MakeRecord(32, 32, "soft.pgm", Ramp));
    hooks::AnswerNextDialog({{{control::Sigma, "3"}}, control::Cancel});
    ChooseFromPopup(source, MenuId("Action > Smoothing > Gaussian"));
    Settle();
    EXPECT_TRUE(PerformanceLines().empty());
    EXPECT_TRUE(WindowsTitled("Processed Image").empty());
    EXPECT_EQ(TheSettings().snapshot().sigma, 1.0);

    hooks::AnswerNextDialog({{{control::Sigma, "2.5x"}}, control::Ok});
    ChooseFromPopup(source, MenuId("Action > Smoothing > Gaussian"));
    EXPECT_TRUE(WaitForNewWindowTitled("Processed Image", 0));
    EXPECT_EQ(TheSettings().snapshot().sigma, 2.5);
    EXPECT_EQ(PerformanceLines().size(), 1u);
}

// Window A's command waits in its dialog while window B's command runs to
// its end: the two dispatches overlap, and A's time includes its dialog.
TEST_F(ShellTest, CommandsInTwoWindowsRunAtTheSameTime) {
    const platform::Window first = OpenImageWindow(MakeRecord(32, 32, "first.pgm", Ramp));
    const platform::Window second = OpenImageWindow(MakeRecord(32, 32, "second.pgm", Ramp));
    ChooseFromPopup(first, MenuId("Action > Edge Detection > Find Edges using Gradient info"));
    const platform::Window dialog = WaitForParameterDialog();
    ASSERT_TRUE(dialog);

    ChooseFromPopup(second, MenuId("Action > Negate"));
    ASSERT_TRUE(WaitUntil([] { return PerformanceLines().size() == 1; }));
    EXPECT_TRUE(platform::WindowExists(dialog));  // A is still inside its command

    Settle(400ms);
    hooks::PressButton(dialog, control::Ok);
    ASSERT_TRUE(WaitUntil([] { return PerformanceLines().size() == 2; }));
    const std::string slow = PerformanceLines()[1];
    EXPECT_GE(std::stoi(slow.substr(13)), 400) << slow;
    EXPECT_TRUE(WaitUntil([] { return WindowsTitled("Processed Image").size() == 2; }));
}

TEST_F(ShellTest, AReleaseInAnyWindowSetsTheCutoffOfTheNextFilter) {
    const platform::Window spectrum = OpenImageWindow(MakeRecord(40, 30, "spectrum.pgm", Ramp));
    const platform::Window other = OpenImageWindow(MakeRecord(40, 30, "other.pgm", Ramp));
    hooks::MouseOnClient(spectrum, hooks::Mouse::LeftPress, {3, 2});
    hooks::MouseOnClient(spectrum, hooks::Mouse::LeftRelease, {6, 4});
    ASSERT_TRUE(WaitUntil([] { return TheSettings().snapshot().cutoffX == 6; }));

    ChooseFromPopup(other, MenuId("Action > Fourier Transform > Global low pass filter"));
    const auto filtered = WaitForNewWindowTitled("Processed Image", 0);
    ASSERT_TRUE(filtered);

    // The same filter with the same cut-off, called directly.
    const ImageRecord expected =
        testing::FindReference("lowpass")->expected(*MakeRecord(40, 30, "", Ramp), {.cutoffX = 6, .cutoffY = 4});
    for (int y = 0; y < 30; y += 7) {
        for (int x = 0; x < 40; x += 9) EXPECT_EQ(PresentedGray(*filtered, x, y), expected.pixels[y * 40 + x]);
    }
}

TEST_F(ShellTest, ConvertTo3DRefusesOtherSizesWithoutALine) {
    const platform::Window source = OpenImageWindow(MakeRecord(100, 100, "wide.pgm", Ramp));
    hooks::AnswerNextMessageBox(platform::AnswerOk);
    ChooseFromPopup(source, MenuId("Action > Convert to 3D"));
    ASSERT_TRUE(WaitUntil([] { return !hooks::ShownMessageBoxes().empty(); }));
    const auto box = hooks::ShownMessageBoxes().front();
    EXPECT_EQ(box.text, "Convert to 3D needs a 128 x 128 image.");
    EXPECT_EQ(box.caption, "Error");
    Settle();
    EXPECT_TRUE(PerformanceLines().empty());
    EXPECT_TRUE(WindowsTitled("Processed Image").empty());
}

}  // namespace
}  // namespace lumagrove::shell::test
