#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/ImageRecord.h"

namespace lumagrove::testing {

// The values an operation is given, written out here with the documented
// defaults (the desktop's starting settings and the menu's fixed values), so
// that a default that changes in the program shows as a different result.
struct ReferenceValues {
    std::int32_t threshold = 150;
    double sigma = 1.0;
    std::int32_t gradientThreshold = 30;
    std::int32_t gradientDirection = 45;
    std::int32_t uniformWindow = 5;
    std::int32_t circleRadius = 14;
    std::int32_t cutoffX = 0;
    std::int32_t cutoffY = 0;
    std::int32_t fromX = 0;
    std::int32_t fromY = 0;
    std::int32_t toX = 0;
    std::int32_t toY = 0;
    std::int32_t windowSize = 3;
};

// What each menu entry and command must do, called straight from the imaging,
// frequency, Hough and range libraries rather than through the operation
// table, so that a row wired to the wrong runner, id or field shows.
struct OperationReference {
    const char* command;   // the command-line name
    const char* menuPath;  // as the README lists it
    int menuId;
    ImageRecord (*expected)(const ImageRecord& source, const ReferenceValues& values);
};

const std::vector<OperationReference>& OperationReferences();
const OperationReference* FindReference(const std::string& command);

// The operations that a 128 x 128 range image is for.
bool NeedsRangeImage(const OperationReference& reference);

// Same size and the same bytes; otherwise says where the first difference is.
::testing::AssertionResult SameImage(const ImageRecord& actual, const ImageRecord& expected);

// The samples the wiring tests run on.
std::string SamplePath(const std::string& name);
ImageRecord ReadSample(const std::string& name);

}  // namespace lumagrove::testing
