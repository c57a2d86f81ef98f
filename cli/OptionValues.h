#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "operations/Operation.h"
#include "operations/OperationTable.h"

namespace lumagrove::cli {

// Sets the argument an option names from its text; false if the text is not
// a valid value for it.
bool SetOption(OptionField field, std::string_view text, OperationArguments& arguments);

// The value an option has in the given arguments, as --help shows it.
std::string OptionValueText(OptionField field, const OperationArguments& arguments);

}  // namespace lumagrove::cli
