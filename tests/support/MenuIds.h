#pragma once

#include <string_view>

#include <gtest/gtest.h>

#include "operations/OperationTable.h"

namespace lumagrove::testing {

// The id of the menu entry at `path`, written as the README writes it
// ("Action > Negate"), so that tests choose entries the way a user does.
inline int MenuId(std::string_view path) {
    const OperationEntry* entry = FindOperationByMenuPath(path);
    EXPECT_NE(entry, nullptr) << "no menu entry " << path;
    return entry == nullptr ? 0 : entry->menuId;
}

}  // namespace lumagrove::testing
