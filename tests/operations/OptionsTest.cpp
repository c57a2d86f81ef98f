#include <map>
#include <string>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"

namespace lumagrove {
namespace {

const OptionDescriptor& Option(const char* command, const char* flag) {
    const OptionDescriptor* option = FindOption(*FindOperationByCommand(command), flag);
    EXPECT_NE(option, nullptr) << command << " " << flag;
    return *option;
}

// The defaults are the desktop's starting settings and the menu's fixed
// values, as the README documents them.
TEST(Options, DefaultsAreTheDocumentedValues) {
    const std::map<std::pair<std::string, std::string>, std::string> documented = {
        {{"binarize", "--threshold"}, "150"},       {{"uniform", "--window"}, "5"},
        {{"gaussian", "--sigma"}, "1.0"},           {{"gaussian", "--threshold"}, "150"},
        {{"equalize-area", "--from"}, "0,0"},       {{"equalize-area", "--to"}, "0,0"},
        {{"highpass", "--cutoff"}, "0,0"},          {{"edges", "--threshold"}, "30"},
        {{"edges-direction", "--direction"}, "45"}, {{"circle-space", "--radius"}, "14"},
    };
    for (const auto& [where, text] : documented) {
        const OptionDescriptor& option = Option(where.first.c_str(), where.second.c_str());
        EXPECT_EQ(option.defaultText(), text) << where.first << " " << where.second;
        EXPECT_EQ(ValueText(option.defaultValue()), text);
    }
    EXPECT_EQ(Option("gaussian", "--sigma").kind(), ValueKind::Real);
    EXPECT_EQ(Option("highpass", "--cutoff").kind(), ValueKind::Point);
    EXPECT_EQ(Option("edges", "--threshold").kind(), ValueKind::Integer);
}

// Each option sets its own field and no other: a descriptor pointed at
// another option's field would change that option's value too.
TEST(Options, EachSetsItsOwnFieldOnly) {
    const std::vector<const OptionDescriptor*> options = AllOptions();
    for (const OptionDescriptor* option : options) {
        SCOPED_TRACE(option->help);
        OperationArguments arguments;
        const OptionValue changed = *option->parse(option->kind() == ValueKind::Point  ? "7,9"
                                                   : option->kind() == ValueKind::Real ? "2.75"
                                                                                       : "7");
        option->set(arguments, changed);
        EXPECT_EQ(option->valueIn(arguments), changed);
        for (const OptionDescriptor* other : options) {
            if (other == option) continue;
            EXPECT_EQ(other->valueIn(arguments), other->defaultValue()) << other->help;
        }
    }
}

TEST(Options, ParseOnlyWholeValuesOfTheirKind) {
    const OptionDescriptor& threshold = Option("binarize", "--threshold");
    EXPECT_EQ(threshold.parse("-5"), OptionValue(std::int32_t{-5}));
    EXPECT_EQ(threshold.parse("2147483647"), OptionValue(std::int32_t{2147483647}));
    for (const char* bad : {"", "abc", "12x", " 12", "1.5", "2147483648", "0x10"}) {
        EXPECT_FALSE(threshold.parse(bad)) << bad;
    }

    const OptionDescriptor& sigma = Option("gaussian", "--sigma");
    EXPECT_EQ(sigma.parse("2.5"), OptionValue(2.5));
    EXPECT_EQ(sigma.parse("1e1"), OptionValue(10.0));
    for (const char* bad : {"", "x", "2.5x", "inf", "nan", "1e999"}) EXPECT_FALSE(sigma.parse(bad)) << bad;

    const OptionDescriptor& cutoff = Option("lowpass", "--cutoff");
    EXPECT_EQ(cutoff.parse("12,-7"), OptionValue(OptionPoint{12, -7}));
    for (const char* bad : {"", "12", "12,", ",7", "1,2,3", "a,b"}) EXPECT_FALSE(cutoff.parse(bad)) << bad;
}

// A window of no pixels and a negative radius mean nothing; values without a
// bound pass whatever they are.
TEST(Options, ValuesOutsideTheirRangeAreNamedInOneMessage) {
    const OptionDescriptor& window = Option("uniform", "--window");
    EXPECT_EQ(window.rangeProblem(std::int32_t{0}, "--window"), "--window must be at least 1");
    EXPECT_EQ(window.rangeProblem(std::int32_t{1}, "--window"), std::nullopt);
    // The median's window needs a middle pixel: odd, and 3 or more.
    const OptionDescriptor& median = Option("median", "--window");
    EXPECT_EQ(median.rangeProblem(std::int32_t{1}, "--window"), "--window must be at least 3");
    EXPECT_EQ(median.rangeProblem(std::int32_t{4}, "window"), "window must be odd");
    EXPECT_EQ(median.rangeProblem(std::int32_t{-4}, "window"), "window must be at least 3");
    EXPECT_EQ(median.rangeProblem(std::int32_t{17}, "window"), std::nullopt);
    const OptionDescriptor& radius = Option("circle-space", "--radius");
    EXPECT_EQ(radius.rangeProblem(std::int32_t{-1}, "radius"), "radius must be at least 0");
    EXPECT_EQ(radius.rangeProblem(std::int32_t{0}, "radius"), std::nullopt);
    const OptionDescriptor& threshold = Option("binarize", "--threshold");
    EXPECT_EQ(threshold.rangeProblem(std::int32_t{-2147483647 - 1}, "--threshold"), std::nullopt);
    EXPECT_EQ(Option("gaussian", "--sigma").rangeProblem(-1e300, "--sigma"), std::nullopt);

    constexpr OptionDescriptor kBounded{
        .flag = "--level", .valueName = "N", .field = IntegerField{&OperationArguments::threshold, 0, 255}, .help = ""};
    EXPECT_EQ(kBounded.rangeProblem(std::int32_t{256}, "--level"), "--level must be at most 255");
    EXPECT_EQ(kBounded.rangeProblem(std::int32_t{-1}, "--level"), "--level must be at least 0");
    constexpr OptionDescriptor kBoundedReal{
        .flag = "--spread", .valueName = "S", .field = RealField{&OperationArguments::sigma, 0.5, 8.0}, .help = ""};
    EXPECT_EQ(kBoundedReal.rangeProblem(8.5, "--spread"), "--spread must be at most 8.0");
    EXPECT_EQ(kBoundedReal.rangeProblem(8.0, "--spread"), std::nullopt);
}

TEST(Options, ValuesAreWrittenAsTheCommandLineReadsThem) {
    EXPECT_EQ(ValueText(std::int32_t{-3}), "-3");
    EXPECT_EQ(ValueText(1.0), "1.0");
    EXPECT_EQ(ValueText(2.5), "2.5");
    EXPECT_EQ(ValueText(0.1), "0.1");
    EXPECT_EQ(ValueText(OptionPoint{4, -2}), "4,-2");
    const OptionDescriptor& sigma = Option("gaussian", "--sigma");
    for (const char* text : {"0.1", "1.0", "3.25", "1e-07"}) EXPECT_EQ(ValueText(*sigma.parse(text)), text);
}

}  // namespace
}  // namespace lumagrove
