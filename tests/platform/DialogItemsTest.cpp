#include <gtest/gtest.h>

#include "platform/qt/DialogItems.h"
#include "resources/ControlIds.h"
#include "resources/Resources.h"

namespace lumagrove::platform::backend {
namespace {

namespace control = resources::control;

TEST(DialogItemsTest, NumbersAreReadStrictly) {
    EXPECT_EQ(ParseItemNumber("42", false), 42);
    EXPECT_EQ(ParseItemNumber("  17  ", false), 17);
    EXPECT_EQ(ParseItemNumber("-30", true), -30);
    EXPECT_EQ(ParseItemNumber("4294967295", false), 4294967295LL);
    for (const char* text : {"", "  ", "-5", "4x", "x4", "1 2", "+3", "4294967296", "-"}) {
        EXPECT_EQ(ParseItemNumber(text, false), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(ParseItemNumber("--3", true), std::nullopt);
    EXPECT_EQ(ParseItemNumber("2.5", true), std::nullopt);
}

TEST(DialogItemsTest, SortedListInsertsIgnoringCaseAndKeepsTheSelectionOnItsLine) {
    DialogItems items(resources::ControlWindowTemplate());
    EXPECT_EQ(items.addLine(control::DropList, "m.pgm"), 0);
    ASSERT_TRUE(items.select(control::DropList, 0));
    EXPECT_EQ(items.addLine(control::DropList, "B.pgm"), 0);
    EXPECT_EQ(items.addLine(control::DropList, "z.pgm"), 2);
    EXPECT_EQ(items.addLine(control::DropList, "b.pgm"), 1) << "equal lines go after the ones there";
    EXPECT_EQ(items.item(control::DropList)->lines, (std::vector<std::string>{"B.pgm", "b.pgm", "m.pgm", "z.pgm"}));
    EXPECT_EQ(items.item(control::DropList)->selection, 2);

    EXPECT_EQ(items.addLine(control::PerformanceList, "second"), 0);
    EXPECT_EQ(items.addLine(control::PerformanceList, "first"), 1) << "unsorted lists append";
    EXPECT_FALSE(items.select(control::PerformanceList, 2));
    EXPECT_TRUE(items.select(control::PerformanceList, -1));
    EXPECT_EQ(items.addLine(control::LoadImage, "not a list"), -1);
    EXPECT_EQ(items.addLine(4242, "no such item"), -1);
}

TEST(DialogItemsTest, SpinStepsItsBuddyTowardsEitherLimit) {
    DialogItems items(resources::ParametersTemplate());
    ASSERT_TRUE(items.setSpinRange(control::WindowSizeSpin, 3, 15));
    items.setText(control::WindowSize, "14");
    EXPECT_EQ(items.stepSpin(control::WindowSizeSpin, true), control::WindowSize);
    EXPECT_EQ(items.item(control::WindowSize)->text, "15");
    items.stepSpin(control::WindowSizeSpin, true);
    EXPECT_EQ(items.item(control::WindowSize)->text, "15");
    items.setText(control::WindowSize, "21");
    items.stepSpin(control::WindowSizeSpin, false);
    EXPECT_EQ(items.item(control::WindowSize)->text, "15") << "brought back into the range";
    // Text that is no number: the step starts from the last position.
    items.setText(control::WindowSize, "abc");
    items.stepSpin(control::WindowSizeSpin, false);
    EXPECT_EQ(items.item(control::WindowSize)->text, "14");

    // A range given upside down: the up arrow moves towards the upper limit all the same.
    items.setSpinRange(control::WindowSizeSpin, 15, 3);
    items.setText(control::WindowSize, "10");
    items.stepSpin(control::WindowSizeSpin, true);
    EXPECT_EQ(items.item(control::WindowSize)->text, "9");
    EXPECT_EQ(items.stepSpin(control::WindowSize, true), 0) << "an edit is no up-down";
}

TEST(DialogItemsTest, TemplateStateStartsTheItems) {
    DialogItems items(resources::ControlWindowTemplate());
    EXPECT_FALSE(items.item(control::CloseAll)->enabled);
    EXPECT_TRUE(items.item(control::Exit)->enabled);
    EXPECT_EQ(items.item(control::LoadImage)->text, "Load Image");
    EXPECT_FALSE(items.item(resources::NoControlId).has_value());
    EXPECT_TRUE(items.setEnabled(control::CloseAll, true));
    EXPECT_TRUE(items.item(control::CloseAll)->enabled);
}

}  // namespace
}  // namespace lumagrove::platform::backend
