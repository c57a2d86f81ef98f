#include <set>
#include <string>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"

namespace lumagrove {
namespace {

// The desktop and the command-line tool both trust the table: a row whose
// kind does not match what it carries, or two rows answering to one id, path
// or command, would break one of them.
TEST(OperationTable, RowsCarryWhatTheirKindNeedsAndNamesAreUnique) {
    std::set<int> ids;
    std::set<std::string> paths;
    std::set<std::string> commands;
    for (const OperationEntry& entry : OperationTable()) {
        SCOPED_TRACE(entry.menuPath);
        const bool operation = entry.kind == EntryKind::Operation;
        EXPECT_TRUE(ids.insert(entry.menuId).second);
        EXPECT_TRUE(paths.insert(PlainMenuPath(entry)).second);
        EXPECT_EQ(entry.run != nullptr, operation);
        EXPECT_EQ(entry.command != nullptr, operation);
        EXPECT_EQ(entry.commandSummary != nullptr, operation);
        EXPECT_STRNE(entry.menuSummary, "");
        const bool asks = entry.dialog != ParameterDialog::None;
        EXPECT_TRUE(entry.kind == EntryKind::EditSettings ? asks : operation || !asks);
        EXPECT_TRUE(entry.command == nullptr || commands.insert(entry.command).second);

        std::set<std::string> flags;
        for (const OptionDescriptor* option : entry.options) {
            EXPECT_TRUE(flags.insert(option->flag).second) << option->flag;
            EXPECT_EQ(FindOption(entry, option->flag), option);
        }
        EXPECT_EQ(FindOperationByMenuId(entry.menuId), &entry);
        EXPECT_EQ(FindOperationByMenuPath(PlainMenuPath(entry)), &entry);
    }
    EXPECT_EQ(ids.size(), 32u);  // every entry of the image windows' menu
    EXPECT_EQ(FindOperationByCommand("xyz"), nullptr);
    EXPECT_EQ(FindOperationByMenuId(40004), nullptr);
}

// The command line has no dialog to ask in, and its help must not say it does.
TEST(OperationTable, CommandSummariesSpeakOfTheCommandLine) {
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.commandSummary == nullptr) continue;
        const std::string summary = entry.commandSummary;
        EXPECT_EQ(summary.find("asks"), std::string::npos) << entry.command;
        EXPECT_EQ(summary.find("menu"), std::string::npos) << entry.command;
        EXPECT_EQ(summary.find("selected"), std::string::npos) << entry.command;
    }
}

TEST(OperationTable, PathsDropOnlyTheMnemonicMarks) {
    EXPECT_EQ(PlainMenuPath(*FindOperationByMenuId(40002)), "File > Close");
    EXPECT_EQ(FindOperationByMenuPath("&File > &Close"), nullptr);
    EXPECT_EQ(FindOperationByMenuPath("Action > Hough Transforms > Lines > Detect lines (show lines only)")->command,
              std::string("lines"));
}

TEST(OperationTable, AllOptionsListsEachOptionOnceInTableOrder) {
    const std::vector<const OptionDescriptor*> options = AllOptions();
    std::vector<std::string> flags;
    for (const OptionDescriptor* option : options) flags.push_back(option->flag);
    // Two options share --threshold: the gray level and the gradient
    // threshold; two share --window: the mean's and the median's.
    EXPECT_EQ(flags, (std::vector<std::string>{"--threshold", "--window", "--window", "--sigma", "--from", "--to",
                                               "--cutoff", "--threshold", "--direction", "--radius"}));
}

}  // namespace
}  // namespace lumagrove
