#include <gtest/gtest.h>

#include "tests/controls/grid_test_application.h"

int main(int argc, char** argv) {
    GridTestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
