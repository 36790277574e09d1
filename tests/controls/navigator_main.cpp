#include <gtest/gtest.h>

#include "tests/controls/navigator_test_application.h"

int main(int argc, char** argv) {
    NavigatorTestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
