#include <set>
#include <string>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"

namespace lumagrove {
namespace {

// The desktop and the command-line tool both trust the table: an operation
// row without a runner, or two rows answering to one id or command, would
// break one of them.
TEST(OperationTable, EveryOperationHasARunnerAndNamesAreUnique) {
    std::set<int> ids;
    std::set<std::string> commands;
    for (const OperationEntry& entry : OperationTable()) {
        EXPECT_TRUE(ids.insert(entry.menuId).second) << entry.menuId;
        EXPECT_EQ(entry.run != nullptr, entry.kind == EntryKind::Operation) << entry.menuPath;
        EXPECT_EQ(entry.command != nullptr, entry.kind == EntryKind::Operation) << entry.menuPath;
        if (entry.command != nullptr) {
            EXPECT_TRUE(commands.insert(entry.command).second) << entry.command;
        }
        EXPECT_EQ(FindOperationByMenuId(entry.menuId), &entry);
    }
    EXPECT_EQ(ids.size(), 31u);  // every entry of the image windows' menu
    EXPECT_EQ(FindOperationByCommand("xyz"), nullptr);
    EXPECT_EQ(FindOperationByMenuId(40004), nullptr);
}

TEST(OperationTable, OptionsDescribeTheirFlags) {
    EXPECT_EQ(std::string(DescribeOption(OptionField::GradientThreshold).flag), "--threshold");
    EXPECT_EQ(std::string(DescribeOption(OptionField::Cutoff).valueName), "X,Y");
    for (const OperationEntry& entry : OperationTable()) {
        for (OptionField field : entry.options) {
            if (field != OptionField::None) {
                EXPECT_STRNE(DescribeOption(field).flag, "") << entry.menuPath;
            }
        }
    }
}

}  // namespace
}  // namespace lumagrove
