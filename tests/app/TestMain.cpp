// The application object the program uses, made once for the whole test run.

#include <gtest/gtest.h>

#include "app/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
