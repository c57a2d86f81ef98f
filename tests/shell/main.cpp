#include <gtest/gtest.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    lumagrove::platform::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
