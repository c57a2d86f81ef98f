#include "ShellTest.h"

#include "platform/Dialog.h"
#include "resources/ControlIds.h"
#include "shell/ControlWindow.h"
#include "shell/FileIntake.h"
#include "shell/ShellState.h"
#include "support/MenuIds.h"
#include "support/TemporaryFolder.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using lumagrove::testing::MenuId;
namespace control = resources::control;

std::uint8_t Gray(int x, int y) { return static_cast<std::uint8_t>(x * 7 + y); }

constexpr char kTinyPgm[] = "P5\n2 2\n255\nABCD";

std::vector<std::string> ShownTexts() {
    std::vector<std::string> texts;
    for (const auto& box : hooks::ShownMessageBoxes()) texts.push_back(box.caption + ": " + box.text);
    return texts;
}

TEST_F(ShellTest, DroppedFilesAreReadInTheOrderOfTheDrop) {
    EXPECT_FALSE(hooks::ShownItemEnabled(control_, control::CloseAll));
    testing::TemporaryFolder folder;
    const std::string pgm = folder.write("scan.apgm", kTinyPgm);       // names ending in "pgm" as always
    const std::string capitals = folder.write("photo.PGM", kTinyPgm);  // the family's endings in any case
    const std::string raw = folder.write("photo.raw", kTinyPgm);       // a short intensity file
    const std::string missing = folder.file("missing.pgm");
    for (int box = 0; box < 3; ++box) hooks::AnswerNextMessageBox(platform::AnswerOk);
    hooks::DropFilesOn(control_, control::DropList, {raw, capitals, missing, pgm});
    ASSERT_TRUE(WaitUntil([&] {
        return WindowsTitled(pgm).size() == 1 && WindowsTitled(capitals).size() == 1 && WindowsTitled(raw).size() == 1;
    }));
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{
                                "Warning: File: " + raw + " holds 15 of 640 x 480 samples; the rest is white.",
                                "Error: 255 255", "Error: File: " + missing + " could not be opened for reading."}));
    EXPECT_EQ(WindowsTitled(pgm).front().outerSize.height, 47);  // as wide as its menu bar
    EXPECT_EQ(WindowsTitled(capitals).front().outerSize.height, 47);
    EXPECT_EQ(WindowsTitled(raw).front().outerSize, (platform::Size{646, 525}));
    EXPECT_TRUE(platform::ListLines(control_, control::DropList).empty());
}

TEST_F(ShellTest, ANameIsTakenAsItIsQuotesIncluded) {
    hooks::AnswerNextMessageBox(platform::AnswerOk);
    LoadImageFile("\"/no/such/scan.pgm\"");
    ASSERT_TRUE(WaitUntil([] { return !hooks::ShownMessageBoxes().empty(); }));
    EXPECT_EQ(ShownTexts().front(), "Error: File: \"/no/such/scan.pgm\" could not be opened for reading.");
    Settle();
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);
}

TEST_F(ShellTest, LoadImageOpensTheChosenFileAndAnXyzFileOnlyShowsItsPoint) {
    testing::TemporaryFolder folder;
    const std::string xyz = folder.write("points.xyz", std::string(12, '\0'));
    hooks::AnswerNextFileDialog(xyz);
    hooks::AnswerNextMessageBox(platform::AnswerOk);
    hooks::PressButton(control_, control::LoadImage);
    ASSERT_TRUE(WaitUntil([] { return !hooks::ShownMessageBoxes().empty(); }));
    EXPECT_EQ(ShownTexts().front(), "Coordinates: 0.000000 -----  0.000000 ----- 0.000000");
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);

    const std::string pgm = folder.write("image.pgm", kTinyPgm);
    hooks::AnswerNextFileDialog(pgm);
    hooks::PressButton(control_, control::LoadImage);
    EXPECT_TRUE(WaitForNewWindowTitled(pgm, 0));
    const auto dialogs = hooks::ShownFileDialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_FALSE(dialogs[1].save);
    EXPECT_EQ(dialogs[1].request.initialName, xyz);  // starts from the last name chosen
    ASSERT_EQ(dialogs[1].request.filters.size(), 5u);
    EXPECT_EQ(dialogs[1].request.filters[1].description, "Pictures (*.PNG;*.JPG;*.JPEG;*.TIF;*.TIFF;*.BMP;*.WEBP)");
    EXPECT_EQ(dialogs[1].request.filters[3].description, "Intensity Files (*.INTENSITY)");
}

// Exit must end the program whatever the image windows are doing.
TEST_F(ShellTest, ExitEndsTheProgramWithManyIdleWindows) {
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(OpenImageWindow(MakeRecord(30, 20, "idle.pgm", Gray)));
    hooks::PressButton(control_, control::Exit);
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);
    EXPECT_FALSE(platform::WindowExists(control_));
}

TEST_F(ShellTest, ExitEndsTheProgramWhileAWindowShowsADialogOrAMessageBox) {
    const platform::Window dialogOwner = OpenImageWindow(MakeRecord(30, 20, "dialog.pgm", Gray));
    const platform::Window boxOwner = OpenImageWindow(MakeRecord(30, 20, "box.pgm", Gray));
    hooks::ChooseFromMenuBar(dialogOwner, MenuId("Options > Set Threshold..."));
    ASSERT_TRUE(WaitForParameterDialog());
    ChooseFromPopup(boxOwner, MenuId("Action > Convert to 3D"));  // refused with a message box
    ASSERT_TRUE(WaitUntil([] { return !hooks::ShownMessageBoxes().empty(); }));

    hooks::PressButton(control_, control::Exit);
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);
}

TEST_F(ShellTest, ExitWaitsForARunningOperationToFinish) {
    const platform::Window busy = OpenImageWindow(MakeRecord(1500, 1500, "busy.pgm", Gray));
    ChooseFromPopup(busy, MenuId("Action > Hough Transforms > Circles > Detect Circles (superimpose on original)"));
    hooks::PressButton(control_, control::Exit);
    EXPECT_EQ(RunMainLoop(), 0);
    EXPECT_EQ(TheShellState().openWindowCount.load(), 0);
}

}  // namespace
}  // namespace lumagrove::shell::test
