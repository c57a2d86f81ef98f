#include "ShellTest.h"

#include "platform/Dialog.h"
#include "resources/ControlIds.h"
#include "shell/DialogNumbers.h"
#include "shell/SharedSettings.h"
#include "support/MenuIds.h"

namespace lumagrove::shell::test {
namespace {

namespace hooks = platform::testing;
using lumagrove::testing::MenuId;
namespace control = resources::control;

std::uint8_t Gray(int, int) { return 80; }

TEST_F(ShellTest, ParametersShowTheSettingsAndRefuseAnEvenWindowSize) {
    const platform::Window window = OpenImageWindow(MakeRecord(20, 20, "p.pgm", Gray));
    hooks::ChooseFromMenuBar(window, MenuId("Options > Set Threshold..."));
    const platform::Window dialog = WaitForParameterDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(hooks::ShownItemText(dialog, control::WindowSize), "3");
    EXPECT_EQ(hooks::ShownItemText(dialog, control::Sigma), "1.00");
    EXPECT_EQ(hooks::ShownItemText(dialog, control::Threshold), "150");

    hooks::TypeIntoItem(dialog, control::WindowSize, "4");
    hooks::AnswerNextMessageBox(platform::AnswerOk);
    hooks::PressButton(dialog, control::Ok);
    ASSERT_TRUE(WaitUntil([] { return !hooks::ShownMessageBoxes().empty(); }));
    const auto box = hooks::ShownMessageBoxes().front();
    EXPECT_EQ(box.text, "Window size must be an odd number");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.owner, dialog);
    Settle();
    EXPECT_TRUE(platform::WindowExists(dialog));  // still open for a correction

    hooks::PressButton(dialog, control::Cancel);
    ASSERT_TRUE(WaitUntil([&] { return !platform::WindowExists(dialog); }));
    EXPECT_EQ(TheSettings().snapshot().windowSize, 3);
}

TEST_F(ShellTest, ParametersReadOddSizesSigmaAndAnUnsignedThreshold) {
    const platform::Window window = OpenImageWindow(MakeRecord(20, 20, "p.pgm", Gray));
    hooks::AnswerNextDialog(
        {{{control::WindowSize, "21"}, {control::Sigma, "2.5x"}, {control::Threshold, "-5"}}, control::Ok});
    hooks::ChooseFromMenuBar(window, MenuId("Options > Set Threshold..."));
    ASSERT_TRUE(WaitUntil([] { return TheSettings().snapshot().windowSize == 21; }));
    Settings settings = TheSettings().snapshot();
    EXPECT_EQ(settings.sigma, 2.5);
    EXPECT_EQ(settings.threshold, 0);

    hooks::AnswerNextDialog({{{control::WindowSize, "5"}, {control::Sigma, "abc"}}, control::Ok});
    hooks::ChooseFromMenuBar(window, MenuId("Options > Set Threshold..."));
    ASSERT_TRUE(WaitUntil([] { return TheSettings().snapshot().windowSize == 5; }));
    EXPECT_EQ(TheSettings().snapshot().sigma, 0.0);
}

TEST_F(ShellTest, EdgeParametersKeepANegativeDirection) {
    const platform::Window window = OpenImageWindow(MakeRecord(20, 20, "e.pgm", Gray));
    hooks::ChooseFromMenuBar(window, MenuId("Options > Set Gradient and Gradient Direction Thresholds..."));
    const platform::Window dialog = WaitForParameterDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(hooks::ShownItemText(dialog, control::GradientThreshold), "30");
    EXPECT_EQ(hooks::ShownItemText(dialog, control::GradientDirection), "45");
    hooks::TypeIntoItem(dialog, control::GradientThreshold, "12");
    hooks::TypeIntoItem(dialog, control::GradientDirection, "-30");
    hooks::PressButton(dialog, control::Ok);
    ASSERT_TRUE(WaitUntil([] { return TheSettings().snapshot().gradientThreshold == 12; }));
    EXPECT_EQ(TheSettings().snapshot().gradientDirection, -30);
}

TEST(DialogNumbers, SigmaTakesTheLeadingDecimalNumberOnly) {
    EXPECT_EQ(ReadLeadingNumber("2.5x"), 2.5);
    EXPECT_EQ(ReadLeadingNumber("  -0.75 and more"), -0.75);
    EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
    EXPECT_EQ(ReadLeadingNumber("1e1"), 10.0);
    for (const char* none : {"abc", "", "inf", "nan", "-x"}) EXPECT_EQ(ReadLeadingNumber(none), 0.0) << none;
    EXPECT_EQ(ReadLeadingNumber("0x10"), 0.0);
    EXPECT_EQ(ReadLeadingNumber("1e999"), 0.0);  // no number the dialog could use
    // Only the first 31 characters are read.
    EXPECT_EQ(ReadLeadingNumber(std::string(31, ' ') + "7"), 0.0);
    EXPECT_EQ(ReadLeadingNumber(std::string(30, ' ') + "78"), 7.0);
    EXPECT_EQ(FormatSigma(1.0), "1.00");
    EXPECT_EQ(FormatSigma(2.345), "2.35");
}

}  // namespace
}  // namespace lumagrove::shell::test
