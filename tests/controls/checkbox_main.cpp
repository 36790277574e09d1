#include <gtest/gtest.h>

#include "tests/controls/checkbox_test_application.h"

int main(int argc, char** argv) {
    ErrorReportingApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
